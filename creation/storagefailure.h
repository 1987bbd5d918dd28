// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QStringList>

// Why a creation failed when the cause is where its files go rather than the encoder: the output
// folder removed while the video was being made, or no room left on a disk it writes to.

enum class StorageFailure {
    None,
    FolderGone, // the output folder no longer exists
    DiskFull, // a write found no room left on the disk
    FileTooLarge, // the file system (or a limit on file sizes) refused to let a file grow
};

// What the encoders' last words say about their writes: "No space left on device" and "Disk
// quota exceeded" mean a full disk, "File too large" a file size the system does not allow.
StorageFailure storageFailureInLog(const QStringList &lines);

struct StorageProblem
{
    StorageFailure failure = StorageFailure::None;
    QString folder; // the folder whose disk it is, or the folder that is gone
};

// The cause for a failed creation writing into outputFolder with its temporaries in tempFolder:
// the folder gone, a full disk or too large a file from the logs, or a full disk found by
// looking at the free space where each folder lies. The disk named is the temporary folder's
// when that one has no room left, else the output folder's. Called before the job's partial
// files are removed, while they still take up the room they took.
StorageProblem storageFailure(const QString &outputFolder, const QString &tempFolder,
                              const QStringList &logLines);
