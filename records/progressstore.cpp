// SPDX-FileCopyrightText: The Numblaze developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "records/progressstore.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>

namespace numblaze
{

namespace
{
const QByteArray FileName = QByteArrayLiteral("Progress.txt");

// A game installed for every player of a computer (the Debian package) keeps each player's
// records in that player's own folder, even when run by an administrator who could write
// beside the program; a copied or portable game keeps them beside itself.
#ifdef NUMBLAZE_RECORDS_IN_PLAYER_FOLDER
constexpr bool KeepsRecordsBesideItself = false;
#else
constexpr bool KeepsRecordsBesideItself = true;
#endif

/// Raises each record to the one the file holds, where that is higher.
void keepHigherRecords(Records& records, const std::optional<Records>& onDisk)
{
    if (!onDisk)
        return;
    for (int m = 0; m < 4; ++m) {
        for (int o = 0; o < 3; ++o) {
            const std::optional<double> disk = recordValue((*onDisk)[m][o]);
            const std::optional<double> game = recordValue(records[m][o]);
            if (disk && (!game || *disk > *game))
                records[m][o] = (*onDisk)[m][o];
        }
    }
}
} // namespace

ProgressStore ProgressStore::open(const QByteArray& programFolder)
{
    ProgressStore store;
    QString programError;
    Folder program = Folder::open(programFolder, &programError);
    if (!KeepsRecordsBesideItself)
        programError = RecordsText::tr("the game is installed for every player of this computer");
    if (KeepsRecordsBesideItself && program.isOpen() && program.isWritable(&programError)) {
        store.place_ = program.duplicate();
        store.lock_ = lockProgressFolder(std::move(program));
    } else {
        store.useDataFolder(std::move(program), programError);
    }
    if (store.lock_.result == ProgressLockResult::Unavailable)
        store.notices_ << RecordsText::tr(
                              "Numblaze could not make sure that it is the only copy of the game "
                              "using the records in %1 (%2). Your records will still be saved, "
                              "but do not play two copies at once.")
                              .arg(store.fileName(), store.lock_.error);
    return store;
}

void ProgressStore::useDataFolder(Folder program, const QString& programError)
{
    const QString data = playerDataFolder();
    QString dataError = RecordsText::tr("no home folder is set");
    Folder folder;
    if (!data.isEmpty() && QDir().mkpath(data)) {
        folder = Folder::open(QFile::encodeName(data), &dataError);
        if (folder.isOpen() && !folder.isWritable(&dataError))
            folder = Folder();
    } else if (!data.isEmpty()) {
        dataError = RecordsText::tr("the folder could not be created");
    }
    if (!folder.isOpen()) {
        cannotSave_ =
            RecordsText::tr("no file can be created beside the program in %1 (%2), nor in %3 (%4)")
                .arg(QFile::decodeName(program.path()), programError, data, dataError);
        notices_ << RecordsText::tr(
                        "Numblaze cannot save your records: %1. You can play, but the records you "
                        "win today will not be kept.")
                        .arg(cannotSave_);
        place_ = program.duplicate();
        lock_ = lockProgressFolder(std::move(program));
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
        readRegularFile(place_, FileName, 0).outcome != FileRead::Outcome::Missing)
        return;
    const FileRead old = readRegularFile(program, FileName, LargestUsefulFile);
    if (old.outcome == FileRead::Outcome::Missing)
        return;
    QString reason = old.error;
    FileIdentity copied;
    if (old.outcome == FileRead::Outcome::Read &&
        replaceFile(place_, FileName, old.bytes, &copied, &reason))
        return;
    // The records beside the program stay the player's only copy: read them from there, and save
    // nothing that would hide them, so the next start tries again.
    cannotSave_ = RecordsText::tr("the records in %1 could not be copied to your own folder (%2)")
                      .arg(program.displayName(FileName), reason);
    notices_ << RecordsText::tr(
                    "Numblaze cannot save your records: %1. You can play, but the records you win "
                    "today will not be kept.")
                    .arg(cannotSave_);
    place_ = program.duplicate();
}

QString ProgressStore::fileName() const
{
    return place_.displayName(FileName);
}

Progress ProgressStore::read()
{
    const FileRead file = readRegularFile(place_, FileName, LargestUsefulFile);
    known_ = file.identity;
    if (file.outcome == FileRead::Outcome::Failed) {
        unreadable_ = true;
        onDisk_.reset();
        notices_ << RecordsText::tr(
                        "Numblaze could not read your records in %1 (%2). You can play, starting "
                        "from the first records, but that file is left as it is and today's "
                        "records will not be saved in it.")
                        .arg(fileName(), file.error);
        return readProgressBytes(QByteArray());
    }
    const Progress progress = readProgressBytes(file.bytes);
    onDisk_ = progress.records;
    if (cannotSave_.isEmpty() && place_.isOpen()) {
        const SaveTarget target = saveTargetFor(place_, FileName);
        if (!target.refusal.isEmpty())
            notices_ << RecordsText::tr(
                            "Your records in %1 will not be saved: %2. You can still play.")
                            .arg(fileName(), target.refusal);
    }
    return progress;
}

bool ProgressStore::save(Progress& progress, QString* error)
{
    QString reason = cannotSave_;
    if (lock_.result == ProgressLockResult::HeldByAnother)
        reason = RecordsText::tr("another copy of Numblaze is using them");
    SaveTarget target;
    if (reason.isEmpty()) {
        target = saveTargetFor(place_, FileName);
        reason = target.refusal;
    }
    if (reason.isEmpty() && (unreadable_ || !(target.identity == known_)))
        catchUp(target, &reason);
    if (reason.isEmpty()) {
        Progress raised = progress;
        keepHigherRecords(raised.records, onDisk_);
        FileIdentity written;
        if (replaceFile(target.folder, target.name, progressBytes(raised), &written, &reason)) {
            progress = raised;
            known_ = written;
            onDisk_ = progress.records;
            return true;
        }
    }
    *error =
        RecordsText::tr("Numblaze could not save your records in %1: %2.").arg(fileName(), reason);
    return false;
}

bool ProgressStore::catchUp(const SaveTarget& target, QString* reason)
{
    const FileRead file = target.identity.exists
                              ? readRegularFile(target.folder, target.name, LargestUsefulFile)
                              : FileRead();
    if (file.outcome == FileRead::Outcome::Failed) {
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
