// SPDX-FileCopyrightText: The Numblaze developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "records/progressdisk.h"

#include <QCoreApplication>
#include <QFile>
#include <QRandomGenerator>
#include <cerrno>
#include <climits>
#include <cstdlib>
#include <dirent.h>
#include <fcntl.h>
#include <unistd.h>

namespace numblaze
{

namespace
{
QString systemError(int code = errno)
{
    return qt_error_string(code);
}

/// Retries a system call that a signal interrupted.
template <class Call> auto retrying(Call call)
{
    auto result = call();
    while (result < 0 && errno == EINTR)
        result = call();
    return result;
}

bool writeAll(int fd, const QByteArray& bytes, QString* error)
{
    for (qsizetype done = 0; done < bytes.size();) {
        const ssize_t written =
            retrying([&] { return ::write(fd, bytes.constData() + done, bytes.size() - done); });
        if (written <= 0) {
            *error = systemError(written < 0 ? errno : ENOSPC);
            return false;
        }
        done += written;
    }
    return true;
}

/// Creates a new, empty file beside name whose name nobody else uses; -1 on failure.
int createSibling(const Folder& folder, const QByteArray& name, QByteArray* sibling)
{
    for (int attempt = 0; attempt < 100; ++attempt) {
        *sibling =
            '.' + name + '.' + QByteArray::number(QRandomGenerator::global()->generate(), 36);
        const int fd = retrying([&] {
            return ::openat(folder.fd(), sibling->constData(),
                            O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0666);
        });
        if (fd >= 0 || errno != EEXIST)
            return fd;
    }
    errno = EEXIST;
    return -1;
}

/// Gives the new file the old one's permissions, and its owner when the game runs as root (a
/// run under sudo must not leave the player a file they cannot change).
bool takeOverAttributes(int fd, const struct stat& old, QString* error)
{
    if (::fchmod(fd, old.st_mode & 07777) != 0 ||
        (::geteuid() == 0 && ::fchown(fd, old.st_uid, old.st_gid) != 0)) {
        *error = systemError();
        return false;
    }
    return true;
}

int openFolderAt(int base, const char* name)
{
    return retrying([&] { return ::openat(base, name, O_RDONLY | O_DIRECTORY | O_CLOEXEC); });
}

/// Opens path one folder at a time from base (from the root for an absolute path), so that a
/// path of any length can be opened. With create, the folders it lacks are made on the way.
int openPath(int base, const QByteArray& path, bool create, QString* error)
{
    int fd = path.startsWith('/') ? openFolderAt(AT_FDCWD, "/") : ::fcntl(base, F_DUPFD_CLOEXEC, 0);
    for (const QByteArray& part : path.split('/')) {
        if (fd < 0 || part.isEmpty())
            continue;
        int next = openFolderAt(fd, part.constData());
        if (next < 0 && errno == ENOENT && create) {
            if (::mkdirat(fd, part.constData(), 0777) == 0 || errno == EEXIST) {
                if (!giveToFolderOwner(fd, -1, part.constData(), error)) {
                    ::close(fd);
                    return -1;
                }
                next = openFolderAt(fd, part.constData());
            }
        }
        const int failure = errno;
        ::close(fd);
        fd = next;
        errno = failure;
    }
    if (fd < 0 && error)
        *error = systemError();
    return fd;
}

/// The text of the link name in folder, however long; empty when it cannot be read.
QByteArray readLinkAt(int folder, const QByteArray& name)
{
    QByteArray text(256, '\0');
    for (;;) {
        const ssize_t length = ::readlinkat(folder, name.constData(), text.data(), text.size());
        if (length < 0)
            return QByteArray();
        if (length < text.size())
            return text.left(length);
        text.resize(text.size() * 2);
    }
}

/// True when name is a temporary file of a save of file: "." + file + "." + a random part.
bool isLeftoverOf(const QByteArray& name, const QByteArray& file)
{
    const QByteArray prefix = '.' + file + '.';
    if (!name.startsWith(prefix) || name.size() == prefix.size() ||
        name.size() > prefix.size() + 13)
        return false;
    for (qsizetype i = prefix.size(); i < name.size(); ++i)
        if (!((name[i] >= '0' && name[i] <= '9') || (name[i] >= 'a' && name[i] <= 'z')))
            return false;
    return true;
}
} // namespace

bool giveToFolderOwner(int parent, int fd, const char* name, QString* error)
{
    struct stat folder {
    };
    if (::geteuid() != 0)
        return true;
    if (::fstat(parent, &folder) != 0) {
        *error = systemError();
        return false;
    }
    if (folder.st_uid == 0)
        return true;
    const int done =
        fd >= 0 ? ::fchown(fd, folder.st_uid, folder.st_gid)
                : ::fchownat(parent, name, folder.st_uid, folder.st_gid, AT_SYMLINK_NOFOLLOW);
    if (done != 0) {
        *error = systemError();
        return false;
    }
    return true;
}

FileIdentity FileIdentity::of(const struct stat& st)
{
    FileIdentity identity;
    identity.exists = true;
    identity.device = st.st_dev;
    identity.inode = st.st_ino;
    identity.size = st.st_size;
    identity.modifiedSeconds = st.st_mtim.tv_sec;
    identity.modifiedNanoseconds = st.st_mtim.tv_nsec;
    identity.changedSeconds = st.st_ctim.tv_sec;
    identity.changedNanoseconds = st.st_ctim.tv_nsec;
    return identity;
}

// Folder

Folder::Folder(Folder&& other) noexcept : fd_(other.fd_), path_(std::move(other.path_))
{
    other.fd_ = -1;
}

Folder& Folder::operator=(Folder&& other) noexcept
{
    if (this != &other) {
        if (fd_ >= 0)
            ::close(fd_);
        fd_ = other.fd_;
        path_ = std::move(other.path_);
        other.fd_ = -1;
    }
    return *this;
}

Folder::~Folder()
{
    if (fd_ >= 0)
        ::close(fd_);
}

Folder Folder::open(const QByteArray& path, QString* error)
{
    Folder folder;
    folder.path_ = path;
    if (path.isEmpty()) {
        if (error)
            *error = systemError(ENOENT);
        return folder;
    }
    folder.fd_ = path.size() < PATH_MAX ? openFolderAt(AT_FDCWD, path.constData()) : -1;
    if (folder.fd_ < 0 && (path.size() >= PATH_MAX || errno == ENAMETOOLONG))
        folder.fd_ = openPath(AT_FDCWD, path, false, nullptr);
    if (folder.fd_ < 0 && error)
        *error = systemError();
    return folder;
}

Folder Folder::make(const QByteArray& path, QString* error)
{
    Folder folder = open(path, error);
    if (folder.isOpen() || errno != ENOENT)
        return folder;
    folder.fd_ = openPath(AT_FDCWD, path, true, error);
    return folder;
}

Folder Folder::openInside(const QByteArray& name, QString* error) const
{
    Folder folder;
    folder.path_ = path_ + '/' + name;
    folder.fd_ = openPath(fd_, name, false, error);
    return folder;
}

Folder Folder::duplicate() const
{
    Folder folder;
    folder.path_ = path_;
    folder.fd_ = fd_ < 0 ? -1 : ::fcntl(fd_, F_DUPFD_CLOEXEC, 0);
    return folder;
}

QString Folder::displayName(const QByteArray& name) const
{
    return QFile::decodeName(path_.endsWith('/') ? path_ + name : path_ + '/' + name);
}

bool Folder::isWritable(QString* error) const
{
    int fd = ::openat(fd_, ".", O_TMPFILE | O_WRONLY | O_CLOEXEC, 0600);
    if (fd >= 0) {
        ::close(fd);
        return true;
    }
    // Some file systems cannot make a file without a name: try a named one, then remove it.
    if (errno == EOPNOTSUPP || errno == EISDIR || errno == EINVAL) {
        QByteArray probe;
        fd = createSibling(*this, "numblaze-probe", &probe);
        if (fd >= 0) {
            ::close(fd);
            ::unlinkat(fd_, probe.constData(), 0);
            return true;
        }
    }
    if (error)
        *error = systemError();
    return false;
}

QByteArray Folder::absolutePath() const
{
    QByteArray path;
    int current = fd_ < 0 ? -1 : ::fcntl(fd_, F_DUPFD_CLOEXEC, 0);
    while (current >= 0) {
        struct stat here {
        };
        struct stat up {
        };
        const int parent = openFolderAt(current, "..");
        const bool known = parent >= 0 && ::fstat(current, &here) == 0 && ::fstat(parent, &up) == 0;
        ::close(current);
        current = parent;
        if (!known)
            break;
        if (up.st_dev == here.st_dev && up.st_ino == here.st_ino) {
            ::close(current);
            return path.isEmpty() ? QByteArray("/") : path;
        }
        // The entry of the parent that is this folder (a mount point shows what is mounted).
        const int listingFd = ::fcntl(parent, F_DUPFD_CLOEXEC, 0);
        DIR* listing = listingFd < 0 ? nullptr : ::fdopendir(listingFd);
        QByteArray name;
        while (listing && name.isEmpty()) {
            const dirent* entry = ::readdir(listing);
            if (!entry)
                break;
            struct stat st {
            };
            if (qstrcmp(entry->d_name, ".") != 0 && qstrcmp(entry->d_name, "..") != 0 &&
                ::fstatat(parent, entry->d_name, &st, AT_SYMLINK_NOFOLLOW) == 0 &&
                st.st_dev == here.st_dev && st.st_ino == here.st_ino)
                name = entry->d_name;
        }
        if (listing)
            ::closedir(listing);
        if (name.isEmpty())
            break;
        path = '/' + name + path;
    }
    if (current >= 0)
        ::close(current);
    return QByteArray();
}

bool Folder::belongsToPlayer() const
{
    struct stat st {
    };
    return ::fstat(fd_, &st) == 0 && st.st_uid == ::geteuid();
}

bool Folder::sync(QString* error) const
{
    // A file system that cannot sync a folder (some network ones) has nothing to sync.
    if (::fsync(fd_) == 0 || errno == EINVAL)
        return true;
    if (error)
        *error = systemError();
    return false;
}

void Folder::removeLeftoversOf(const QByteArray& name) const
{
    const int fd = fd_ < 0 ? -1 : ::fcntl(fd_, F_DUPFD_CLOEXEC, 0);
    DIR* listing = fd < 0 ? nullptr : ::fdopendir(fd);
    if (!listing) {
        if (fd >= 0)
            ::close(fd);
        return;
    }
    const uid_t player = ::geteuid();
    while (const dirent* entry = ::readdir(listing)) {
        struct stat st {
        };
        if (isLeftoverOf(entry->d_name, name) &&
            ::fstatat(fd_, entry->d_name, &st, AT_SYMLINK_NOFOLLOW) == 0 && S_ISREG(st.st_mode) &&
            st.st_uid == player)
            ::unlinkat(fd_, entry->d_name, 0);
    }
    ::closedir(listing);
}

bool onlyPlayerCanWrite(const struct stat& file, const Folder& folder)
{
    if (!S_ISREG(file.st_mode) || (file.st_mode & (S_IWGRP | S_IWOTH)) != 0)
        return false;
    const uid_t player = ::geteuid();
    struct stat owner {
    };
    return file.st_uid == player ||
           (player == 0 && ::fstat(folder.fd(), &owner) == 0 && file.st_uid == owner.st_uid);
}

int lockForWriting(int fd)
{
    struct flock lock {
    };
    lock.l_type = F_WRLCK;
    lock.l_whence = SEEK_SET;
    return retrying([&] { return ::fcntl(fd, F_OFD_SETLK, &lock); }) == 0 ? 0 : errno;
}

// Reading

FileRead readRegularFile(const Folder& folder, const QByteArray& name, qint64 limit)
{
    FileRead result;
    struct stat st {
    };
    // Non-blocking, so that opening a FIFO does not wait for a writer that never comes.
    const int fd = retrying([&] {
        return ::openat(folder.fd(), name.constData(),
                        O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    });
    if (fd < 0) {
        if (errno == ENOENT)
            return result;
        result.outcome = FileRead::Outcome::Failed;
        result.error = systemError();
        if (::fstatat(folder.fd(), name.constData(), &st, 0) == 0)
            result.identity = FileIdentity::of(st);
        return result;
    }
    result.outcome = FileRead::Outcome::Failed;
    if (::fstat(fd, &st) != 0) {
        result.error = systemError();
    } else if (!S_ISREG(st.st_mode)) {
        result.identity = FileIdentity::of(st);
        //: Why the records cannot be read or saved, put into a message after the file's name:
        //: a clause starting in lower case, without a full stop. "It" is the file Progress.txt.
        result.error = RecordsText::tr("it is not an ordinary file");
    } else {
        result.identity = FileIdentity::of(st);
        result.bytes.resize(limit);
        qint64 got = 0;
        ssize_t n = 0;
        while (got < limit && (n = retrying([&] {
                                   return ::read(fd, result.bytes.data() + got, limit - got);
                               })) > 0)
            got += n;
        result.bytes.truncate(got);
        if (n < 0)
            result.error = systemError();
        else
            result.outcome = FileRead::Outcome::Read;
    }
    ::close(fd);
    return result;
}

// Saving

SaveTarget saveTargetFor(const Folder& folder, const QByteArray& name)
{
    SaveTarget target;
    target.name = name;
    struct stat st {
    };
    if (::fstatat(folder.fd(), name.constData(), &st, AT_SYMLINK_NOFOLLOW) != 0) {
        if (errno == ENOENT)
            target.folder = folder.duplicate();
        else
            target.refusal = systemError();
        return target;
    }
    target.folder = folder.duplicate();
    for (int hops = 0; S_ISLNK(st.st_mode); ++hops) {
        // The link stays; the file it leads to is replaced, if the link, its folder and that file
        // are all the player's own.
        target.throughLink = true;
        if (hops == 8) {
            target.refusal = systemError(ELOOP);
            return target;
        }
        if (st.st_uid != ::geteuid() || !target.folder.belongsToPlayer()) {
            //: Why the records cannot be saved (a clause in lower case): "it" is Progress.txt, a
            //: link to another file.
            target.refusal = RecordsText::tr(
                "it is a link that another user made, or that lies in another user's folder");
            return target;
        }
        const QByteArray to = readLinkAt(target.folder.fd(), target.name);
        const qsizetype slash = to.lastIndexOf('/');
        QString error;
        if (!to.isEmpty() && slash >= 0) {
            const QByteArray path = slash == 0 ? QByteArray("/") : to.left(slash);
            target.folder = path.startsWith('/') ? Folder::open(path, &error)
                                                 : target.folder.openInside(path, &error);
        }
        target.name = to.mid(slash + 1);
        if (to.isEmpty() || !target.folder.isOpen()) {
            target.refusal = error.isEmpty() ? systemError() : error;
            return target;
        }
        if (::fstatat(target.folder.fd(), target.name.constData(), &st, AT_SYMLINK_NOFOLLOW) != 0) {
            target.refusal = errno == ENOENT
                                 //: Why the records cannot be saved (a clause in lower case).
                                 ? RecordsText::tr("it is a link to a file that does not exist")
                                 : systemError();
            return target;
        }
        if (!S_ISLNK(st.st_mode) && st.st_uid != ::geteuid()) {
            //: Why the records cannot be saved (a clause in lower case).
            target.refusal = RecordsText::tr("it is a link to a file that belongs to another user");
            return target;
        }
    }
    target.identity = FileIdentity::of(st);
    if (!S_ISREG(st.st_mode))
        target.refusal = RecordsText::tr("it is not an ordinary file");
    else if (::faccessat(target.folder.fd(), target.name.constData(), W_OK, AT_EACCESS) != 0)
        //: Why the records cannot be saved (a clause in lower case): %1 is the system's own
        //: reason, in its own words ("Permission denied").
        target.refusal = RecordsText::tr("the file cannot be changed (%1)").arg(systemError());
    return target;
}

bool replaceFile(const Folder& folder, const QByteArray& name, const QByteArray& bytes,
                 FileIdentity* written, QString* error, int* lockedFile)
{
    if (lockedFile)
        *lockedFile = -1;
    struct stat old {
    };
    const bool replacing = ::fstatat(folder.fd(), name.constData(), &old, 0) == 0;
    QByteArray sibling;
    const int fd = createSibling(folder, name, &sibling);
    if (fd < 0) {
        *error = systemError();
        return false;
    }
    bool done = replacing ? takeOverAttributes(fd, old, error)
                          : giveToFolderOwner(folder.fd(), fd, nullptr, error);
    done = done && writeAll(fd, bytes, error);
    if (done && ::fsync(fd) != 0) {
        *error = systemError();
        done = false;
    }
    // Locked before it takes the old file's place, so the lock never lapses.
    const bool locked = done && lockedFile && lockForWriting(fd) == 0;
    if (done && ::renameat(folder.fd(), sibling.constData(), folder.fd(), name.constData()) != 0) {
        *error = systemError();
        ::unlinkat(folder.fd(), sibling.constData(), 0);
        done = false;
    } else if (!done) {
        ::unlinkat(folder.fd(), sibling.constData(), 0);
    }
    struct stat now {
    };
    if (done && ::fstat(fd, &now) == 0)
        *written = FileIdentity::of(now);
    // The new file is in place; without this it may not be after a power cut.
    done = done && folder.sync(error);
    if (done && locked)
        *lockedFile = fd;
    else
        ::close(fd);
    return done;
}

} // namespace numblaze
