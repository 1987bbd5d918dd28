// SPDX-License-Identifier: GPL-3.0-or-later
#include "media/filetypes.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

QStringList photoPatterns;
QStringList audioPatterns;

// Patterns inside the parentheses are separated by blanks only: the file dialog splits them at
// blanks, and a "*.jpg;" would match no file.
const QString photoTypeFilters = QStringLiteral(
    "JPG Files (*.jpg *.jpeg);;BMP Files (*.bmp);;PNG Files (*.png);;GIF Files (*.gif);;"
    "TIFF Files (*.tiff *.tif);;XBM Files (*.xbm);;XPM Files (*.xpm);;"
    "HEIC Files (*.heic *.heif);;WebP Files (*.webp);;");
const QString audioTypeFilters = QStringLiteral(
    "AAC Files (*.aac);;AIF Files (*.aif *.aiff);;AC3 Files (*.ac3);;APE Files (*.ape);;"
    "AU Files (*.au);;FLAC Files (*.flac);;MPA Files (*.mpa);;MP2 Files (*.mp2);;"
    "MP3 Files (*.mp3);;OGG Files (*.ogg);;RA Files (*.ra);;WAV Files (*.wav);;"
    "WMA Files (*.wma);;M4A Files (*.m4a);;");

void initFileTypeLists()
{
    // Assigned, not appended: a second call leaves the lists as they are.
    photoPatterns
        = QStringList {QStringLiteral("*.jpg"),  QStringLiteral("*.jpeg"), QStringLiteral("*.bmp"),
                       QStringLiteral("*.png"),  QStringLiteral("*.gif"),  QStringLiteral("*.tiff"),
                       QStringLiteral("*.xbm"),  QStringLiteral("*.xpm"),  QStringLiteral("*.heic"),
                       QStringLiteral("*.heif"), QStringLiteral("*.webp"), QStringLiteral("*.tif")};
    audioPatterns
        = QStringList {QStringLiteral("*.aac"),  QStringLiteral("*.aif"), QStringLiteral("*.aiff"),
                       QStringLiteral("*.ac3"),  QStringLiteral("*.ape"), QStringLiteral("*.au"),
                       QStringLiteral("*.flac"), QStringLiteral("*.mpa"), QStringLiteral("*.mp2"),
                       QStringLiteral("*.mp3"),  QStringLiteral("*.ogg"), QStringLiteral("*.ra"),
                       QStringLiteral("*.wav"),  QStringLiteral("*.wma"), QStringLiteral("*.m4a")};
}

QString openFileFilter(const QStringList &patterns, const QString &typeFilters)
{
    // Each entry "JPG Files (*.jpg *.jpeg)" is shown with "Files" in the interface language.
    QString perType;
    for (const QString &entry : typeFilters.split(QStringLiteral(";;"), Qt::SkipEmptyParts)) {
        const qsizetype split = entry.indexOf(QStringLiteral(" Files ("));
        if (split < 0) {
            perType += entry + QStringLiteral(";;");
            continue;
        }
        perType += QCoreApplication::translate("VellumixClass", "%1 Files").arg(entry.left(split))
            + entry.mid(split + 6) + QStringLiteral(";;");
    }
    // "*" rather than "*.*": on this system a file need not have a suffix.
    return QCoreApplication::translate("VellumixClass", "All Supported Files")
        + QStringLiteral(" (") + patterns.join(QLatin1Char(' ')) + QStringLiteral(");;") + perType
        + QCoreApplication::translate("VellumixClass", "All Files") + QStringLiteral(" (*)");
}

QString unreadableFileReason(const QString &path, bool isPhoto)
{
    const QFileInfo info(path);
    const QStringList &patterns = isPhoto ? photoPatterns : audioPatterns;
    const char *reason = nullptr;
    if (!info.exists())
        reason = QT_TRANSLATE_NOOP("ImportProgress", "not found");
    else if (info.isDir())
        reason = QT_TRANSLATE_NOOP("ImportProgress", "a folder with nothing to import");
    else if (!info.isReadable())
        reason = QT_TRANSLATE_NOOP("ImportProgress", "no permission to read it");
    else if (info.size() == 0)
        reason = QT_TRANSLATE_NOOP("ImportProgress", "empty");
    else if (!patterns.isEmpty() && !QDir::match(patterns, info.fileName()))
        reason = isPhoto
            ? QT_TRANSLATE_NOOP("ImportProgress", "not a photo file that can be read")
            : QT_TRANSLATE_NOOP("ImportProgress", "not an audio file that can be read");
    else
        reason = isPhoto
            ? QT_TRANSLATE_NOOP("ImportProgress", "damaged, or not a photo that can be read")
            : QT_TRANSLATE_NOOP("ImportProgress", "damaged, or not audio that can be read");
    return QCoreApplication::translate("ImportProgress", reason);
}

QString unreadableFileList(const QStringList &paths, bool isPhoto)
{
    QStringList lines;
    lines.reserve(paths.size());
    for (const QString &path : paths) {
        lines.append(QCoreApplication::translate("ImportProgress", "%1: %2",
                                                 "a file that was not added, and why")
                         .arg(QDir::toNativeSeparators(path), unreadableFileReason(path, isPhoto)));
    }
    return lines.join(QLatin1Char('\n'));
}
