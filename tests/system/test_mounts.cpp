// SPDX-FileCopyrightText: The Numblaze developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The records' place on file systems the player cannot change: a program folder mounted
// read-only or out of inodes, a read-only data folder. Each case mounts a small tmpfs, which
// needs root; without it the cases say so and skip.
#include "app/settings.h"
#include "records/progressstore.h"
#include "tests/recordfiles.h"
#include "tests/support.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSettings>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <cstdlib>
#include <fcntl.h>
#include <unistd.h>

using namespace numblaze;
using namespace numblaze::testing;

class TestMounts : public QObject
{
    Q_OBJECT

    QTemporaryDir scratch;

  private slots:
    void initTestCase()
    {
        QStandardPaths::setTestModeEnabled(true);
        settings::nameTheGame();
        QVERIFY(scratch.isValid());
    }

    void init() { QVERIFY(startAfresh(scratch.filePath("program"))); }

    void cleanupTestCase() { QDir(playerDataFolder()).removeRecursively(); }

    // The records kept in the data folder, a higher win left beside a program folder the player
    // cannot write: each pairing keeps the higher record, saved in the data folder.
    void recordsInBothPlacesAreOneSetInTheDataFolder()
    {
        QVERIFY(QDir(playerDataFolder()).mkpath("."));
        QByteArray data = usualFile().replace("11\r\n12\r\n", "14\r\n12\r\n");
        // An earlier run left the higher record beside the program, whose folder is now
        // read-only.
        const QString readOnlyProgram = scratch.filePath("readonly");
        QVERIFY(QDir(readOnlyProgram).mkpath("."));
        QVERIFY(put(QDir(readOnlyProgram).filePath("Progress.txt"),
                    usualFile().replace("12\r\n", "40\r\n")));
        const TinyMount readOnly(readOnlyProgram);
        if (!readOnly.restrict(TinyMount::ReadOnly))
            QSKIP("a read-only program folder needs a tmpfs mount (run as root)");
        QVERIFY(put(dataFile(), data));
        ProgressStore store = ProgressStore::open(QFile::encodeName(readOnlyProgram));
        QCOMPARE(store.fileName(), dataFile());
        Progress progress = store.read();
        QCOMPARE(progress.records[0][0].toText(), QStringLiteral("14"));
        QCOMPARE(progress.records[0][1].toText(), QStringLiteral("40"));
        QString error;
        QVERIFY2(store.save(progress, &error), qPrintable(error));
        QVERIFY(contents(dataFile()).startsWith("14\r\n40\r\n13\r\n"));
    }

    void recordsBesideAReadOnlyProgramCarryOver()
    {
        const QString program = scratch.filePath("program");
        const QString original = QDir(program).filePath("Progress.txt");
        QVERIFY(put(original, usualFile()));
        QVERIFY(QFile::setPermissions(original, QFile::ReadOwner | QFile::ReadGroup));
        const TinyMount readOnly(program);
        if (!readOnly.restrict(TinyMount::ReadOnly))
            QSKIP("a read-only folder needs a file system mounted read-only (run as root)");

        ProgressStore store = ProgressStore::open(QFile::encodeName(program));
        QCOMPARE(store.fileName(), dataFile());
        QCOMPARE(contents(dataFile()), usualFile());
        QVERIFY(QFileInfo(dataFile()).permissions() & QFile::WriteOwner);
        Progress progress = store.read();
        QCOMPARE(store.startNotice(), QString());
        progress.records[0][0] = Loose(12.0);
        QString error;
        QVERIFY2(store.save(progress, &error), qPrintable(error));

        // From then on the data folder's file is the player's: the old one is not copied again.
        store = ProgressStore();
        store = ProgressStore::open(QFile::encodeName(program));
        QCOMPARE(store.read().records[0][0].toText(), QStringLiteral("12"));
        QCOMPARE(contents(original), usualFile());
    }

    // A program folder out of inodes for one start sends the records to the data folder; the
    // next start, with room again, still shows that win, and each start in another place than
    // the last one says so.
    void aWinInTheOtherPlaceIsNeverHidden()
    {
        const QString program = scratch.filePath("program");
        const QString besideFile = QDir(program).filePath("Progress.txt");
        QVERIFY(put(besideFile, usualFile()));
        {
            ProgressStore store = ProgressStore::open(QFile::encodeName(program));
            store.read();
            QCOMPARE(store.startNotice(), QString());
        }
        {
            const TinyMount full(program);
            if (!full.restrict(TinyMount::NoInodesLeft))
                QSKIP("a full program folder needs a tmpfs mount (run as root)");
            ProgressStore store = ProgressStore::open(QFile::encodeName(program));
            QCOMPARE(store.fileName(), dataFile());
            Progress progress = store.read();
            QVERIFY2(store.startNotice().contains(program) &&
                         store.startNotice().contains(playerDataFolder()),
                     qPrintable(store.startNotice()));
            progress.records[0][0] = Loose(80.0);
            QString error;
            QVERIFY2(store.save(progress, &error), qPrintable(error));
        }
        ProgressStore store = ProgressStore::open(QFile::encodeName(program));
        QCOMPARE(store.fileName(), besideFile);
        Progress progress = store.read();
        QCOMPARE(progress.records[0][0].toText(), QStringLiteral("80"));
        QVERIFY(store.startNotice().contains(playerDataFolder()));
        QString error;
        QVERIFY2(store.save(progress, &error), qPrintable(error));
        QVERIFY(contents(besideFile).startsWith("80\r\n12\r\n"));
    }

    // The game installed for everyone (or a program folder nobody may write), with a data folder
    // the player may read but not write: the player's own records are the ones played, no lock
    // is taken on a shared folder, and the player is told.
    void readOnlyDataFolderIsPlayedFromAndTold()
    {
        const QString program = scratch.filePath("program");
        QVERIFY(put(QDir(program).filePath("Progress.txt"),
                    QByteArray("5\r\n").repeated(12) + "0\r\n0\r\n"));
        QVERIFY(QDir(playerDataFolder()).mkpath("."));
        QVERIFY(put(dataFile(), usualFile()));
        const TinyMount readOnlyProgram(program);
        const TinyMount readOnlyData(playerDataFolder());
        if (!readOnlyProgram.restrict(TinyMount::ReadOnly) ||
            !readOnlyData.restrict(TinyMount::ReadOnly))
            QSKIP("read-only folders need tmpfs mounts (run as root)");
        ProgressStore store = ProgressStore::open(QFile::encodeName(program));
        QCOMPARE(store.fileName(), dataFile());
        const Progress progress = store.read();
        QCOMPARE(progress.records[1][1].toText(), QStringLiteral("15"));
        QCOMPARE(progress.math, 2);
        QVERIFY2(store.startNotice().contains(playerDataFolder()), qPrintable(store.startNotice()));
        QVERIFY(store.lockResult() != ProgressLockResult::Held);
        // The lock would be on a records file: neither the played one nor the program's is held.
        const QByteArray played = lockListName(dataFile());
        const QByteArray beside = lockListName(QDir(program).filePath("Progress.txt"));
        QVERIFY(!played.isEmpty() && !beside.isEmpty());
        QVERIFY(!contents("/proc/locks").contains(played));
        QVERIFY(!contents("/proc/locks").contains(beside));
        // And a lock on one would be seen: a read lock, which a read-only file allows.
        const int held = ::open(QFile::encodeName(dataFile()).constData(), O_RDONLY | O_CLOEXEC);
        struct flock readLock {
        };
        readLock.l_type = F_RDLCK;
        QCOMPARE(::fcntl(held, F_OFD_SETLK, &readLock), 0);
        QVERIFY(contents("/proc/locks").contains(played));
        ::close(held);
    }

    // A disk without a free byte or inode still locks: the lock is no file.
    void lockNeedsNoSpace()
    {
        const QString folder = scratch.filePath("program");
        QVERIFY(put(QDir(folder).filePath("Progress.txt"), usualFile()));
        const TinyMount full(folder);
        if (!full.restrict(TinyMount::NoInodesLeft))
            QSKIP("a full file system needs a tmpfs mount (run as root)");
        QVERIFY(!canCreateFilesIn(folder));
        const ProgressLock first = lockProgressFolder(folder);
        QCOMPARE(first.result, ProgressLockResult::Held);
        QCOMPARE(lockProgressFolder(folder).result, ProgressLockResult::HeldByAnother);
    }
};

QTEST_GUILESS_MAIN(TestMounts)
#include "test_mounts.moc"
