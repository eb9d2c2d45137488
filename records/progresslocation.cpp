// SPDX-FileCopyrightText: The Numblaze developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "records/progresslocation.h"

#include <QFile>
#include <QStandardPaths>
#include <cerrno>
#include <fcntl.h>
#include <unistd.h>
#include <utility>

namespace numblaze
{

namespace
{
enum class Take { Locked, Busy, NotUsable };

/// Opens name in folder for writing (making it when create is set) and locks it. Only a file
/// that nobody but the player can open for writing is used: anyone else could lock it too.
Take take(const Folder& folder, const QByteArray& name, bool create, int* fd, QString* error)
{
    *fd = -1;
    const int flags =
        O_WRONLY | O_NOFOLLOW | O_NONBLOCK | O_NOCTTY | O_CLOEXEC | (create ? O_CREAT : 0);
    for (int attempt = 0; attempt < 10; ++attempt) {
        int opened = ::openat(folder.fd(), name.constData(), flags, 0600);
        while (opened < 0 && errno == EINTR)
            opened = ::openat(folder.fd(), name.constData(), flags, 0600);
        if (opened < 0) {
            if (errno != ENOENT || create)
                *error = qt_error_string(errno);
            return Take::NotUsable;
        }
        struct stat st {
        };
        if (::fstat(opened, &st) != 0 || !onlyPlayerCanWrite(st, folder)) {
            ::close(opened);
            return Take::NotUsable;
        }
        // A lock file that root makes in a player's folder is the player's, as their records
        // file is (only a file root owns is given away; warned of, never a reason to stop).
        QString notGiven;
        if (create && st.st_uid == 0 && !giveToFolderOwner(folder.fd(), opened, nullptr, &notGiven))
            qWarning("numblaze: the lock file could not be given to the folder's owner");
        const int failure = lockForWriting(opened);
        if (failure != 0) {
            ::close(opened);
            if (failure == EAGAIN || failure == EACCES)
                return Take::Busy;
            *error = qt_error_string(failure);
            return Take::NotUsable;
        }
        // A save may have put a new file in its place, or the lock file gone, between the open
        // and the lock: the lock counts only on the file the name leads to now.
        struct stat now {
        };
        if (::fstatat(folder.fd(), name.constData(), &now, AT_SYMLINK_NOFOLLOW) == 0 &&
            now.st_dev == st.st_dev && now.st_ino == st.st_ino) {
            *fd = opened;
            return Take::Locked;
        }
        ::close(opened);
    }
    return Take::NotUsable;
}
} // namespace

QString playerDataFolder()
{
    // Without a home folder Qt's answer lies under the file system's root.
    if (qEnvironmentVariableIsEmpty("HOME"))
        return QString();
    // Named here rather than taken from the application's names, which name the player's
    // settings: the records' folder is where every earlier version kept them.
    return QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation) +
           QStringLiteral("/Numblaze");
}

ProgressLock::ProgressLock(ProgressLock&& other) noexcept
    : result(other.result), folder(std::move(other.folder)), error(std::move(other.error)),
      records_(other.records_), lockFile_(other.lockFile_)
{
    other.records_ = other.lockFile_ = -1;
    other.result = ProgressLockResult::Unavailable;
}

ProgressLock& ProgressLock::operator=(ProgressLock&& other) noexcept
{
    if (this != &other) {
        release();
        result = other.result;
        folder = std::move(other.folder);
        error = std::move(other.error);
        records_ = other.records_;
        lockFile_ = other.lockFile_;
        other.records_ = other.lockFile_ = -1;
        other.result = ProgressLockResult::Unavailable;
    }
    return *this;
}

ProgressLock::~ProgressLock()
{
    release();
}

void ProgressLock::release()
{
    if (records_ >= 0)
        ::close(records_);
    records_ = -1;
    dropLockFile();
}

void ProgressLock::dropLockFile()
{
    if (lockFile_ < 0)
        return;
    // Removed while still locked, and only if it is still ours: a copy that opened it meanwhile
    // finds it gone and starts over.
    struct stat held {
    };
    struct stat named {
    };
    if (::fstat(lockFile_, &held) == 0 &&
        ::fstatat(folder.fd(), LockFileName.constData(), &named, AT_SYMLINK_NOFOLLOW) == 0 &&
        held.st_dev == named.st_dev && held.st_ino == named.st_ino)
        ::unlinkat(folder.fd(), LockFileName.constData(), 0);
    ::close(lockFile_);
    lockFile_ = -1;
}

void ProgressLock::moveOnto(int fd)
{
    if (records_ >= 0)
        ::close(records_);
    records_ = fd;
    dropLockFile();
}

ProgressLock lockProgressFolder(Folder folder)
{
    ProgressLock lock;
    if (!folder.isOpen()) {
        lock.error = qt_error_string(ENOENT);
        return lock;
    }
    // The records file first, then the lock file (made only when the records file cannot carry
    // the lock): a copy that started before the folder had records holds the lock file.
    lock.folder = std::move(folder);
    const Folder& place = lock.folder;
    const Take records = take(place, RecordsFileName, false, &lock.records_, &lock.error);
    Take file = Take::NotUsable;
    if (records != Take::Busy)
        file = take(place, LockFileName, records != Take::Locked, &lock.lockFile_, &lock.error);
    if (records == Take::Busy || file == Take::Busy) {
        lock.release();
        lock.result = ProgressLockResult::HeldByAnother;
    } else if (records == Take::Locked || file == Take::Locked) {
        lock.result = ProgressLockResult::Held;
        lock.error.clear();
        if (records == Take::Locked && file == Take::Locked)
            lock.dropLockFile();
    } else if (lock.error.isEmpty()) {
        //: Why the game cannot be sure it is the only copy using the records (a clause in lower
        //: case, put in brackets after the folder's name).
        lock.error = RecordsText::tr("no file there can be locked by you alone");
    }
    return lock;
}

ProgressLock lockProgressFolder(const QString& folder)
{
    QString error;
    Folder opened = Folder::open(QFile::encodeName(folder), &error);
    ProgressLock lock = lockProgressFolder(std::move(opened));
    if (!error.isEmpty())
        lock.error = error;
    return lock;
}

} // namespace numblaze
