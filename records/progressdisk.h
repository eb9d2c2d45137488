// SPDX-FileCopyrightText: The Numblaze developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

// The few file operations the records need, made on an open folder rather than on a path: the
// folder stays the one decided at start whatever happens to its name, and names that are not
// valid text (any bytes but '/') work as well as any other.

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

    /// Opens the folder named path; on failure the result is not open and *error says why.
    static Folder open(const QByteArray& path, QString* error = nullptr);
    /// Another handle on the same folder.
    Folder duplicate() const;

    bool isOpen() const { return fd_ >= 0; }
    int fd() const { return fd_; }
    /// The path it was opened by, as bytes.
    const QByteArray& path() const { return path_; }
    /// The path of an entry inside the folder, as the player can read it.
    QString displayName(const QByteArray& name) const;

    /// True when a file can really be created here. It is tried rather than read from the
    /// permission bits, which do not stop root and say nothing of read-only file systems; the
    /// trial leaves no name behind.
    bool isWritable(QString* error = nullptr) const;

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

/// Reads at most limit bytes of the file name in folder, following a link. Only a regular file
/// is read: anything else (a FIFO, a folder, a device) is refused without waiting on it.
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
};

/// Finds where saving the file name in folder writes, and whether it may.
SaveTarget saveTargetFor(const Folder& folder, const QByteArray& name);

/**
 * Replaces the file name in folder with bytes, atomically: the bytes go to a new file beside it,
 * which is synced to disk and then renamed over the old one, so the old file stays whole until
 * the new one is complete. The new file keeps the old one's permissions (and owner, where the
 * game may give it). On success *written is the new file's identity; on failure nothing is left
 * behind and *error says why.
 */
bool replaceFile(const Folder& folder, const QByteArray& name, const QByteArray& bytes,
                 FileIdentity* written, QString* error);

} // namespace numblaze
