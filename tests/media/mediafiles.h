// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QColor>
#include <QFile>
#include <QImage>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>

// Photo files for the strip and import tests, written into a temporary folder.
namespace MediaFiles {

// A JPEG of the given size, a different colour for each seed.
inline bool writePhoto(const QString &path, int width = 320, int height = 240, int seed = 0)
{
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(QColor::fromHsv((seed * 47) % 360, 200, 220));
    return image.save(path, "JPEG", 85);
}

// A file with a photo's name that no image reader can decode.
inline bool writeGarbage(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write("this is not a picture") > 0;
}

// count photos named photo00.jpg, photo01.jpg, ...; the indexes in unreadable get garbage.
inline QStringList writeBatch(const QTemporaryDir &dir, int count,
                              const QList<int> &unreadable = {}, int width = 320, int height = 240)
{
    QStringList paths;
    for (int i = 0; i < count; ++i) {
        const QString path
            = dir.filePath(QStringLiteral("photo%1.jpg").arg(i, 2, 10, QLatin1Char('0')));
        const bool ok
            = unreadable.contains(i) ? writeGarbage(path) : writePhoto(path, width, height, i);
        if (!ok)
            return {};
        paths.append(path);
    }
    return paths;
}

} // namespace MediaFiles
