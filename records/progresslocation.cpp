// SPDX-FileCopyrightText: The Numblaze developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "records/progresslocation.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QStandardPaths>
#include <cerrno>
#include <dirent.h>
#include <fcntl.h>
#include <optional>
#include <unistd.h>
#include <utility>

namespace numblaze
{

namespace
{
enum class Take {
    Locked,
    /// Another program holds a write lock on it, as a copy of the game does.
    Busy,
    /// Someone reading it holds a read lock, which the game never takes: any user who can read
    /// the file can, so it keeps the lock off this file but nobody out of the game.
    ReadLocked,
    NotUsable,
};

/// What keeps the write lock off the open file fd, or nothing when no lock does any more.
std::optional<Take> whatHolds(int fd)
{
    struct flock lock {
    };
    lock.l_type = F_WRLCK;
    lock.l_whence = SEEK_SET;
    if (::fcntl(fd, F_OFD_GETLK, &lock) != 0)
        return Take::Busy;
    if (lock.l_type == F_UNLCK)
        return std::nullopt;
    return lock.l_type == F_RDLCK ? Take::ReadLocked : Take::Busy;
}

/// Opens name in folder for writing and locks it. Only a file that nobody but the player can open
/// for writing is used: anyone else could lock it too. With create, a missing file is made, and
/// only a file made here and now is ever given to the folder's owner, never one found there.
Take take(const Folder& folder, const QByteArray& name, bool create, int* fd, QString* error)
{
    *fd = -1;
    const int flags = O_WRONLY | O_NOFOLLOW | O_NONBLOCK | O_NOCTTY | O_CLOEXEC;
    const auto opening = [&](int more) {
        int opened = ::openat(folder.fd(), name.constData(), flags | more, 0600);
        while (opened < 0 && errno == EINTR)
            opened = ::openat(folder.fd(), name.constData(), flags | more, 0600);
        return opened;
    };
    for (int attempt = 0; attempt < 10; ++attempt) {
        int opened = opening(0);
        bool made = false;
        if (opened < 0 && errno == ENOENT && create) {
            opened = opening(O_CREAT | O_EXCL);
            made = opened >= 0;
        }
        if (opened < 0) {
            if (errno == EEXIST && create)
                continue;
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
        // file is (warned of, never a reason to stop).
        QString notGiven;
        if (made && !giveToFolderOwner(folder.fd(), opened, &notGiven))
            qWarning("numblaze: the lock file could not be given to the folder's owner");
        const int failure = lockForWriting(opened);
        if (failure != 0) {
            const std::optional<Take> held =
                failure == EAGAIN || failure == EACCES ? whatHolds(opened) : Take::NotUsable;
            ::close(opened);
            if (held == Take::NotUsable)
                *error = qt_error_string(failure);
            if (held)
                return *held;
            continue;
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
    // the lock): a copy that started before the folder had records, or while someone reading
    // them held a read lock, holds the lock file.
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

qint64 progressLockHolder(const QString& folder)
{
    const Folder place = Folder::open(QFile::encodeName(folder));
    QList<std::pair<dev_t, ino_t>> lockable;
    for (const QByteArray& name : {RecordsFileName, LockFileName}) {
        struct stat st {
        };
        if (place.isOpen() &&
            ::fstatat(place.fd(), name.constData(), &st, AT_SYMLINK_NOFOLLOW) == 0)
            lockable << std::pair(st.st_dev, st.st_ino);
    }
    if (lockable.isEmpty())
        return 0;
    // Each process's open files, and the locks each holds (its fdinfo lists them).
    const qint64 self = QCoreApplication::applicationPid();
    const QStringList processes = QDir(QStringLiteral("/proc")).entryList(QDir::Dirs);
    for (const QString& process : processes) {
        bool number = false;
        const qint64 pid = process.toLongLong(&number);
        if (!number || pid == self)
            continue;
        const QByteArray files = "/proc/" + process.toLatin1() + "/fd";
        DIR* listing = ::opendir(files.constData());
        qint64 found = 0;
        while (const dirent* entry = listing && !found ? ::readdir(listing) : nullptr) {
            struct stat st {
            };
            if (::fstatat(::dirfd(listing), entry->d_name, &st, 0) != 0 ||
                !lockable.contains(std::pair(st.st_dev, st.st_ino)))
                continue;
            QFile info(QStringLiteral("/proc/%1/fdinfo/%2")
                           .arg(process, QString::fromLatin1(entry->d_name)));
            if (!info.open(QIODevice::ReadOnly))
                continue;
            for (const QByteArray& line : info.readAll().split('\n'))
                if (line.startsWith("lock:") && line.contains(" WRITE "))
                    found = pid;
        }
        if (listing)
            ::closedir(listing);
        if (found)
            return found;
    }
    return 0;
}

} // namespace numblaze
