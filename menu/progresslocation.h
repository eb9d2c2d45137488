#pragma once

#include <QLockFile>
#include <QString>
#include <memory>

namespace numblaze
{

/// True when a file can really be created in the folder. It is tried rather than read from
/// the permission bits, which do not stop root and say nothing of read-only file systems.
bool isWritableFolder(const QString& folder);

/// The player's own data folder for the game (QStandardPaths::AppDataLocation).
QString playerDataFolder();

/// The folder the progress file lives in: the program's own when files can be written there
/// (a copied or portable game keeps its records beside itself), else the player's data folder
/// (the game is installed where the player cannot write).
QString progressFolderFor(const QString& programFolder, bool programFolderWritable);
QString progressFolderFor(const QString& programFolder);

/**
 * The full name of the progress file of a program in programFolder. When the file lives in the
 * player's data folder, that folder is created, and a Progress.txt left beside the program is
 * copied there the first time, so the records it holds are not lost.
 */
QString progressFileFor(const QString& programFolder, bool programFolderWritable);
QString progressFileFor(const QString& programFolder);

/// Whether this copy of the game may use the progress file.
enum class ProgressLockResult {
    /// The lock is ours until it is destroyed.
    Held,
    /// Another running copy of the game holds it: this copy must not touch the file.
    HeldByAnother,
    /// No lock can be made there (the folder cannot be written): nothing to guard.
    Unavailable,
};

/// The lock that keeps a second running copy of the game away from the progress file.
struct ProgressLock {
    ProgressLockResult result;
    /// Held while the lock lives; released when this is destroyed.
    std::unique_ptr<QLockFile> file;
};

/// Locks the progress file in the folder. The lock is taken over when the copy that made it
/// is no longer running (it crashed), however long ago that was, and never from a copy that
/// still runs, however long it has been running.
ProgressLock lockProgressFolder(const QString& folder);

} // namespace numblaze
