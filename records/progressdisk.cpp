// SPDX-FileCopyrightText: The Numblaze developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "records/progressdisk.h"

#include <QCoreApplication>
#include <QFile>
#include <QRandomGenerator>
#include <cerrno>
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

/// Creates a new, empty file beside name whose name nobody else uses, readable by everyone and
/// writable by its owner as the umask allows; -1 on failure.
int createSibling(const Folder& folder, const QByteArray& name, QByteArray* sibling)
{
    for (int attempt = 0; attempt < 100; ++attempt) {
        *sibling =
            '.' + name + '.' + QByteArray::number(QRandomGenerator::global()->generate(), 36);
        const int fd = retrying([&] {
            return ::openat(folder.fd(), sibling->constData(),
                            O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0644);
        });
        if (fd >= 0 || errno != EEXIST)
            return fd;
    }
    errno = EEXIST;
    return -1;
}

/// Gives the new file fd the permissions of the file old it replaces, but never more than its
/// own (0644 as the umask left it): a records file needs no more, whatever mode it had. When the
/// game runs as root, the new file also gets the old one's owner if that is the owner of the
/// folder, as a file root may read for another user is, else the folder owner's.
bool takeOverAttributes(int fd, const struct stat& old, const Folder& folder, QString* error)
{
    struct stat made {
    };
    struct stat holder {
    };
    if (::fstat(fd, &made) != 0 || ::fchmod(fd, old.st_mode & made.st_mode & 0644) != 0) {
        *error = systemError();
        return false;
    }
    if (::geteuid() != 0)
        return true;
    if (::fstat(folder.fd(), &holder) != 0) {
        *error = systemError();
        return false;
    }
    if (old.st_uid != holder.st_uid)
        return giveToFolderOwner(folder.fd(), fd, error);
    if (::fchown(fd, old.st_uid, old.st_gid) != 0) {
        *error = systemError();
        return false;
    }
    return true;
}

int openFolderAt(int base, const char* name)
{
    return retrying([&] { return ::openat(base, name, O_RDONLY | O_DIRECTORY | O_CLOEXEC); });
}

/// Opens the folder name inside folder itself, never a link of that name.
int openFolderHere(int folder, const char* name)
{
    return retrying(
        [&] { return ::openat(folder, name, O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC); });
}

/// True when the game may follow link, an entry of folder: the link and the folder that holds
/// it belong to the player running the game or to root, so nobody else can have made it or put
/// it there. Root follows only its own.
bool mayFollow(int folder, const struct stat& link)
{
    const uid_t player = ::geteuid();
    struct stat holder {
    };
    return (link.st_uid == player || link.st_uid == 0) && ::fstat(folder, &holder) == 0 &&
           (holder.st_uid == player || holder.st_uid == 0);
}

/// True when the open folder fd holds nothing.
bool isEmptyFolder(int fd)
{
    const int listingFd = ::fcntl(fd, F_DUPFD_CLOEXEC, 0);
    DIR* listing = listingFd < 0 ? nullptr : ::fdopendir(listingFd);
    if (!listing) {
        if (listingFd >= 0)
            ::close(listingFd);
        return false;
    }
    bool empty = true;
    while (const dirent* entry = ::readdir(listing))
        empty = empty && (qstrcmp(entry->d_name, ".") == 0 || qstrcmp(entry->d_name, "..") == 0);
    ::closedir(listing);
    return empty;
}

/// A folder root has just made in another user's folder becomes that user's. Only the folder
/// root made is given: the one opened must be root's and empty, as a new one is, not one that
/// the folder's owner put in its place meanwhile.
bool giveNewFolderToOwner(int parent, int made, QString* error)
{
    struct stat st {
    };
    if (::geteuid() != 0 || ::fstat(made, &st) != 0 || st.st_uid != 0 || st.st_nlink != 2 ||
        !isEmptyFolder(made))
        return true;
    return giveToFolderOwner(parent, made, error);
}

QByteArray readLinkAt(int folder, const QByteArray& name);

/// The longest chain of links followed on the way to one folder or file, as the system's.
constexpr int MostLinks = 40;

int walk(int base, const QByteArray& path, bool create, int* links, QByteArray* refused,
         QString* error);

/// Opens the folder part inside the open folder fd. A link there is followed only when
/// mayFollow() allows it (else *refused is set); with create, a missing folder is made.
int openStep(int fd, const QByteArray& part, bool create, int* links, QByteArray* refused,
             QString* error)
{
    for (int attempt = 0; attempt < 10; ++attempt) {
        int next = openFolderHere(fd, part.constData());
        if (next >= 0)
            return next;
        if (errno == ELOOP || errno == ENOTDIR) {
            struct stat st {
            };
            if (::fstatat(fd, part.constData(), &st, AT_SYMLINK_NOFOLLOW) != 0) {
                if (errno == ENOENT)
                    continue;
                return -1;
            }
            if (!S_ISLNK(st.st_mode)) {
                errno = ENOTDIR;
                return -1;
            }
            if (++*links > MostLinks) {
                errno = ELOOP;
                return -1;
            }
            if (!mayFollow(fd, st)) {
                *refused = part;
                errno = EPERM;
                return -1;
            }
            const QByteArray to = readLinkAt(fd, part);
            if (to.isEmpty())
                return -1;
            QByteArray within;
            next = walk(fd, to, false, links, &within, error);
            // A link refused further on is named by the path of the link that led there.
            if (next < 0 && !within.isEmpty())
                *refused = part;
            return next;
        }
        if (errno != ENOENT || !create)
            return -1;
        if (::mkdirat(fd, part.constData(), 0777) != 0) {
            if (errno == EEXIST)
                continue;
            return -1;
        }
        // Opened again by name: whatever is there now is checked as any other folder.
        next = openFolderHere(fd, part.constData());
        if (next < 0)
            continue;
        if (!giveNewFolderToOwner(fd, next, error)) {
            ::close(next);
            return -1;
        }
        return next;
    }
    errno = ELOOP;
    return -1;
}

/// Opens path one folder at a time from base (from the root for an absolute path), so that a
/// path of any length can be opened, and no folder is reached through a link that mayFollow()
/// refuses. With create, the folders it lacks are made on the way. -1 on failure, with
/// *refused the part of path that is a link refused, if that is why.
int walk(int base, const QByteArray& path, bool create, int* links, QByteArray* refused,
         QString* error)
{
    int fd = path.startsWith('/') ? openFolderAt(AT_FDCWD, "/")
             : base == AT_FDCWD   ? openFolderAt(AT_FDCWD, ".")
                                  : ::fcntl(base, F_DUPFD_CLOEXEC, 0);
    qsizetype end = 0;
    for (qsizetype start = 0; fd >= 0 && start < path.size(); start = end + 1) {
        end = path.indexOf('/', start);
        if (end < 0)
            end = path.size();
        const QByteArray part = path.mid(start, end - start);
        if (part.isEmpty() || part == ".")
            continue;
        QByteArray link;
        const int next = openStep(fd, part, create, links, &link, error);
        const int failure = errno;
        ::close(fd);
        fd = next;
        errno = failure;
        if (!link.isEmpty())
            *refused = path.left(end);
    }
    return fd;
}

/// Opens path as walk() does, and says why it could not in *error.
int openPath(int base, const QByteArray& path, bool create, QString* error)
{
    int links = 0;
    QByteArray refused;
    QString notGiven;
    const int fd = walk(base, path, create, &links, &refused, &notGiven);
    if (fd < 0 && error)
        //: Why a folder cannot be used for the records: %1 is a folder's full name.
        *error = !refused.isEmpty() ? RecordsText::tr("%1 is a link that another user made, or "
                                                      "that lies in another user's folder")
                                          .arg(QFile::decodeName(refused))
                 : !notGiven.isEmpty() ? notGiven
                                       : systemError();
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

bool giveToFolderOwner(int parent, int fd, QString* error)
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
    if (::fchown(fd, folder.st_uid, folder.st_gid) != 0) {
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
    folder.fd_ = openPath(AT_FDCWD, path, false, error);
    return folder;
}

Folder Folder::make(const QByteArray& path, QString* error)
{
    Folder folder;
    folder.path_ = path;
    folder.fd_ = path.isEmpty() ? -1 : openPath(AT_FDCWD, path, true, error);
    if (path.isEmpty() && error)
        *error = systemError(ENOENT);
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

// Reading and saving

namespace
{
/// Why the file st, found in folder (throughLink: through a link), must be left alone by this
/// player; empty when it may be read and saved. A file reached through a link must be the
/// player's own. Root reads and saves for a folder's owner only that owner's files: nothing only
/// root may read ever reaches a file the owner can read.
QString refusalFor(const struct stat& st, const Folder& folder, bool throughLink)
{
    const uid_t player = ::geteuid();
    struct stat holder {
    };
    if (throughLink && st.st_uid != player)
        //: Why the records cannot be read or saved (a clause in lower case, no full stop): "it"
        //: is the file Progress.txt, a link.
        return RecordsText::tr("it is a link to a file that belongs to another user");
    if (!throughLink && player == 0 && S_ISREG(st.st_mode) &&
        (::fstat(folder.fd(), &holder) != 0 || st.st_uid != holder.st_uid))
        //: Why root leaves a player's records alone (a clause in lower case, no full stop): "it"
        //: is the file Progress.txt.
        return RecordsText::tr("it does not belong to the owner of its folder");
    return QString();
}

/// The entry name in folder, followed through the links the game follows to the file itself.
struct Located {
    Folder folder;
    QByteArray name;
    struct stat st {
    };
    /// True when the file itself was reached; st is otherwise of the last link on the way, if
    /// any.
    bool exists = false;
    bool throughLink = false;
    /// Why the file must be left alone; empty when it may be read, and saved if it is an
    /// ordinary file.
    QString refusal;
};

/// Follows name in folder to the file it is, or leads to: a link only when mayFollow() allows
/// it, and every folder on the link's way as Folder::open() opens it.
Located locate(const Folder& folder, const QByteArray& name)
{
    Located at;
    at.folder = folder.duplicate();
    at.name = name;
    for (int hops = 0;; ++hops) {
        if (::fstatat(at.folder.fd(), at.name.constData(), &at.st, AT_SYMLINK_NOFOLLOW) != 0) {
            if (errno != ENOENT)
                at.refusal = systemError();
            else if (at.throughLink)
                //: Why the records cannot be read or saved (a clause in lower case, no full
                //: stop): "it" is the file Progress.txt, a link.
                at.refusal = RecordsText::tr("it is a link to a file that does not exist");
            return at;
        }
        if (!S_ISLNK(at.st.st_mode))
            break;
        at.throughLink = true;
        if (hops == 8) {
            at.refusal = systemError(ELOOP);
            return at;
        }
        if (!mayFollow(at.folder.fd(), at.st)) {
            //: Why the records cannot be read or saved (a clause in lower case, no full stop):
            //: "it" is the file Progress.txt, a link.
            at.refusal = RecordsText::tr(
                "it is a link that another user made, or that lies in another user's folder");
            return at;
        }
        const QByteArray to = readLinkAt(at.folder.fd(), at.name);
        const qsizetype slash = to.lastIndexOf('/');
        QString error;
        if (!to.isEmpty() && slash >= 0) {
            const QByteArray path = slash == 0 ? QByteArray("/") : to.left(slash);
            at.folder = path.startsWith('/') ? Folder::open(path, &error)
                                             : at.folder.openInside(path, &error);
        }
        at.name = to.mid(slash + 1);
        if (to.isEmpty() || !at.folder.isOpen()) {
            at.refusal = error.isEmpty() ? systemError() : error;
            return at;
        }
    }
    at.exists = true;
    at.refusal = refusalFor(at.st, at.folder, at.throughLink);
    return at;
}
} // namespace

FileRead readRegularFile(const Folder& folder, const QByteArray& name, qint64 limit)
{
    FileRead result;
    const Located at = locate(folder, name);
    if (at.exists || at.throughLink)
        result.identity = FileIdentity::of(at.st);
    if (at.refusal.isEmpty() && !at.exists)
        return result;
    result.outcome = FileRead::Outcome::Failed;
    if (!at.refusal.isEmpty()) {
        result.error = at.refusal;
        return result;
    }
    // Anything but a regular file is refused unopened: opening a device may do something.
    if (!S_ISREG(at.st.st_mode)) {
        //: Why the records cannot be read or saved, put into a message after the file's name:
        //: a clause starting in lower case, without a full stop. "It" is the file Progress.txt.
        result.error = RecordsText::tr("it is not an ordinary file");
        return result;
    }
    // Non-blocking, so that a FIFO put in its place meanwhile does not wait for a writer.
    const int fd = retrying([&] {
        return ::openat(at.folder.fd(), at.name.constData(),
                        O_RDONLY | O_NONBLOCK | O_NOCTTY | O_NOFOLLOW | O_CLOEXEC);
    });
    if (fd < 0) {
        if (errno == ENOENT)
            return FileRead();
        result.error = systemError();
        return result;
    }
    // What is read is the file opened: checked again, as it may not be the one found above.
    struct stat st {
    };
    const bool known = ::fstat(fd, &st) == 0;
    if (known)
        result.identity = FileIdentity::of(st);
    if (!known)
        result.error = systemError();
    else if (!S_ISREG(st.st_mode))
        //: Why the records cannot be read or saved, put into a message after the file's name:
        //: a clause starting in lower case, without a full stop. "It" is the file Progress.txt.
        result.error = RecordsText::tr("it is not an ordinary file");
    else
        result.error = refusalFor(st, at.folder, at.throughLink);
    if (result.error.isEmpty()) {
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

SaveTarget saveTargetFor(const Folder& folder, const QByteArray& name)
{
    Located at = locate(folder, name);
    SaveTarget target;
    target.folder = std::move(at.folder);
    target.name = at.name;
    target.throughLink = at.throughLink;
    target.refusal = at.refusal;
    if (!at.exists)
        return target;
    target.identity = FileIdentity::of(at.st);
    if (!target.refusal.isEmpty())
        return target;
    if (!S_ISREG(at.st.st_mode))
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
    // The entry itself, never what a link leads to: a link put in its place since the caller
    // checked it lends its target's owner and mode to nothing.
    struct stat old {
    };
    const bool replacing =
        ::fstatat(folder.fd(), name.constData(), &old, AT_SYMLINK_NOFOLLOW) == 0 &&
        S_ISREG(old.st_mode);
    QByteArray sibling;
    const int fd = createSibling(folder, name, &sibling);
    if (fd < 0) {
        *error = systemError();
        return false;
    }
    bool done = replacing ? takeOverAttributes(fd, old, folder, error)
                          : giveToFolderOwner(folder.fd(), fd, error);
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
