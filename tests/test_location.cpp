// Where the progress file lives, and the lock that keeps a second copy of the game away from it.
#include "menu/form2.h"
#include "menu/progresslocation.h"
#include "tests/support.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
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

    void writableFoldersAreFoundByTrying_data()
    {
        QTest::addColumn<QString>("folder");
        QTest::addColumn<bool>("writable");
        QTest::newRow("ordinary folder") << scratch.filePath("program") << true;
        QTest::newRow("under a regular file") << unwritableFolder << false;
        QTest::newRow("/proc") << QStringLiteral("/proc") << false;
    }

    void writableFoldersAreFoundByTrying()
    {
        QFETCH(QString, folder);
        QFETCH(bool, writable);
        const QStringList before = QDir(folder).entryList(QDir::AllEntries | QDir::Hidden);
        QCOMPARE(isWritableFolder(folder), writable);
        QCOMPARE(QDir(folder).entryList(QDir::AllEntries | QDir::Hidden), before);
    }

    void portableGameKeepsProgressBesideItself()
    {
        const QString program = scratch.filePath("program");
        QVERIFY(QDir(playerDataFolder()).mkpath("."));
        QVERIFY(put(dataFile(), usualFile()));

        QCOMPARE(progressFileFor(program), QDir(program).filePath("Progress.txt"));
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

        const QString file = progressFileFor(program, false);
        QCOMPARE(file, dataFile());
        QCOMPARE(contents(file), usualFile());
        QVERIFY(QFileInfo(file).permissions() & QFile::WriteOwner);
        QString error;
        QVERIFY2(writeProgressFile(file, readProgressFile(QString()), &error), qPrintable(error));

        // From then on the data folder's file is the player's: the old one is not copied again.
        QCOMPARE(progressFileFor(program, false), file);
        QVERIFY(contents(file).startsWith("5\r\n"));
        QCOMPARE(contents(original), usualFile());
    }

    void secondCopyIsKeptOut()
    {
        const QString folder = scratch.filePath("program");
        ProgressLock first = lockProgressFolder(folder);
        QCOMPARE(first.result, ProgressLockResult::Held);
        QCOMPARE(lockProgressFolder(folder).result, ProgressLockResult::HeldByAnother);

        first.file.reset();
        QCOMPARE(lockProgressFolder(folder).result, ProgressLockResult::Held);
    }

    void lockOfALongRunningCopyIsKept()
    {
        const QString folder = scratch.filePath("program");
        const ProgressLock first = lockProgressFolder(folder);
        QCOMPARE(first.result, ProgressLockResult::Held);
        QFile lockFile(first.file->fileName());
        QVERIFY(lockFile.open(QIODevice::ReadWrite));
        QVERIFY(lockFile.setFileTime(QDateTime::currentDateTime().addSecs(-3 * 3600),
                                     QFileDevice::FileModificationTime));
        lockFile.close();

        QCOMPARE(lockProgressFolder(folder).result, ProgressLockResult::HeldByAnother);
    }

    void lockOfACrashedCopyIsTakenOver()
    {
        const QString folder = scratch.filePath("program");
        const QString lockName = QDir(folder).filePath("Progress.txt.lock");
        const pid_t child = fork();
        if (child == 0) {
            // The copy that crashes: takes the lock and dies without releasing it.
            QLockFile lock(lockName);
            _exit(lock.tryLock(0) ? 0 : 1);
        }
        int status = 0;
        QCOMPARE(waitpid(child, &status, 0), child);
        QVERIFY(WIFEXITED(status) && WEXITSTATUS(status) == 0);
        QVERIFY(QFile::exists(lockName));

        QCOMPARE(lockProgressFolder(folder).result, ProgressLockResult::Held);
    }

    void gameStillRunsWhereNoLockCanBeMade()
    {
        QCOMPARE(lockProgressFolder(unwritableFolder).result, ProgressLockResult::Unavailable);
    }
};

QTEST_MAIN(TestLocation)
#include "test_location.moc"
