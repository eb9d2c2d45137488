// SPDX-FileCopyrightText: The Numblaze developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "records/progressdisk.h"

#include <QString>

namespace numblaze
{

/// The player's own data folder for the game, "Numblaze" in the player's data folder
/// ($XDG_DATA_HOME, ~/.local/share by default); empty when the player has no home folder, so
/// that the records never land at the file system's root.
QString playerDataFolder();

/// Whether this copy of the game may use the progress file.
enum class ProgressLockResult {
    /// The lock is ours until it is destroyed.
    Held,
    /// Another running copy of the game holds it: this copy must not touch the file.
    HeldByAnother,
    /// No lock can be made there (the folder cannot be opened, or no file in it can be locked).
    Unavailable,
};

/// The name of the records file in its folder.
inline const QByteArray RecordsFileName = QByteArrayLiteral("Progress.txt");

/// The name of the file that holds the lock while the folder has no records file of its own.
inline const QByteArray LockFileName = QByteArrayLiteral(".Progress.lock");

/**
 * The lock that keeps a second running copy of the game away from the progress file: a write
 * lock on an open file that only the player can open for writing, which nobody else can take.
 * It is taken on the records file itself, so it needs no free space when that file exists, and
 * each save moves it onto the new file before that file takes the old one's place. A folder
 * without a records file of the player's gets a small lock file that only the player can open,
 * removed again once the records file carries the lock, or when the run ends; so does a folder
 * whose records file someone reading it holds a read lock on, which anyone who may read the file
 * can take: only a write lock, which only the player's own programs can hold, keeps the game
 * out. The kernel releases the lock when the copy holding it ends, however it ends, so it can
 * never be left behind.
 */
class ProgressLock
{
  public:
    ProgressLock() = default;
    ProgressLock(ProgressLock&& other) noexcept;
    ProgressLock& operator=(ProgressLock&& other) noexcept;
    ProgressLock(const ProgressLock&) = delete;
    ProgressLock& operator=(const ProgressLock&) = delete;
    ~ProgressLock();

    ProgressLockResult result = ProgressLockResult::Unavailable;
    /// The locked folder.
    Folder folder;
    /// Why no lock could be made, when it could not.
    QString error;

    /// After a save put a new records file in the folder, locked and open as fd: the lock lives
    /// on in it, and the old file and any lock file are let go. Takes fd over.
    void moveOnto(int fd);

  private:
    friend ProgressLock lockProgressFolder(Folder folder);
    void release();
    /// Lets go of a lock file, removing it while it is still locked.
    void dropLockFile();

    int records_ = -1;
    int lockFile_ = -1;
};

/// Locks the folder for this copy of the game.
ProgressLock lockProgressFolder(Folder folder);
ProgressLock lockProgressFolder(const QString& folder);

/// The process that holds the lock on the records in folder, looked for among the processes
/// whose open files the player may see (their own); 0 when none of those holds it.
qint64 progressLockHolder(const QString& folder);

} // namespace numblaze
