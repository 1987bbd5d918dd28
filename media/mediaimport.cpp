// SPDX-License-Identifier: GPL-3.0-or-later
#include "media/mediaimport.h"

#include "storyboard/photoloader.h"
#include "storyboard/storyboard.h"

#include <QDir>
#include <QFileInfo>

QStringList expandImportPaths(const QList<QUrl> &urls, const QStringList &nameFilters,
                              bool expandFolders)
{
    QStringList paths;
    for (const QUrl &url : urls) {
        const QString path = url.toLocalFile();
        const QFileInfo info(path);
        if (!path.isEmpty() && info.isDir()) {
            if (!expandFolders)
                break;
            const QFileInfoList entries
                = QDir(path).entryInfoList(nameFilters, QDir::AllEntries | QDir::NoDotAndDotDot,
                                           QDir::Name | QDir::IgnoreCase);
            for (const QFileInfo &entry : entries)
                paths.append(entry.absoluteFilePath());
        } else {
            paths.append(path);
        }
    }
    return paths;
}

void prepareNewPhoto(ImageInfo &info, bool autoRotate)
{
    if (autoRotate)
        applyCameraOrientation(info);
    info.zoom = nextDefaultZoom();
    foldOrientation(info);
}

QList<int> parseDraggedRows(const QByteArray &payload, const std::function<bool(int)> &validRow)
{
    QList<QByteArray> fields = payload.split('\0');
    // Every field ends with a NUL, so the split leaves one empty field at the end.
    if (fields.size() < 2 || !fields.last().isEmpty())
        return {};
    fields.removeLast();
    bool ok = false;
    const int number = fields.first().toInt(&ok);
    if (!ok || number <= 0 || number != fields.size() - 1)
        return {};
    QList<int> rows;
    for (int i = 1; i < fields.size(); ++i) {
        const int row = fields.at(i).toInt(&ok);
        if (!ok || !validRow(row) || rows.contains(row))
            return {};
        rows.append(row);
    }
    return rows;
}
