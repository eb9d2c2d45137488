// SPDX-FileCopyrightText: The Numblaze developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

// The few file operations the records need, made on an open folder rather than on a path: the
// folder stays the one decided at start whatever happens to its name, and names that are not
// valid text (any bytes but '/') work as well as any other.
//
// Why not Qt's QSaveFile and QLockFile: both work on path names, so they follow whatever a
// folder's name leads to at the moment of the save, and neither can say whose a link or a folder
// is. A game run by root in a player's folder, or beside files another user can swap, must write
// through the folder handle it checked at start, refuse links it does not own and give what it
// creates to the folder's owner. QSaveFile also keeps the mode of the file it replaces, a link's
// target's included, and QLockFile's lock is a file of its own that a stale copy or another user
// can leave behind; the records' lock is held on Progress.txt itself and ends with the game.

#include <QByteArray>
#include <QCoreApplication>
#include <QString>
#include <sys/stat.h>

namespace numblaze
{

/// What the game tells the player about the records, in the player's language.
struct RecordsText {
    Q_DECLARE_TR_FUNCTIONS(Records)
};

/// What tells one state of a file from another: which file it is, its size and its times.
struct FileIdentity {
    bool exists = false;
    dev_t device = 0;
    ino_t inode = 0;
    off_t size = 0;
    long long modifiedSeconds = 0;
    long modifiedNanoseconds = 0;
    long long changedSeconds = 0;
    long changedNanoseconds = 0;

    /// The identity of the file that st describes.
    static FileIdentity of(const struct stat& st);
    bool operator==(const FileIdentity&) const = default;
};

/// An open folder. Moving it leaves this the same folder; it is closed when this is destroyed.
class Folder
{
  public:
    Folder() = default;
    Folder(Folder&& other) noexcept;
    Folder& operator=(Folder&& other) noexcept;
    Folder(const Folder&) = delete;
    Folder& operator=(const Folder&) = delete;
    ~Folder();

    /// Opens the folder named path, one folder at a time, so that a path of any length opens;
    /// on failure the result is not open and *error says why. A link on the way is followed
    /// only when the link and the folder that holds it belong to the player running the game
    /// or to root: nobody else's link ever leads the game, root least of all, into another
    /// folder.
    static Folder open(const QByteArray& path, QString* error = nullptr);
    /// Opens the folder named path as open() does, creating the folders it lacks. Folders the
    /// game creates as root belong to the owner of the folder they are made in, so that a run as
    /// root in another user's home never leaves that user folders they cannot change; only a
    /// folder root has just made is given, never one found there.
    static Folder make(const QByteArray& path, QString* error = nullptr);
    /// Another handle on the same folder.
    Folder duplicate() const;
    /// Opens the folder name inside this one (a relative path of any length).
    Folder openInside(const QByteArray& name, QString* error = nullptr) const;

    bool isOpen() const { return fd_ >= 0; }
    int fd() const { return fd_; }
    /// The path it was opened by, as bytes.
    const QByteArray& path() const { return path_; }
    /// The folder's absolute path, found by walking up to the root rather than asked of the
    /// system, which cannot name a folder deeper than it takes at once; empty when a folder on
    /// the way cannot be read.
    QByteArray absolutePath() const;
    /// The path of an entry inside the folder, as the player can read it.
    QString displayName(const QByteArray& name) const;

    /// True when a file can really be created here. It is tried rather than read from the
    /// permission bits, which do not stop root and say nothing of read-only file systems; the
    /// trial leaves no name behind.
    bool isWritable(QString* error = nullptr) const;

    /// Whether the folder belongs to the player running the game.
    bool belongsToPlayer() const;
    /// Writes what is known of the folder to disk, so that a rename done in it survives a power
    /// cut.
    bool sync(QString* error = nullptr) const;
    /// Removes the temporary files that a save of the file name left behind when the game was
    /// killed during it: only the player's own, of the game's own pattern.
    void removeLeftoversOf(const QByteArray& name) const;

  private:
    int fd_ = -1;
    QByteArray path_;
};

/// What reading a file gave.
struct FileRead {
    enum class Outcome { Read, Missing, Failed };
    Outcome outcome = Outcome::Missing;
    /// The first bytes of the file, never more than the limit asked for.
    QByteArray bytes;
    /// The file read (or found and refused); exists is false for a missing file.
    FileIdentity identity;
    /// Why the file could not be read.
    QString error;
};

/// Reads at most limit bytes of the file name in folder. Only a regular file is read: anything
/// else (a FIFO, a folder, a device) is refused without waiting on it. What is read follows the
/// same rule as what is saved (see saveTargetFor): a link only when it and its folder are the
/// player's or root's, to a file of the player's; and root reads for another user only that
/// user's files, so nothing only root may read ever reaches a file that user can read.
FileRead readRegularFile(const Folder& folder, const QByteArray& name, qint64 limit);

/// The folder entry a save replaces: the file itself, or the file a link leads to when that
/// file belongs to the player running the game.
struct SaveTarget {
    Folder folder;
    QByteArray name;
    /// The entry as it is now; exists is false when there is no file yet.
    FileIdentity identity;
    /// Why the file must be left alone; empty when it may be replaced.
    QString refusal;
    /// True when the file is reached through a link.
    bool throughLink = false;
};

/// Finds where saving the file name in folder writes, and whether it may. The game writes through
/// a link only when the link and the folder that holds it belong to the player running the game
/// (or to root) and the file it leads to belongs to the player: a link someone else made never
/// turns a save into an overwrite of another file, whoever runs the game. Root saves in another
/// user's folder only over a file of that user's.
SaveTarget saveTargetFor(const Folder& folder, const QByteArray& name);

/// True when the file can be opened for writing by the player running the game (or, as root, by
/// the owner of folder) and by nobody else but root.
bool onlyPlayerCanWrite(const struct stat& file, const Folder& folder);

/// A file or folder that root creates in another user's folder becomes that user's, with the
/// folder's group: root playing in a player's folder must not leave them a file they cannot
/// change. parent is the open folder; fd is the new file or folder, open: only what the game
/// itself created and holds is ever given, never an entry found by name. Does nothing unless the
/// game runs as root in a folder that root does not own. False, with *error saying why, when
/// the owner could not be changed.
bool giveToFolderOwner(int parent, int fd, QString* error);

/**
 * Replaces the file name in folder with bytes, atomically: the bytes go to a new file beside it,
 * which is synced to disk and then renamed over the old one, and the folder is synced, so the
 * old file stays whole until the new one is complete and stays replaced after a power cut. The
 * new file is readable by everyone and writable by its owner (0644), or less where the old file
 * or the umask allow less; when the game runs as root it keeps the old file's owner if that
 * owns the folder, else it takes the folder's owner. The old file is the entry name itself,
 * never what a link of that name leads to. On success *written is the new file's
 * identity; on failure nothing is left behind and *error says why. When lockedFile is given, the
 * new file is locked for writing before it takes the old one's place, and *lockedFile is its
 * open descriptor, for the caller to keep (-1 when no lock could be made).
 */
bool replaceFile(const Folder& folder, const QByteArray& name, const QByteArray& bytes,
                 FileIdentity* written, QString* error, int* lockedFile = nullptr);

/// Takes a write lock (an open file description lock) on the open file fd without waiting.
/// Returns 0, or the error: EAGAIN when someone else holds it.
int lockForWriting(int fd);

} // namespace numblaze
