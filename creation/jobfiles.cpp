// SPDX-License-Identifier: GPL-3.0-or-later
#include "creation/jobfiles.h"

#include "creation/commandline.h"
#include "zofc/zoutils.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>
#include <QRegularExpression>
#include <QStandardPaths>
#include <cerrno>
#include <cstdio>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

const QLatin1String partialMark(".part.");
// QTemporaryDir's template in the temporary folder, as CreationJob makes its folder.
const QRegularExpression jobFolderName(QStringLiteral("^vellumix-[A-Za-z0-9]{6}$"));
const QRegularExpression
    partialName(QStringLiteral("^\\..+\\.[A-Za-z0-9]{6}\\.part\\.[A-Za-z0-9]+$"));

// Opens path without following a link, when it is this user's; -1 otherwise.
int openOwn(const QString &path, bool folder)
{
    const int fd = ::open(QFile::encodeName(path).constData(),
                          O_RDONLY | O_NOFOLLOW | O_CLOEXEC | (folder ? O_DIRECTORY : 0));
    if (fd < 0)
        return -1;
    struct stat info;
    if (::fstat(fd, &info) != 0 || info.st_uid != ::geteuid()
        || (folder ? !S_ISDIR(info.st_mode) : !S_ISREG(info.st_mode))) {
        ::close(fd);
        return -1;
    }
    return fd;
}

// Removes path when nobody holds its lock; the lock is kept while removing.
bool removeUnheld(const QString &path, bool folder)
{
    const int fd = openOwn(path, folder);
    if (fd < 0)
        return false;
    bool removed = false;
    if (::flock(fd, LOCK_EX | LOCK_NB) == 0)
        removed = folder ? QDir(path).removeRecursively() : QFile::remove(path);
    ::close(fd);
    return removed;
}

QString randomTag()
{
    static const char letters[] = "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789";
    QString tag;
    for (int i = 0; i < 6; ++i)
        tag += QLatin1Char(letters[QRandomGenerator::global()->bounded(62)]);
    return tag;
}

} // namespace

JobFileLock::~JobFileLock()
{
    release();
}

void JobFileLock::release()
{
    if (fd >= 0)
        ::close(fd);
    fd = -1;
}

bool JobFileLock::hold(const QString &path)
{
    release();
    const QFileInfo info(path);
    fd = openOwn(path, info.isDir());
    if (fd >= 0 && ::flock(fd, LOCK_EX | LOCK_NB) != 0)
        release();
    return fd >= 0;
}

QString JobFileLock::createPartialOutput(const QString &folder, const QString &name,
                                         const QString &ext)
{
    release();
    for (int attempt = 0; attempt < 100; ++attempt) {
        const QString path = folder + QStringLiteral("/.") + name + QLatin1Char('.') + randomTag()
            + partialMark + ext;
        // Created as the encoder would create the file, so that the video gets the usual rights.
        fd = ::open(QFile::encodeName(path).constData(),
                    O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0666);
        if (fd >= 0) {
            if (::flock(fd, LOCK_EX | LOCK_NB) == 0)
                return path;
            release();
            QFile::remove(path);
            return QString();
        }
        if (errno != EEXIST)
            break;
    }
    return QString();
}

QString creationStartLockPath()
{
    const QString folder = QStandardPaths::writableLocation(QStandardPaths::CacheLocation);
    if (folder.isEmpty() || !QDir().mkpath(folder))
        return QString();
    return folder + QStringLiteral("/creation.lock");
}

bool isPartialOutputName(const QString &fileName)
{
    return partialName.match(fileName).hasMatch();
}

int removeCreationLeftovers(const QString &outputFolder)
{
    int removed = 0;
    const QString temp = Zo::tempPath();
    if (!temp.isEmpty()) {
        const QDir dir(temp);
        for (const QString &entry :
             dir.entryList({QStringLiteral("vellumix-*")}, QDir::Dirs | QDir::NoDotAndDotDot)) {
            if (jobFolderName.match(entry).hasMatch() && removeUnheld(dir.filePath(entry), true))
                ++removed;
        }
    }
    if (!outputFolder.isEmpty()) {
        const QDir dir(outputFolder);
        for (const QString &entry :
             dir.entryList({QStringLiteral(".*.part.*")}, QDir::Files | QDir::Hidden)) {
            if (isPartialOutputName(entry) && removeUnheld(dir.filePath(entry), false))
                ++removed;
        }
    }
    return removed;
}

QString publishPartialOutput(const QString &partial, const QString &folder, const QString &name,
                             const QString &ext)
{
    const QByteArray from = QFile::encodeName(partial);
    for (int attempt = 0; attempt < 1000; ++attempt) {
        const QString target = uniqueOutputPath(folder, name, ext);
        const QByteArray to = QFile::encodeName(target);
        // A hard link never replaces a file; where the file system has no links, a rename right
        // after the check that the name is free.
        if (::link(from.constData(), to.constData()) == 0) {
            ::unlink(from.constData());
            return target;
        }
        if (errno == EEXIST)
            continue;
        if (errno != EPERM && errno != EOPNOTSUPP && errno != EMLINK)
            return QString();
        if (!QFileInfo::exists(target) && ::rename(from.constData(), to.constData()) == 0)
            return target;
        if (!QFileInfo::exists(partial))
            return QString();
    }
    return QString();
}
