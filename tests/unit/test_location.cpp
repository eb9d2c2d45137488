// SPDX-FileCopyrightText: The Numblaze developers
// SPDX-License-Identifier: GPL-3.0-or-later

// Where the progress file lives, and the lock that keeps a second copy of the game away from it.
#include "menu/form2.h"
#include "records/progresslocation.h"
#include "records/progressstore.h"
#include "tests/support.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <csignal>
#include <optional>
#include <sys/wait.h>
#include <unistd.h>

using namespace numblaze;
using namespace numblaze::testing;

namespace
{

// Records 11 to 22, then Multiplication and Ronald Red.
QByteArray usualFile()
{
    QByteArray bytes;
    for (int n = 11; n <= 22; ++n)
        bytes += QByteArray::number(n) + "\r\n";
    return bytes + "2\r\n2\r\n";
}

QString dataFile()
{
    return QDir(playerDataFolder()).filePath(QStringLiteral("Progress.txt"));
}

// True when the game could really create a file in the folder.
bool canCreateFilesIn(const QString& folder)
{
    const Folder opened = Folder::open(QFile::encodeName(folder));
    return opened.isOpen() && opened.isWritable();
}

} // namespace

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
        QVERIFY(scratch.isValid());
        QVERIFY(put(scratch.filePath("file"), "not a folder"));
        unwritableFolder = scratch.filePath("file/bin");
    }

    void init()
    {
        QDir(playerDataFolder()).removeRecursively();
        QDir program(scratch.filePath("program"));
        program.removeRecursively();
        QVERIFY(program.mkpath("."));
    }

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
        Form2::get().progressFolder = unwritableFolder;
        QVERIFY(!QFile::exists(playerDataFolder()));

        QVERIFY(runMenu());
        const QByteArray written = contents(dataFile());
        QCOMPARE(written.count("\r\n"), 14);
        QVERIFY(written.startsWith("5\r\n"));
    }

    void installedGameReadsBackWhatItWrote()
    {
        Form2::get().progressFolder = unwritableFolder;
        QVERIFY(QDir(playerDataFolder()).mkpath("."));
        QVERIFY(put(dataFile(), usualFile()));

        Form2::get().show();
        QCOMPARE(Form2::get().record(1, 1).toText(), QStringLiteral("15"));
        QCOMPARE(Form2::get().Active_Math.toNumber(), 2.0);
        QVERIFY(runMenu());
        QCOMPARE(contents(dataFile()), usualFile());
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

    // What an older lock file or a power cut left beside the records never keeps the player out.
    void leftoverLockFilesAreIgnored_data()
    {
        QTest::addColumn<QString>("leftover");
        QTest::newRow("empty") << "empty";
        QTest::newRow("garbage") << "garbage";
        QTest::newRow("a folder") << "folder";
        QTest::newRow("a dangling link") << "link";
    }

    void leftoverLockFilesAreIgnored()
    {
        QFETCH(QString, leftover);
        const QString program = scratch.filePath("program");
        const QString lockName = QDir(program).filePath("Progress.txt.lock");
        if (leftover == "empty")
            QVERIFY(put(lockName, ""));
        else if (leftover == "garbage")
            QVERIFY(put(lockName, "\xff\x00 not a process\n"));
        else if (leftover == "folder")
            QVERIFY(QDir(program).mkdir("Progress.txt.lock"));
        else
            QVERIFY(QFile::link(scratch.filePath("nowhere"), lockName));

        ProgressStore store = ProgressStore::open(QFile::encodeName(program));
        QCOMPARE(store.lockResult(), ProgressLockResult::Held);
        store.read();
        QCOMPARE(store.startNotice(), QString());
    }

    // A disk without a free byte or inode still locks: the lock is no file.
    void lockNeedsNoSpace()
    {
        const QString folder = scratch.filePath("program");
        const TinyMount full(folder);
        if (!full.restrict(TinyMount::NoInodesLeft))
            QSKIP("a full file system needs a tmpfs mount (run as root)");
        QVERIFY(!canCreateFilesIn(folder));
        const ProgressLock first = lockProgressFolder(folder);
        QCOMPARE(first.result, ProgressLockResult::Held);
        QCOMPARE(lockProgressFolder(folder).result, ProgressLockResult::HeldByAnother);
    }

    void gameStillRunsWhereNoLockCanBeMade()
    {
        QCOMPARE(lockProgressFolder(unwritableFolder).result, ProgressLockResult::Unavailable);
    }
};

QTEST_MAIN(TestLocation)
#include "test_location.moc"
