// SPDX-FileCopyrightText: The Numblaze developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "records/progressstore.h"

#include "core/gamedata.h"

#include <QCoreApplication>
#include <QFile>
#include <QSettings>
#include <sys/stat.h>
#include <unistd.h>

namespace numblaze
{

namespace
{
// A game installed for every player of a computer (the Debian package) keeps each player's
// records in that player's own folder, even when run by an administrator who could write
// beside the program; a copied or portable game keeps them beside itself.
#ifdef NUMBLAZE_RECORDS_IN_PLAYER_FOLDER
constexpr bool KeepsRecordsBesideItself = false;
#else
constexpr bool KeepsRecordsBesideItself = true;
#endif

/// Raises each record to the one the file holds, where that is higher, and tells which it
/// raised.
std::vector<Pairing> keepHigherRecords(Records& records, const std::optional<Records>& onDisk)
{
    std::vector<Pairing> raised;
    if (!onDisk)
        return raised;
    for (const Pairing pairing : pairings) {
        const std::optional<double> disk = recordValue(recordOf(*onDisk, pairing));
        const std::optional<double> game = recordValue(recordOf(records, pairing));
        if (disk && (!game || *disk > *game)) {
            recordOf(records, pairing) = recordOf(*onDisk, pairing);
            raised.push_back(pairing);
        }
    }
    return raised;
}
} // namespace

ProgressStore ProgressStore::open(const QByteArray& programFolder)
{
    ProgressStore store;
    QString programError;
    Folder program = Folder::open(programFolder, &programError);
    if (!KeepsRecordsBesideItself)
        //: Why the records are not kept beside the program (a clause in lower case, put in
        //: brackets after the program's folder).
        programError = RecordsText::tr("the game is installed for every player of this computer");
    if (KeepsRecordsBesideItself && program.isOpen() && program.isWritable(&programError)) {
        store.place_ = program.duplicate();
        store.lock_ = lockProgressFolder(program.duplicate());
        if (const QString data = playerDataFolder(); !data.isEmpty())
            store.otherPlace_ = Folder::open(QFile::encodeName(data));
    } else {
        store.useDataFolder(program, programError);
        if (!(store.place_.path() == program.path()))
            store.otherPlace_ = std::move(program);
    }
    // A run that cannot save needs no lock: it cannot undo another copy's wins.
    if (store.lock_.result == ProgressLockResult::Unavailable && store.cannotSave_.isEmpty())
        //: A message at the start: %1 is the records file's full name, %2 the reason (a clause
        //: in lower case).
        store.notices_ << RecordsText::tr(
                              "Numblaze could not make sure that it is the only copy of the game "
                              "using the records in %1 (%2). Your records will still be saved, "
                              "but do not play two copies at once.")
                              .arg(store.fileName(), store.lock_.error);
    if (store.lock_.result == ProgressLockResult::Held) {
        store.place_.removeLeftoversOf(RecordsFileName);
        store.rememberPlace(programFolder);
    }
    return store;
}

void ProgressStore::useDataFolder(const Folder& program, const QString& programError)
{
    const QString data = playerDataFolder();
    QString dataError;
    Folder folder;
    Folder readable;
    if (!data.isEmpty()) {
        folder = Folder::make(QFile::encodeName(data), &dataError);
        if (folder.isOpen() && !folder.isWritable(&dataError))
            readable = std::move(folder);
    }
    if (!folder.isOpen()) {
        cannotSave_ =
            data.isEmpty()
                //: Why the records cannot be saved (a clause in lower case): %1 is the program's
                //: folder, %2 the reason there.
                ? RecordsText::tr("no file can be created beside the program in %1 (%2), and no "
                                  "home folder is set for a folder of your own")
                      .arg(QFile::decodeName(program.path()), programError)
                //: Why the records cannot be saved (a clause in lower case): %1 is the program's
                //: folder and %2 the reason there, %3 the player's own data folder and %4 the
                //: reason there.
                : RecordsText::tr(
                      "no file can be created beside the program in %1 (%2), nor in %3 (%4)")
                      .arg(QFile::decodeName(program.path()), programError, data, dataError);
        //: A message at the start: %1 is the reason (a clause in lower case).
        notices_ << RecordsText::tr(
                        "Numblaze cannot save your records: %1. You can play, but the records you "
                        "win today will not be kept.")
                        .arg(cannotSave_);
        // The player's own records, where they can be read; the other place is merged in.
        place_ = readable.isOpen() ? std::move(readable) : program.duplicate();
        return;
    }
    place_ = folder.duplicate();
    lock_ = lockProgressFolder(std::move(folder));
    if (lock_.result == ProgressLockResult::Held)
        adoptFrom(program);
}

void ProgressStore::adoptFrom(const Folder& program)
{
    if (!program.isOpen() ||
        readRegularFile(place_, RecordsFileName, 0).outcome != FileRead::Outcome::Missing)
        return;
    const FileRead old = readRegularFile(program, RecordsFileName, LargestUsefulFile);
    if (old.outcome == FileRead::Outcome::Missing)
        return;
    QString reason = old.error;
    FileIdentity copied;
    if (old.outcome == FileRead::Outcome::Read &&
        replaceFile(place_, RecordsFileName, old.bytes, &copied, &reason))
        return;
    // The records beside the program stay the player's only copy: read them from there, and save
    // nothing that would hide them, so the next start tries again.
    //: Why the records cannot be saved (a clause in lower case): %1 is the records file beside
    //: the program, %2 the reason.
    cannotSave_ = RecordsText::tr("the records in %1 could not be copied to your own folder (%2)")
                      .arg(program.displayName(RecordsFileName), reason);
    notices_ << RecordsText::tr(
                    "Numblaze cannot save your records: %1. You can play, but the records you win "
                    "today will not be kept.")
                    .arg(cannotSave_);
    place_ = program.duplicate();
}

void ProgressStore::rememberPlace(const QByteArray& programFolder)
{
    // Kept with the player's settings, never in the records file, whose 14 lines stay as they
    // are. Only the last program is remembered: another copy of the game has its own place.
    // Root playing with another user's home leaves that user's settings alone.
    struct stat home {
    };
    if (::geteuid() == 0 && ::stat(qgetenv("HOME").constData(), &home) == 0 && home.st_uid != 0)
        return;
    QSettings settings;
    const QString program = QFile::decodeName(programFolder);
    const QString place = folderName();
    const QString lastPlace = settings.value(QStringLiteral("records/place")).toString();
    if (settings.value(QStringLiteral("records/program")).toString() == program &&
        !lastPlace.isEmpty() && lastPlace != place)
        //: A message at the start: %1 and %2 are the full names of two records files.
        notices_ << RecordsText::tr(
                        "Your records are kept in %1 this time. Last time they were kept in %2: "
                        "the records from both places are put together, and this game's wins "
                        "are saved in %1.")
                        .arg(place, lastPlace);
    if (lastPlace != place || settings.value(QStringLiteral("records/program")) != program) {
        settings.setValue(QStringLiteral("records/program"), program);
        settings.setValue(QStringLiteral("records/place"), place);
    }
}

QString ProgressStore::fileName() const
{
    return place_.displayName(RecordsFileName);
}

Progress ProgressStore::read()
{
    const FileRead file = readRegularFile(place_, RecordsFileName, LargestUsefulFile);
    known_ = file.identity;
    if (file.outcome == FileRead::Outcome::Failed) {
        unreadable_ = true;
        onDisk_.reset();
        //: A message at the start, with one button, OK (name it as the QPlatformTheme context
        //: names it): %1 is the records file's full name, %2 the system's reason.
        notices_ << RecordsText::tr(
                        "Numblaze could not read your records in %1 (%2). You can play, starting "
                        "from the first records, but that file is left as it is and today's "
                        "records will not be saved in it.")
                        .arg(fileName(), file.error);
        Progress progress = readProgressBytes(QByteArray());
        mergeOtherPlace(progress, true);
        return progress;
    }
    Progress progress = readProgressBytes(file.bytes);
    onDisk_ = progress.records;
    mergeOtherPlace(progress, file.outcome == FileRead::Outcome::Read);
    if (cannotSave_.isEmpty() && place_.isOpen()) {
        const SaveTarget target = saveTargetFor(place_, RecordsFileName);
        if (!target.refusal.isEmpty())
            //: A message at the start: %1 is the records file's full name, %2 the reason (a
            //: clause in lower case).
            notices_ << RecordsText::tr(
                            "Your records in %1 will not be saved: %2. You can still play.")
                            .arg(fileName(), target.refusal);
    }
    return progress;
}

void ProgressStore::mergeOtherPlace(Progress& progress, bool placeHadFile) const
{
    if (!otherPlace_.isOpen())
        return;
    const FileRead other = readRegularFile(otherPlace_, RecordsFileName, LargestUsefulFile);
    if (other.outcome != FileRead::Outcome::Read)
        return;
    const Progress there = readProgressBytes(other.bytes);
    keepHigherRecords(progress.records, there.records);
    if (!placeHadFile) {
        progress.math = there.math;
        progress.opponent = there.opponent;
    }
}

bool ProgressStore::save(Progress& progress, QString* error, std::vector<Pairing>* raised)
{
    QString reason = cannotSave_;
    if (lock_.result == ProgressLockResult::HeldByAnother)
        //: Why the records cannot be saved (a clause in lower case): "them" are the records.
        reason = RecordsText::tr("another copy of Numblaze is using them");
    SaveTarget target;
    if (reason.isEmpty()) {
        target = saveTargetFor(place_, RecordsFileName);
        reason = target.refusal;
    }
    if (reason.isEmpty() && (unreadable_ || !(target.identity == known_)))
        catchUp(target, &reason);
    if (reason.isEmpty()) {
        Progress higher = progress;
        std::vector<Pairing> higherOnDisk = keepHigherRecords(higher.records, onDisk_);
        FileIdentity written;
        // The lock moves onto the new file when the folder's own records file carries it.
        const bool carriesLock = lock_.result == ProgressLockResult::Held && !target.throughLink;
        int locked = -1;
        if (replaceFile(target.folder, target.name, progressBytes(higher), &written, &reason,
                        carriesLock ? &locked : nullptr)) {
            struct stat st {
            };
            if (locked >= 0 && ::fstat(locked, &st) == 0 && onlyPlayerCanWrite(st, target.folder))
                lock_.moveOnto(locked);
            else if (locked >= 0)
                ::close(locked);
            progress = higher;
            if (raised)
                *raised = std::move(higherOnDisk);
            known_ = written;
            onDisk_ = progress.records;
            return true;
        }
    }
    *error =
        //: The first line of a message: %1 is the records file's full name, %2 the reason (a
        //: clause in lower case).
        RecordsText::tr("Numblaze could not save your records in %1: %2.").arg(fileName(), reason);
    return false;
}

bool ProgressStore::catchUp(const SaveTarget& target, QString* reason)
{
    const FileRead file = target.identity.exists
                              ? readRegularFile(target.folder, target.name, LargestUsefulFile)
                              : FileRead();
    if (file.outcome == FileRead::Outcome::Failed) {
        //: Why the records cannot be saved (a clause in lower case): %1 is the system's reason.
        *reason = RecordsText::tr("the file could not be read (%1), so it is left as it is")
                      .arg(file.error);
        return false;
    }
    known_ = file.identity;
    unreadable_ = false;
    if (file.outcome == FileRead::Outcome::Missing)
        onDisk_.reset();
    else
        onDisk_ = readProgressBytes(file.bytes).records;
    return true;
}

} // namespace numblaze
