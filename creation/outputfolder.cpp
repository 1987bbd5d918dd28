// SPDX-License-Identifier: GPL-3.0-or-later
#include "creation/outputfolder.h"

#include "zofc/zoutils.h"

#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QRegularExpression>
#include <QStandardPaths>
#include <algorithm>

QString outputFolderOrDefault(const QString &stored)
{
    QString folder = stored;
    if (folder.isEmpty() || !Zo::isFolderNameValid(folder, true))
        folder = defaultMoviesFolder();
    if (folder.isEmpty())
        folder = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    return QDir::toNativeSeparators(folder);
}

QString defaultMoviesFolder()
{
    const QString folder = QStandardPaths::writableLocation(QStandardPaths::MoviesLocation);
    return !folder.isEmpty() && Zo::isFolderNameValid(folder, false) ? QDir::cleanPath(folder)
                                                                     : QString();
}

void makeMoviesFolderIfOffered(const QString &folder)
{
    const QString movies = defaultMoviesFolder();
    if (!movies.isEmpty() && QDir::cleanPath(folder) == movies && !QFileInfo::exists(movies))
        QDir().mkpath(movies);
}

QString defaultOutputFolder()
{
    QString folder = QStandardPaths::writableLocation(QStandardPaths::MoviesLocation);
    if (folder.isEmpty())
        folder = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    return QDir::toNativeSeparators(folder);
}

bool isOutputNameValid(const QString &name)
{
    static const QRegularExpression refused(QStringLiteral("\\*|:|<|>|\\?|\\/|@|\\|"));
    return !name.isEmpty() && !name.contains(refused);
}

QString browseForOutputFolder(QWidget *parent, const QString &start)
{
    const QString folder = QDir::fromNativeSeparators(start);
    if (!folder.isEmpty() && !QDir(folder).exists())
        QDir().mkpath(folder);
    const QString chosen = QFileDialog::getExistingDirectory(
        parent, QString(), folder, QFileDialog::ShowDirsOnly | QFileDialog::DontResolveSymlinks);
    return chosen.isEmpty() ? QString() : QDir::toNativeSeparators(chosen);
}

bool isOutputExtensionValid(const QString &ext)
{
    if (ext.isEmpty())
        return false;
    return std::all_of(ext.cbegin(), ext.cend(),
                       [](QChar c) { return c.unicode() < 128 && c.isLetterOrNumber(); });
}
