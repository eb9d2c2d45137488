// SPDX-FileCopyrightText: The Numblaze developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "records/progressdisk.h"

#include <QString>

namespace numblaze
{

/// The player's own data folder for the game (QStandardPaths::AppDataLocation).
QString playerDataFolder();

/// Whether this copy of the game may use the progress file.
enum class ProgressLockResult {
    /// The lock is ours until its folder is closed.
    Held,
    /// Another running copy of the game holds it: this copy must not touch the file.
    HeldByAnother,
    /// No lock can be made there (the folder cannot be opened, or its file system has no locks).
    Unavailable,
};

/// The lock that keeps a second running copy of the game away from the progress file: a kernel
/// lock on the folder itself. It needs no file and no free space, and the kernel releases it
/// when the copy holding it ends, however it ends, so it can never be left behind.
struct ProgressLock {
    ProgressLockResult result = ProgressLockResult::Unavailable;
    /// The locked folder; the lock lasts while this stays open.
    Folder folder;
    /// Why no lock could be made, when it could not.
    QString error;
};

/// Locks the folder for this copy of the game.
ProgressLock lockProgressFolder(Folder folder);
ProgressLock lockProgressFolder(const QString& folder);

} // namespace numblaze
