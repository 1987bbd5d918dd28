#include "creation/outputfolder.h"

#include "zofc/zoutils.h"

#include <QDir>
#include <QFileDialog>
#include <QRegularExpression>
#include <QStandardPaths>
#include <algorithm>

namespace {

QString usableFolder(QStandardPaths::StandardLocation location)
{
    const QString folder = QStandardPaths::writableLocation(location);
    return !folder.isEmpty() && Zo::isFolderNameValid(folder, true) ? folder : QString();
}

} // namespace

QString outputFolderOrDefault(const QString &stored)
{
    QString folder = stored;
    if (folder.isEmpty() || !Zo::isFolderNameValid(folder, true))
        folder = usableFolder(QStandardPaths::MoviesLocation);
    if (folder.isEmpty())
        folder = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    return QDir::toNativeSeparators(folder);
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
