// SPDX-FileCopyrightText: The Numblaze developers
// SPDX-License-Identifier: GPL-3.0-or-later

// Where the progress file lives, and the lock that keeps a second copy of the game away from it.
#include "app/settings.h"
#include "menu/form2.h"
#include "records/progresslocation.h"
#include "records/progressstore.h"
#include "tests/recordfiles.h"
#include "tests/support.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QSettings>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <csignal>
#include <cstdlib>
#include <fcntl.h>
#include <optional>
#include <sys/file.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <sys/wait.h>
#include <unistd.h>

using namespace numblaze;
using namespace numblaze::testing;

class TestLocation : public QObject
{
    Q_OBJECT

    QTemporaryDir scratch;
    // A "folder" under a regular file: nobody, not even root, can create anything in it.
    QString unwritableFolder;

    // Starts the menu, then leaves it as "Exit" does; true when no warning was shown.
    bool runMenu()
    {
        bool warned = false;
        QTimer closer; // a "could not be saved" box would block: close it, and remember it
        closer.setSingleShot(true);
        connect(&closer, &QTimer::timeout, [&warned] {
            if (QWidget* box = QApplication::activeModalWidget()) {
                warned = true;
                box->close();
            }
        });
        Form2::get().show();
        closer.start(0);
        Form2::get().unload();
        return !warned;
    }

  private slots:
    void initTestCase()
    {
        QStandardPaths::setTestModeEnabled(true);
        settings::nameTheGame();
        QVERIFY(scratch.isValid());
        QVERIFY(put(scratch.filePath("file"), "not a folder"));
        unwritableFolder = scratch.filePath("file/bin");
    }

    void init() { QVERIFY(startAfresh(scratch.filePath("program"))); }

    void cleanupTestCase() { QDir(playerDataFolder()).removeRecursively(); }

    // Each row's folder keeps the same listing whatever else runs on the machine.
    void writableFoldersAreFoundByTrying_data()
    {
        QTest::addColumn<QString>("folder");
        QTest::addColumn<bool>("writable");
        QTest::newRow("ordinary folder") << scratch.filePath("program") << true;
        QTest::newRow("under a regular file") << unwritableFolder << false;
        QTest::newRow("kernel settings") << QStringLiteral("/proc/sys/kernel") << false;
    }

    void writableFoldersAreFoundByTrying()
    {
        QFETCH(QString, folder);
        QFETCH(bool, writable);
        const QStringList before = QDir(folder).entryList(QDir::AllEntries | QDir::Hidden);
        QCOMPARE(canCreateFilesIn(folder), writable);
        QCOMPARE(QDir(folder).entryList(QDir::AllEntries | QDir::Hidden), before);
    }

    void portableGameKeepsProgressBesideItself()
    {
        const QString program = scratch.filePath("program");
        QVERIFY(QDir(playerDataFolder()).mkpath("."));
        QVERIFY(put(dataFile(), usualFile()));

        const ProgressStore store = ProgressStore::open(QFile::encodeName(program));
        QCOMPARE(store.fileName(), QDir(program).filePath("Progress.txt"));
        QCOMPARE(store.lockResult(), ProgressLockResult::Held);
    }

    void installedGameWritesToThePlayersDataFolder()
    {
        QVERIFY(!QFile::exists(playerDataFolder()));
        playWithRecordsIn(unwritableFolder);

        QVERIFY(runMenu());
        const QByteArray written = contents(dataFile());
        QCOMPARE(written.count("\r\n"), 14);
        QVERIFY(written.startsWith("5\r\n"));
    }

    void installedGameReadsBackWhatItWrote()
    {
        playWithRecordsIn(unwritableFolder);
        QVERIFY(QDir(playerDataFolder()).mkpath("."));
        QVERIFY(put(dataFile(), usualFile()));

        Form2::get().show();
        QCOMPARE(Form2::get().record(1, 1).toText(), QStringLiteral("15"));
        QCOMPARE(Form2::get().Active_Math.toNumber(), 2.0);
        QVERIFY(runMenu());
        QCOMPARE(contents(dataFile()), usualFile());
    }

    // A program folder whose path is longer than the system takes at once is still the place
    // of its records.
    void longFolderPathsAreUsedByHandle()
    {
        QByteArray path = QFile::encodeName(scratch.filePath("program"));
        const QByteArray part(200, 'd');
        int fd = ::open(path, O_RDONLY | O_DIRECTORY);
        for (int depth = 0; depth < 24 && fd >= 0; ++depth) {
            QCOMPARE(::mkdirat(fd, part, 0755), 0);
            const int next = ::openat(fd, part, O_RDONLY | O_DIRECTORY);
            ::close(fd);
            fd = next;
            path += '/' + part;
        }
        QVERIFY(fd >= 0);
        QVERIFY(path.size() > 4096);
        const QByteArray records = usualFile().replace("11\r\n", "77\r\n");
        const int file = ::openat(fd, "Progress.txt", O_WRONLY | O_CREAT | O_CLOEXEC, 0644);
        QCOMPARE(::write(file, records.constData(), size_t(records.size())),
                 ssize_t(records.size()));
        ::close(file);
        ::close(fd);

        ProgressStore store = ProgressStore::open(path);
        QCOMPARE(QFile::encodeName(store.fileName()), path + "/Progress.txt");
        QCOMPARE(store.lockResult(), ProgressLockResult::Held);
        Progress progress = store.read();
        QCOMPARE(progress.records[0][0].toText(), QStringLiteral("77"));
        QCOMPARE(store.startNotice(), QString());
        progress.records[0][1] = Loose(13.0);
        QString error;
        QVERIFY2(store.save(progress, &error), qPrintable(error));
        QVERIFY(!QFile::exists(dataFile()));
        const Folder deep = Folder::open(path);
        QCOMPARE(deep.absolutePath(), path);
        QCOMPARE(readRegularFile(deep, "Progress.txt", 100).bytes.left(8),
                 QByteArray("77\r\n13\r\n"));
    }

    // Without a home folder there is no data folder: the player is told, and nothing is made
    // at the file system's root.
    void noHomeMeansNoDataFolder()
    {
        const QByteArray home = qgetenv("HOME");
        qunsetenv("HOME");
        const QString data = playerDataFolder();
        ProgressStore store = ProgressStore::open(QFile::encodeName(unwritableFolder));
        store.read();
        qputenv("HOME", home);
        QCOMPARE(data, QString());
        QVERIFY2(store.startNotice().contains("no home folder"), qPrintable(store.startNotice()));
        Progress progress;
        QString error;
        QVERIFY(!store.save(progress, &error));
        QVERIFY(!QFileInfo::exists("/.local/share/test_location"));
        QVERIFY(!QFileInfo::exists("/.qttest"));
    }

    // Records in both places are one set: each pairing keeps the higher record, and the next
    // save puts the set where this run keeps it (beside the program here; the other way round
    // needs a read-only program folder, in the system tests).
    void recordsInBothPlacesAreOneSet()
    {
        const QString program = scratch.filePath("program");
        QVERIFY(QDir(playerDataFolder()).mkpath("."));
        QByteArray beside = usualFile();
        QByteArray data = usualFile().replace("11\r\n12\r\n", "14\r\n12\r\n");
        QVERIFY(put(QDir(program).filePath("Progress.txt"), beside));
        QVERIFY(put(dataFile(), data));
        ProgressStore store = ProgressStore::open(QFile::encodeName(program));
        QCOMPARE(store.fileName(), QDir(program).filePath("Progress.txt"));
        Progress progress = store.read();
        QCOMPARE(progress.records[0][0].toText(), QStringLiteral("14"));
        QCOMPARE(progress.records[0][1].toText(), QStringLiteral("12"));
        QString error;
        QVERIFY2(store.save(progress, &error), qPrintable(error));
        QVERIFY(contents(QDir(program).filePath("Progress.txt")).startsWith("14\r\n12\r\n"));
        QCOMPARE(contents(dataFile()), data);
    }

    void secondCopyIsKeptOut()
    {
        const QString folder = scratch.filePath("program");
        std::optional<ProgressLock> first = lockProgressFolder(folder);
        QCOMPARE(first->result, ProgressLockResult::Held);
        QCOMPARE(lockProgressFolder(folder).result, ProgressLockResult::HeldByAnother);

        first.reset();
        QCOMPARE(lockProgressFolder(folder).result, ProgressLockResult::Held);
    }

    // Another process holds the lock: while it runs, however long, and after it ends, however
    // it ends.
    void lockLastsExactlyAsLongAsItsHolder_data()
    {
        QTest::addColumn<bool>("crashes");
        QTest::newRow("killed while running") << false;
        QTest::newRow("ends without unlocking") << true;
    }

    void lockLastsExactlyAsLongAsItsHolder()
    {
        QFETCH(bool, crashes);
        const QString folder = scratch.filePath("program");
        int ready[2];
        QCOMPARE(::pipe(ready), 0);
        const pid_t child = fork();
        if (child == 0) {
            const ProgressLock lock = lockProgressFolder(folder);
            const char held = lock.result == ProgressLockResult::Held ? 'y' : 'n';
            (void)!::write(ready[1], &held, 1);
            if (crashes)
                _exit(0);
            for (;;)
                ::pause();
        }
        char held = 0;
        QCOMPARE(::read(ready[0], &held, 1), 1);
        QCOMPARE(held, 'y');
        if (!crashes)
            QCOMPARE(lockProgressFolder(folder).result, ProgressLockResult::HeldByAnother);
        ::kill(child, SIGKILL);
        QCOMPARE(waitpid(child, nullptr, 0), child);
        ::close(ready[0]);
        ::close(ready[1]);

        QCOMPARE(lockProgressFolder(folder).result, ProgressLockResult::Held);
    }

    // Nothing another user (or an older game) can put or hold in the folder keeps the player
    // out: a lock on the folder itself, or a lock file that is not the player's alone.
    void onlyThePlayerCanHoldTheLock_data()
    {
        QTest::addColumn<QString>("other");
        QTest::newRow("folder locked with flock") << "flock";
        QTest::newRow("lock file that is a link") << "link";
        QTest::newRow("lock file that is a folder") << "folder";
        QTest::newRow("lock file anyone may write") << "shared";
        QTest::newRow("old lock file beside the records") << "old";
    }
    void onlyThePlayerCanHoldTheLock()
    {
        QFETCH(QString, other);
        const QString program = scratch.filePath("program");
        const QByteArray lockFile = QFile::encodeName(QDir(program).filePath(".Progress.lock"));
        QVERIFY(put(QDir(program).filePath("Progress.txt"), usualFile()));
        if (other == "link")
            QCOMPARE(::symlink("/dev/null", lockFile), 0);
        else if (other == "folder")
            QCOMPARE(::mkdir(lockFile, 0700), 0);
        else if (other == "shared")
            QVERIFY(put(QFile::decodeName(lockFile), "") && ::chmod(lockFile, 0666) == 0);
        else if (other == "old")
            QVERIFY(put(QDir(program).filePath("Progress.txt.lock"), "\xff\x00 not a process\n"));
        // Another process, as any user who can read the folder could.
        pid_t holder = -1;
        int ready[2];
        QCOMPARE(::pipe(ready), 0);
        if (other == "flock" || other == "shared") {
            holder = fork();
            if (holder == 0) {
                const QByteArray name = other == "flock" ? QFile::encodeName(program) : lockFile;
                const int fd = ::open(name, other == "flock" ? O_RDONLY | O_DIRECTORY : O_RDWR);
                const int done = fd < 0             ? -1
                                 : other == "flock" ? ::flock(fd, LOCK_EX | LOCK_NB)
                                                    : lockForWriting(fd);
                const char held = done == 0 ? 'y' : 'n';
                (void)!::write(ready[1], &held, 1);
                for (;;)
                    ::pause();
            }
            char held = 0;
            QCOMPARE(::read(ready[0], &held, 1), 1);
            QCOMPARE(held, 'y');
        }
        ProgressStore store = ProgressStore::open(QFile::encodeName(program));
        const ProgressLockResult result = store.lockResult();
        if (holder > 0) {
            ::kill(holder, SIGKILL);
            ::waitpid(holder, nullptr, 0);
        }
        ::close(ready[0]);
        ::close(ready[1]);
        QCOMPARE(result, ProgressLockResult::Held);
        store.read();
        QCOMPARE(store.startNotice(), QString());
        QCOMPARE(lockProgressFolder(program).result, ProgressLockResult::HeldByAnother);
    }

    // The lock lives on the records file and moves onto each new one a save puts in its place;
    // a folder without records gets a lock file until the first save.
    void lockFollowsTheRecordsFromSaveToSave_data()
    {
        QTest::addColumn<bool>("recordsAtStart");
        QTest::newRow("records there") << true;
        QTest::newRow("first run") << false;
    }
    void lockFollowsTheRecordsFromSaveToSave()
    {
        QFETCH(bool, recordsAtStart);
        const QString program = scratch.filePath("program");
        if (recordsAtStart)
            QVERIFY(put(QDir(program).filePath("Progress.txt"), usualFile()));
        ProgressStore store = ProgressStore::open(QFile::encodeName(program));
        QCOMPARE(store.lockResult(), ProgressLockResult::Held);
        QCOMPARE(QFile::exists(QDir(program).filePath(".Progress.lock")), !recordsAtStart);
        Progress progress = store.read();
        for (int save = 0; save < 2; ++save) {
            QCOMPARE(lockProgressFolder(program).result, ProgressLockResult::HeldByAnother);
            progress.records[0][0] = Loose(double(30 + save));
            QString error;
            QVERIFY2(store.save(progress, &error), qPrintable(error));
        }
        QCOMPARE(lockProgressFolder(program).result, ProgressLockResult::HeldByAnother);
        QCOMPARE(QDir(program).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden),
                 QStringList{"Progress.txt"});
        store = ProgressStore();
        QCOMPARE(lockProgressFolder(program).result, ProgressLockResult::Held);
    }

    // A save killed halfway leaves its temporary file: the next start removes the player's own,
    // and nothing else.
    void leftoversOfKilledSavesAreRemovedAtStart()
    {
        const QString program = scratch.filePath("program");
        const QStringList mine{".Progress.txt.1x2y3z", ".Progress.txt.a"};
        const QStringList kept{".Progress.txt.NotOurs", ".Progress.txt.", "Progress.txt.abc",
                               ".Progress.txt.abc.d"};
        for (const QString& name : mine + kept)
            QVERIFY(put(QDir(program).filePath(name), "14"));
        QString othersFile = QDir(program).filePath(".Progress.txt.b0b");
        QVERIFY(put(othersFile, "another user's"));
        const bool root = ::geteuid() == 0;
        if (root)
            QCOMPARE(::chown(QFile::encodeName(othersFile), 65534, 65534), 0);
        const ProgressStore store = ProgressStore::open(QFile::encodeName(program));
        QCOMPARE(store.lockResult(), ProgressLockResult::Held);
        for (const QString& name : mine)
            QVERIFY2(!QFile::exists(QDir(program).filePath(name)), qPrintable(name));
        for (const QString& name : kept)
            QVERIFY2(QFile::exists(QDir(program).filePath(name)), qPrintable(name));
        QCOMPARE(QFile::exists(othersFile), root);
    }

    void gameStillRunsWhereNoLockCanBeMade()
    {
        QCOMPARE(lockProgressFolder(unwritableFolder).result, ProgressLockResult::Unavailable);
    }
};

QTEST_MAIN(TestLocation)
#include "test_location.moc"
