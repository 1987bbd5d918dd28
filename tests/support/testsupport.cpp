// SPDX-License-Identifier: GPL-3.0-or-later
#include "tests/support/testsupport.h"

#include "zofc/zopref.h"

TempSettings::TempSettings()
{
    ZoPref::setFileName(file());
}

TempSettings::~TempSettings()
{
    ZoPref::setFileName(QString());
}

QString testAppDir()
{
    return ZoPref::appDir();
}

#include <QAbstractButton>
#include <QApplication>
#include <QColor>
#include <QComboBox>
#include <QDebug>
#include <QDir>
#include <QDropEvent>
#include <QFile>
#include <QImage>
#include <QJsonArray>
#include <QJsonDocument>
#include <QLabel>
#include <QListWidget>
#include <QMimeData>
#include <QProcess>
#include <QStandardPaths>
#include <QTest>
#include <QUrl>

QJsonObject probeMedia(const QString &file, const QStringList &options)
{
    QProcess ffprobe;
    ffprobe.start(QStringLiteral("ffprobe"),
                  QStringList {"-v", "error", "-show_streams", "-show_format", "-of", "json"}
                      + options + QStringList {file});
    if (!ffprobe.waitForFinished(120000) || ffprobe.exitStatus() != QProcess::NormalExit)
        return {};
    return QJsonDocument::fromJson(ffprobe.readAllStandardOutput()).object();
}

QJsonObject streamOf(const QJsonObject &info, const QString &type)
{
    for (const QJsonValue &s : info.value(QStringLiteral("streams")).toArray()) {
        if (s.toObject().value(QStringLiteral("codec_type")).toString() == type)
            return s.toObject();
    }
    return {};
}

bool runFfmpeg(const QStringList &arguments, int timeoutMs)
{
    const QString ffmpeg = QStandardPaths::findExecutable(QStringLiteral("ffmpeg"));
    if (ffmpeg.isEmpty()) {
        qWarning("the ffmpeg program is needed to write the test media");
        return false;
    }
    QProcess process;
    process.start(ffmpeg,
                  QStringList {QStringLiteral("-hide_banner"), QStringLiteral("-loglevel"),
                               QStringLiteral("error"), QStringLiteral("-y")}
                      + arguments);
    if (!process.waitForFinished(timeoutMs) || process.exitStatus() != QProcess::NormalExit
        || process.exitCode() != 0) {
        qWarning() << "ffmpeg failed:" << arguments << process.readAllStandardError();
        return false;
    }
    return true;
}

bool writeToneWav(const QString &path, const QList<QPair<double, double>> &tones, int sampleRate,
                  int channels)
{
    QStringList args;
    QString graph;
    for (int i = 0; i < tones.size(); ++i) {
        args << QStringLiteral("-f") << QStringLiteral("lavfi") << QStringLiteral("-i")
             << QStringLiteral("sine=frequency=%1:duration=%2:sample_rate=%3")
                    .arg(tones[i].first)
                    .arg(tones[i].second)
                    .arg(sampleRate);
        graph += QStringLiteral("[%1:a]").arg(i);
    }
    if (tones.size() > 1) {
        graph += QStringLiteral("concat=n=%1:v=0:a=1[out]").arg(tones.size());
        args << QStringLiteral("-filter_complex") << graph << QStringLiteral("-map")
             << QStringLiteral("[out]");
    }
    args << QStringLiteral("-ac") << QString::number(channels) << QStringLiteral("-ar")
         << QString::number(sampleRate) << QStringLiteral("-c:a") << QStringLiteral("pcm_s16le")
         << path;
    return runFfmpeg(args);
}

int zeroCrossings(const int16_t *pcm, int channels, int from, int to)
{
    int crossings = 0;
    for (int i = from + 1; i < to; ++i) {
        const int a = pcm[(i - 1) * channels];
        const int b = pcm[i * channels];
        if ((a < 0 && b >= 0) || (a >= 0 && b < 0))
            ++crossings;
    }
    return crossings;
}

FullFolder::FullFolder(Method method)
{
    if (!dir.isValid())
        return;
    folder = dir.filePath(QStringLiteral("full"));
    if (!QDir().mkpath(folder))
        return;
    if (method == Method::Tmpfs) {
        QProcess mount;
        mount.start(QStringLiteral("mount"),
                    {QStringLiteral("-t"), QStringLiteral("tmpfs"), QStringLiteral("-o"),
                     QStringLiteral("size=64k"), QStringLiteral("vellumix-test"), folder});
        mounted = mount.waitForFinished(10000) && mount.exitStatus() == QProcess::NormalExit
            && mount.exitCode() == 0;
        valid = mounted;
        return;
    }
    // The limit is in 512-byte blocks; the shell ignores the signal a write past it would
    // raise, so that ffmpeg sees the write fail as it would on a full disk.
    const QString wrapper = dir.filePath(QStringLiteral("ffmpeg-limited"));
    QFile script(wrapper);
    if (!script.open(QIODevice::WriteOnly))
        return;
    script.write(QStringLiteral("#!/bin/sh\n"
                                "for last in \"$@\"; do :; done\n"
                                "case \"$last\" in\n"
                                "'%1'/*) ulimit -f 2; trap '' XFSZ ;;\n"
                                "esac\n"
                                "exec ffmpeg \"$@\"\n")
                     .arg(folder)
                     .toUtf8());
    script.close();
    script.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    previousFfmpeg = qgetenv("VELLUMIX_FFMPEG");
    qputenv("VELLUMIX_FFMPEG", QFile::encodeName(wrapper));
    wrapped = true;
    valid = true;
}

FullFolder::~FullFolder()
{
    if (mounted) {
        QProcess umount;
        umount.start(QStringLiteral("umount"), {folder});
        umount.waitForFinished(10000);
    }
    if (wrapped) {
        if (previousFfmpeg.isEmpty())
            qunsetenv("VELLUMIX_FFMPEG");
        else
            qputenv("VELLUMIX_FFMPEG", previousFfmpeg);
    }
}

QStringList writeColourPhotos(const QString &folder, const QList<QSize> &sizes)
{
    const QColor colours[] = {Qt::red, Qt::green, Qt::blue, Qt::yellow};
    QStringList paths;
    for (int i = 0; i < sizes.size(); ++i) {
        QImage image(sizes.at(i), QImage::Format_RGB32);
        image.fill(colours[i % 4]);
        const QString path = QDir(folder).filePath(QStringLiteral("photo%1.jpg").arg(i + 1));
        if (!image.save(path, "JPEG"))
            return {};
        paths.append(path);
    }
    return paths;
}

QPoint centreOf(QListWidget *strip, int row)
{
    strip->scrollToItem(strip->item(row));
    return strip->visualItemRect(strip->item(row)).center();
}

void clickRow(QListWidget *strip, int row, Qt::KeyboardModifiers modifiers)
{
    QTest::mouseClick(strip->viewport(), Qt::LeftButton, modifiers, centreOf(strip, row));
}

bool dropOn(QWidget *target, const QStringList &files, QPoint at)
{
    QMimeData mime;
    QList<QUrl> urls;
    for (const QString &file : files)
        urls.append(QUrl::fromLocalFile(file));
    mime.setUrls(urls);
    const Qt::DropActions actions = Qt::CopyAction | Qt::MoveAction;
    QDragEnterEvent enter(at, actions, &mime, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(target, &enter);
    QDragMoveEvent move(at, actions, &mime, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(target, &move);
    QDropEvent drop(at, actions, &mime, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(target, &drop);
    return drop.isAccepted();
}

bool dropOn(QListWidget *strip, const QStringList &files, int row)
{
    return dropOn(strip->viewport(), files, centreOf(strip, row));
}

QStringList clippedTexts(QWidget *root)
{
    QStringList clipped;
    for (QWidget *widget : root->findChildren<QWidget *>()) {
        if (!widget->isVisibleTo(root))
            continue;
        QString text;
        bool cutByParent = false;
        if (auto *button = qobject_cast<QAbstractButton *>(widget)) {
            text = button->text();
        } else if (auto *label = qobject_cast<QLabel *>(widget); label && !label->wordWrap()) {
            text = label->text();
        } else if (auto *combo = qobject_cast<QComboBox *>(widget); combo && combo->isVisible()) {
            // A choice wider than the list it is in loses its arrow at the list's edge.
            const QRect seen = combo->visibleRegion().boundingRect();
            text = combo->currentText();
            cutByParent = !seen.isEmpty() && seen.width() < combo->width();
            if (!cutByParent)
                continue;
        }
        if (text.isEmpty()
            || (!cutByParent && widget->width() >= widget->minimumSizeHint().width()))
            continue;
        QStringList path;
        for (const QObject *step = widget; step && step != root; step = step->parent())
            path.prepend(step->objectName().isEmpty()
                             ? QString::fromLatin1(step->metaObject()->className())
                             : step->objectName());
        clipped.append(QStringLiteral("%1: \"%2\" in %3 of %4 pixels")
                           .arg(path.join(QLatin1Char('/')), text)
                           .arg(widget->width())
                           .arg(widget->minimumSizeHint().width()));
    }
    return clipped;
}
