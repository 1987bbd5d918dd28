// SPDX-License-Identifier: GPL-3.0-or-later
#include "creation/storagefailure.h"

#include <QDir>
#include <QFileInfo>
#include <QStorageInfo>

namespace {

// Less room than this counts as none: an encoder stops at its first refused write, which can
// leave a few blocks free behind it.
constexpr qint64 NearlyFullBytes = 256 * 1024;

bool nearlyFull(const QString &folder)
{
    if (folder.isEmpty() || !QFileInfo(folder).isDir())
        return false;
    const QStorageInfo storage(folder);
    return storage.isValid() && storage.isReady() && storage.bytesAvailable() >= 0
        && storage.bytesAvailable() < NearlyFullBytes;
}

} // namespace

StorageFailure storageFailureInLog(const QStringList &lines)
{
    StorageFailure found = StorageFailure::None;
    for (const QString &line : lines) {
        if (line.contains(QLatin1String("No space left on device"), Qt::CaseInsensitive)
            || line.contains(QLatin1String("Disk quota exceeded"), Qt::CaseInsensitive))
            return StorageFailure::DiskFull;
        if (line.contains(QLatin1String("File too large"), Qt::CaseInsensitive))
            found = StorageFailure::FileTooLarge;
    }
    return found;
}

StorageProblem storageFailure(const QString &outputFolder, const QString &tempFolder,
                              const QStringList &logLines)
{
    if (!outputFolder.isEmpty() && !QFileInfo(outputFolder).isDir())
        return {StorageFailure::FolderGone, outputFolder};
    const bool tempFull = nearlyFull(tempFolder);
    const QString where = tempFull ? tempFolder : outputFolder;
    const StorageFailure logged = storageFailureInLog(logLines);
    if (logged != StorageFailure::None)
        return {logged, where};
    if (tempFull || nearlyFull(outputFolder))
        return {StorageFailure::DiskFull, where};
    return {};
}
