// SPDX-FileCopyrightText: The Numblaze developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "records/progressdisk.h"
#include "records/progressfile.h"
#include "records/progresslocation.h"

#include <QFile>
#include <QStringList>
#include <optional>
#include <vector>

namespace numblaze
{

/**
 * The progress file of one run: where it lives, decided once at start together with the lock,
 * and the one way the game reads it and saves to it. Nothing else in the game writes records.
 *
 * Records only ever go up: when another program has changed the file since the game last read
 * or wrote it, a save reads it again and keeps, for each pairing, the higher of the two records.
 * A file the game could not read is never written over, and neither is one that is not a regular
 * file, one the player may not change, or one behind a link to another user's file.
 */
class ProgressStore
{
  public:
    ProgressStore() = default;

    /// Decides where the records of a program in programFolder live, and locks that place:
    /// beside the program when files can be created there; else in the player's data folder,
    /// where a Progress.txt left beside the program is copied the first time; else where the
    /// player's records can be read, for reading only and without a lock. Temporary files that
    /// a killed save of the player's left there are removed, and the player is told when the
    /// place is not the one the last run of this program used.
    static ProgressStore open(const QByteArray& programFolder);

    ProgressLockResult lockResult() const { return lock_.result; }
    /// The file's full name, as the player can read it.
    QString fileName() const;
    /// The folder the file lives in, as the player can read it.
    QString folderName() const { return QFile::decodeName(place_.path()); }

    /// Reads the records and selections. A file that cannot be read gives the first-run
    /// progress, and is left as it is from then on. Records are kept both beside the program and
    /// in the player's data folder: each record read is the higher of the two places', so a win
    /// saved in the other place in an earlier run is never out of sight, and the next save keeps
    /// it in this one.
    Progress read();

    /// What the player must know before playing, in plain sentences: records that cannot be
    /// read or will not be saved, with the file's name and the reason. Empty when all is well.
    QString startNotice() const { return notices_.join(QStringLiteral("\n\n")); }

    /// Saves progress atomically. On success progress holds what was written: records raised
    /// where the file held higher ones, and those pairings are put in *raised when asked for.
    /// On failure the file is left as it was and *error is a sentence naming the file and the
    /// reason.
    bool save(Progress& progress, QString* error, std::vector<Pairing>* raised = nullptr);

  private:
    void useDataFolder(const Folder& program, const QString& programError);
    void adoptFrom(const Folder& program);
    void rememberPlace(const QByteArray& programFolder);
    void mergeOtherPlace(Progress& progress, bool placeHadFile) const;
    bool catchUp(const SaveTarget& target, QString* reason);

    Folder place_;
    /// The other place records of this program may be in, read and merged at start.
    Folder otherPlace_;
    ProgressLock lock_;
    /// Why no save can be made in this run; empty when saving may be tried.
    QString cannotSave_;
    QStringList notices_;
    /// The file as the game last read or wrote it.
    FileIdentity known_;
    /// The records the file held then.
    std::optional<Records> onDisk_;
    bool unreadable_ = false;
};

} // namespace numblaze
