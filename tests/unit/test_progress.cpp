// SPDX-FileCopyrightText: The Numblaze developers
// SPDX-License-Identifier: GPL-3.0-or-later

// Progress.txt without any window: what is read from the file and what is written back.
#include "records/progressfile.h"
#include "tests/support.h"

#include <QDir>
#include <QFile>
#include <QLocale>
#include <QTemporaryDir>
#include <QTest>
#include <csignal>
#include <optional>
#include <sys/resource.h>

using namespace numblaze;
using namespace numblaze::testing;

namespace
{

// The usual file: records 11 to 22 for the twelve pairings, Division and Patty Purple selected.
QList<QByteArray> usualLines()
{
    QList<QByteArray> lines;
    for (int n = 11; n <= 22; ++n)
        lines << QByteArray::number(n);
    return lines << "3"
                 << "1";
}

QByteArray joined(const QList<QByteArray>& lines, const char* terminator = "\r\n")
{
    QByteArray bytes;
    for (const QByteArray& line : lines)
        bytes += line + terminator;
    return bytes;
}

// The usual file with line n (1 to 14) holding text instead.
QByteArray usualWith(int n, const QByteArray& text)
{
    QList<QByteArray> lines = usualLines();
    lines[n - 1] = text;
    return joined(lines);
}

} // namespace

class TestProgress : public QObject
{
    Q_OBJECT

    QTemporaryDir dir;
    QString fileName() const { return dir.filePath(QStringLiteral("Progress.txt")); }

  private slots:
    void init()
    {
        QVERIFY(dir.isValid());
        QFile::remove(fileName());
    }

    // Reads a file and writes it straight back: what the next run finds.
    void readThenWrite_data()
    {
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<QByteArray>("written");
        const QByteArray usual = joined(usualLines());
        QTest::newRow("as written") << usual << usual;
        QTest::newRow("LF only") << joined(usualLines(), "\n") << usual;
        QTest::newRow("no final terminator") << usual.chopped(2) << usual;
        QTest::newRow("LF only, no final terminator")
            << joined(usualLines(), "\n").chopped(1) << usual;
        const QList<QByteArray> records = usualLines().mid(0, 12);
        QTest::newRow("last line cut after its CR")
            << joined(records).chopped(1) << joined(records) + "0\r\n0\r\n";
        QTest::newRow("extra lines dropped") << usual + "99\r\nsomething\r\n" << usual;
        // A text editor may have put a UTF-8 byte-order mark before the first record.
        QTest::newRow("byte-order mark") << "\xef\xbb\xbf" + usual << usual;
        QTest::newRow("leading blank kept") << usualWith(5, " 7") << usualWith(5, " 7");
        QTest::newRow("leading zero kept") << usualWith(5, "07") << usualWith(5, "07");
        QTest::newRow("largest record kept")
            << usualWith(12, "94906265") << usualWith(12, "94906265");
        QTest::newRow("4096 bytes kept") << usualWith(1, QByteArray(4095, '0') + "7")
                                         << usualWith(1, QByteArray(4095, '0') + "7");

        // Every record line that cannot be raced with starts again at 5.
        const QList<QPair<const char*, QByteArray>> badRecords = {
            {"empty", ""},
            {"blanks", "   "},
            {"letters", "seven"},
            {"number then letters", "7a"},
            {"zero", "0"},
            {"negative", "-3"},
            {"too large", "94906266"},
            {"4097 bytes", QByteArray(4096, '0') + "7"},
            {"8-bit bytes", "\xe9\xff"},
        };
        for (const auto& [name, text] : badRecords)
            QTest::newRow(name) << usualWith(7, text) << usualWith(7, "5");

        // A selection that names no option selects the first one.
        const QList<QPair<int, QByteArray>> badSelections = {
            {13, "4"}, {13, "-1"},  {13, "x"},
            {13, ""},  {13, "1.5"}, {13, "70000"},
            {14, "3"}, {14, "2.5"}, {14, QByteArray(5000, '1')},
        };
        for (const auto& [n, text] : badSelections)
            QTest::addRow("line %d: %s", n, text.left(8).constData())
                << usualWith(n, text) << usualWith(n, "0");
        QTest::newRow("selection with blanks") << usualWith(13, " 2 ") << usualWith(13, "2");

        QList<QByteArray> shortFile = usualLines().mid(0, 5);
        QList<QByteArray> firstRun = QList<QByteArray>(12, "5") << "0"
                                                                << "0";
        QList<QByteArray> shortRun = shortFile + firstRun.mid(5);
        QTest::newRow("five lines") << joined(shortFile) << joined(shortRun);
        QTest::newRow("no file") << QByteArray() << joined(firstRun);
        QTest::newRow("empty file") << QByteArray("") << joined(firstRun);
        QTest::newRow("empty lines only") << QByteArray(20, '\n') << joined(firstRun);
    }
    void readThenWrite()
    {
        QFETCH(QByteArray, file);
        QFETCH(QByteArray, written);
        QVERIFY(file.isNull() || put(fileName(), file));
        QString error;
        QVERIFY(writeProgressFile(fileName(), readProgressFile(fileName()), &error));
        QCOMPARE(contents(fileName()), written);
    }

    // Only the first 14 lines are kept while reading, however large the file.
    void hugeFile_data()
    {
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<QByteArray>("written");
        QList<QByteArray> huge = usualLines();
        huge[0] = QByteArray(50 * 1024 * 1024, '7');
        // No more is read than 14 usable lines can take: the lines after it are never reached.
        QTest::newRow("50 MB first line") << joined(huge)
                                          << joined(QList<QByteArray>(12, "5") << "0"
                                                                               << "0");
        QTest::newRow("a million extra lines")
            << joined(usualLines()) + QByteArray("9\r\n").repeated(1000000) << joined(usualLines());
    }
    void hugeFile()
    {
        QFETCH(QByteArray, file);
        QFETCH(QByteArray, written);
        QVERIFY(put(fileName(), file));
        file.clear();
        QCOMPARE(progressBytes(readProgressFile(fileName())), written);
    }

    // One file, the same twelve records and selections under every locale; the record label and
    // the race read each usable record as the same number.
    void sameRecordsUnderEveryLocale_data()
    {
        QTest::addColumn<QLocale>("locale");
        QTest::newRow("C") << QLocale::c();
        QTest::newRow("German") << QLocale(QLocale::German, QLocale::Germany);
        QTest::newRow("French") << QLocale(QLocale::French, QLocale::France);
    }
    void sameRecordsUnderEveryLocale()
    {
        QFETCH(QLocale, locale);
        const QList<QByteArray> lines = {"7.5", "1.000", "1,000", "007", " 12 ", "+7",  "1e3",
                                         "7,5", "\t9",   "9 9",   "",    "42",   "1.0", "2,0"};
        const QByteArray file = joined(lines);
        const QByteArray expected =
            joined({"5", "5", "5", "007", " 12 ", "5", "5", "5", "\t9", "5", "5", "42", "0", "0"});
        QLocale::setDefault(locale);
        const Progress progress = readProgressBytes(file);
        const QByteArray written = progressBytes(progress);
        QLocale::setDefault(QLocale::c());
        QCOMPARE(written, expected);
        const double values[] = {5, 5, 5, 7, 12, 5, 5, 5, 9, 5, 5, 42};
        QLocale::setDefault(locale);
        for (int n = 0; n < 12; ++n)
            QCOMPARE(progress.records[n / 3][n % 3].toNumber(), values[n]);
        QLocale::setDefault(QLocale::c());
    }

    // A file that cannot be written leaves the previous one whole and says why.
    void failedWriteKeepsOldFile_data()
    {
        QTest::addColumn<QString>("folder");
        QTest::addColumn<bool>("diskFull");
        QTest::newRow("disk full") << QString() << true;
        QTest::newRow("missing folder") << QStringLiteral("missing") << false;
    }
    void failedWriteKeepsOldFile()
    {
        QFETCH(QString, folder);
        QFETCH(bool, diskFull);
        const QByteArray old = usualWith(5, "07");
        QVERIFY(put(fileName(), old));
        Progress progress = readProgressFile(fileName());
        progress.records[1][1] = Loose(8.0);
        const QString target =
            folder.isEmpty() ? fileName() : dir.filePath(folder + QStringLiteral("/Progress.txt"));
        QString error;
        bool written = true;
        {
            std::optional<DiskFull> full;
            if (diskFull)
                full.emplace();
            written = writeProgressFile(target, progress, &error);
        }
        QVERIFY(!written);
        QVERIFY(!error.isEmpty());
        QCOMPARE(contents(fileName()), old);
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files), QStringList{"Progress.txt"});
    }
};

QTEST_GUILESS_MAIN(TestProgress)
#include "test_progress.moc"
