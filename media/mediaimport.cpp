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
