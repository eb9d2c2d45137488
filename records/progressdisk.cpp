// SPDX-FileCopyrightText: The Numblaze developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "records/progressdisk.h"

#include <QCoreApplication>
#include <QFile>
#include <QRandomGenerator>
#include <cerrno>
#include <climits>
#include <cstdlib>
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
void takeOverAttributes(int fd, const struct stat& old)
{
    (void)::fchmod(fd, old.st_mode & 07777);
    if (::geteuid() == 0)
        (void)::fchown(fd, old.st_uid, old.st_gid);
}

QByteArray parentOf(const QByteArray& path)
{
    const qsizetype slash = path.lastIndexOf('/');
    return slash <= 0 ? QByteArray("/") : path.left(slash);
}
} // namespace

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
    folder.fd_ =
        retrying([&] { return ::open(path.constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC); });
    if (folder.fd_ < 0 && error)
        *error = systemError();
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
    if (S_ISLNK(st.st_mode)) {
        // The link stays; the file it leads to is replaced, if it is the player's own.
        const QByteArray link = "/proc/self/fd/" + QByteArray::number(folder.fd()) + '/' + name;
        char resolved[PATH_MAX];
        if (!::realpath(link.constData(), resolved)) {
            target.refusal = errno == ENOENT
                                 ? RecordsText::tr("it is a link to a file that does not exist")
                                 : systemError();
            return target;
        }
        const QByteArray path(resolved);
        target.name = path.mid(path.lastIndexOf('/') + 1);
        QString error;
        target.folder = Folder::open(parentOf(path), &error);
        if (!target.folder.isOpen() ||
            ::fstatat(target.folder.fd(), target.name.constData(), &st, AT_SYMLINK_NOFOLLOW) != 0) {
            target.refusal = error.isEmpty() ? systemError() : error;
            return target;
        }
        if (st.st_uid != ::geteuid()) {
            target.refusal = RecordsText::tr("it is a link to a file that belongs to another user");
            return target;
        }
    } else {
        target.folder = folder.duplicate();
    }
    target.identity = FileIdentity::of(st);
    if (!S_ISREG(st.st_mode))
        target.refusal = RecordsText::tr("it is not an ordinary file");
    else if (::faccessat(target.folder.fd(), target.name.constData(), W_OK, AT_EACCESS) != 0)
        target.refusal = RecordsText::tr("the file cannot be changed (%1)").arg(systemError());
    return target;
}

bool replaceFile(const Folder& folder, const QByteArray& name, const QByteArray& bytes,
                 FileIdentity* written, QString* error)
{
    struct stat old {
    };
    const bool replacing = ::fstatat(folder.fd(), name.constData(), &old, 0) == 0;
    QByteArray sibling;
    const int fd = createSibling(folder, name, &sibling);
    if (fd < 0) {
        *error = systemError();
        return false;
    }
    if (replacing)
        takeOverAttributes(fd, old);
    bool done = writeAll(fd, bytes, error);
    if (done && ::fsync(fd) != 0) {
        *error = systemError();
        done = false;
    }
    if (done && ::renameat(folder.fd(), sibling.constData(), folder.fd(), name.constData()) != 0) {
        *error = systemError();
        done = false;
    }
    struct stat now {
    };
    if (done && ::fstat(fd, &now) == 0)
        *written = FileIdentity::of(now);
    if (!done)
        ::unlinkat(folder.fd(), sibling.constData(), 0);
    ::close(fd);
    return done;
}

} // namespace numblaze
