// SPDX-FileCopyrightText: The Numblaze developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The progress store without any window: records only ever go up, whoever else writes the file,
// links to the player's own file keep working, and no more of a file is read than can be used.
#include "records/progressstore.h"
#include "tests/support.h"

#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

using namespace numblaze;
using namespace numblaze::testing;

namespace
{

// Records 11 to 22, Subtraction against Patty Purple selected, with the given lines changed.
QByteArray fileWith(std::initializer_list<std::pair<int, QByteArray>> changes)
{
    QList<QByteArray> lines;
    for (int n = 1; n <= 12; ++n)
        lines << QByteArray::number(10 + n);
    lines << "1"
          << "1";
    for (const auto& [n, text] : changes)
        lines[n - 1] = text;
    return lines.join("\r\n") + "\r\n";
}

/// Bytes this process has read from files so far.
qint64 bytesRead()
{
    const QByteArray io = contents(QStringLiteral("/proc/self/io"));
    const qsizetype at = io.indexOf("rchar: ") + 7;
    return io.mid(at, io.indexOf('\n', at) - at).toLongLong();
}

} // namespace

class TestRecords : public QObject
{
    Q_OBJECT

    std::optional<QTemporaryDir> dir;
    QString file() const { return dir->filePath(QStringLiteral("Progress.txt")); }
    ProgressStore open() const { return ProgressStore::open(QFile::encodeName(dir->path())); }

  private slots:
    // The player's data folder is the test's own, and empty: the store reads it at every start.
    void initTestCase() { QStandardPaths::setTestModeEnabled(true); }

    void init()
    {
        QDir(playerDataFolder()).removeRecursively();
        dir.emplace();
        QVERIFY(dir->isValid());
    }

    // Another program (a second copy, a synced folder) rewrote the file while the game ran: for
    // each pairing the higher record stays, whoever holds it.
    void recordsOnlyEverGoUp_data()
    {
        QTest::addColumn<QByteArray>("otherWrites");
        QTest::addColumn<QByteArray>("saved");
        QTest::newRow("raised elsewhere, won here")
            << fileWith({{1, "40"}, {2, "3"}}) << fileWith({{1, "40"}, {5, "16"}});
        QTest::newRow("same size, same second")
            << fileWith({{1, "19"}}) << fileWith({{1, "19"}, {5, "16"}});
        QTest::newRow("the same pairing higher there")
            << fileWith({{5, "30"}}) << fileWith({{5, "30"}});
        QTest::newRow("file removed") << QByteArray() << fileWith({{5, "16"}});
    }
    void recordsOnlyEverGoUp()
    {
        QFETCH(QByteArray, otherWrites);
        QFETCH(QByteArray, saved);
        QVERIFY(put(file(), fileWith({})));
        ProgressStore store = open();
        Progress progress = store.read();
        struct stat before {
        };
        QCOMPARE(::stat(QFile::encodeName(file()), &before), 0);

        if (otherWrites.isNull()) {
            QVERIFY(QFile::remove(file()));
        } else {
            QVERIFY(put(file(), otherWrites));
            // Put the old times back: only the nanoseconds of the change time can tell.
            const timespec times[2] = {before.st_atim, before.st_mtim};
            QCOMPARE(::utimensat(AT_FDCWD, QFile::encodeName(file()), times, 0), 0);
        }
        progress.records[1][1] = Loose(16.0);
        QString error;
        QVERIFY2(store.save(progress, &error), qPrintable(error));
        QCOMPARE(contents(file()), saved);
        // What the game holds now is what it wrote: the next save changes nothing.
        QVERIFY2(store.save(progress, &error), qPrintable(error));
        QCOMPARE(contents(file()), saved);
    }

    // A record that went down in the game's own table (the menu takes a won race in without
    // comparing) never goes down on disk.
    void aLowerRecordNeverReplacesAHigherOne()
    {
        QVERIFY(put(file(), fileWith({})));
        ProgressStore store = open();
        Progress progress = store.read();
        progress.records[0][0] = Loose(50.0);
        QString error;
        QVERIFY(store.save(progress, &error));
        progress.records[0][0] = Loose(12.0);
        QVERIFY(store.save(progress, &error));
        QCOMPARE(contents(file()), fileWith({{1, "50"}}));
    }

    // A synced folder: Progress.txt is a link to the player's own file elsewhere.
    void linkToThePlayersOwnFileKeepsWorking()
    {
        QVERIFY(QDir(dir->path()).mkpath("synced"));
        const QString target = dir->filePath("synced/records.txt");
        QVERIFY(put(target, fileWith({})));
        QVERIFY(QFile::link(target, file()));
        ProgressStore store = open();
        Progress progress = store.read();
        QCOMPARE(store.startNotice(), QString());
        progress.records[1][1] = Loose(16.0);
        QString error;
        QVERIFY2(store.save(progress, &error), qPrintable(error));
        QVERIFY(QFileInfo(file()).isSymLink());
        QCOMPARE(contents(target), fileWith({{5, "16"}}));
        QCOMPARE(QDir(dir->filePath("synced")).entryList(QDir::Files | QDir::Hidden),
                 QStringList{"records.txt"});
    }

    // A file of 2 GB without a line break: the game reads what 14 lines can take, no more.
    void hugeFileIsReadOnlyAsFarAsItCanBeUsed()
    {
        const int fd = ::open(QFile::encodeName(file()), O_WRONLY | O_CREAT, 0644);
        QVERIFY(fd >= 0);
        QCOMPARE(::ftruncate(fd, qint64(2) << 30), 0);
        ::close(fd);
        ProgressStore store = open();
        const qint64 before = bytesRead();
        const Progress progress = store.read();
        const qint64 read = bytesRead() - before;
        QVERIFY2(read <= LargestUsefulFile + 4096, qPrintable(QString::number(read)));
        QCOMPARE(progress.records[0][0].toText(), FirstRecord);
    }

    void failedSaveSaysWhereAndWhy()
    {
        QVERIFY(put(file(), fileWith({})));
        ProgressStore store = open();
        Progress progress = store.read();
        QVERIFY(QFile::remove(file()));
        QVERIFY(QDir(dir->path()).mkdir("Progress.txt"));
        QString error;
        QVERIFY(!store.save(progress, &error));
        QVERIFY2(error.contains(file()) && error.contains("not an ordinary file"),
                 qPrintable(error));
    }
};

QTEST_GUILESS_MAIN(TestRecords)
#include "test_records.moc"
