// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

// The files a creation leaves behind only when it dies: its folder for the temporaries and its
// partial output, which lies in the output folder under a hidden name until the job renames it
// to the final name. While the job runs it holds a lock on each, so that a later start removes
// only the leftovers that no running job holds.

// An advisory lock on a file or folder, held from hold() until destruction or release(). Not
// inherited by started programs.
class JobFileLock
{
public:
    JobFileLock() = default;
    ~JobFileLock();
    JobFileLock(const JobFileLock &) = delete;
    JobFileLock &operator=(const JobFileLock &) = delete;

    // Locks path (a file or folder of this user); false when it cannot be opened or is locked.
    bool hold(const QString &path);
    // Makes a new, empty partial output in folder for name.ext and locks it; its path, or empty
    // when none can be made.
    QString createPartialOutput(const QString &folder, const QString &name, const QString &ext);
    void release();
    bool isHeld() const { return fd >= 0; }

private:
    int fd = -1;
};

// Whether fileName is the name of a partial output (".name.XXXXXX.part.ext").
bool isPartialOutputName(const QString &fileName);

// A lock file (QLockFile) held while a job starts: another start then neither takes the job's
// files for leftovers before the job holds them, nor removes them while it does. Empty when
// there is no place for it.
QString creationStartLockPath();

// Removes the job folders in the temporary folder and the partial outputs in outputFolder that
// this user's earlier runs left, skipping those a running job holds. Returns how many it removed.
// Call it holding the lock at creationStartLockPath().
int removeCreationLeftovers(const QString &outputFolder);

// Renames the partial output to the first free name of folder/name.ext, folder/name(1).ext, ...
// without ever replacing a file; the name it got, or empty when it cannot be renamed.
QString publishPartialOutput(const QString &partial, const QString &folder, const QString &name,
                             const QString &ext);
