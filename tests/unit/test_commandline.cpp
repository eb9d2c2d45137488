// SPDX-FileCopyrightText: The Numblaze developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The command line: --help, --version, Qt's own options, and mistakes that end the program
// before the game starts, without a display and without touching the records.
#include "app/commandline.h"
#include "tests/support.h"

#include <QDir>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

using namespace numblaze;
using namespace numblaze::testing;

namespace
{

const QString Version = QStringLiteral("Numblaze " NUMBLAZE_VERSION "\n");

/// A pattern that matches exactly this text.
QString exactly(const QString& text)
{
    return QLatin1Char('^') + QRegularExpression::escape(text) + QLatin1Char('$');
}

QString unknown(const QString& option)
{
    return exactly(
        QStringLiteral("numblaze: unknown option '%1' (try 'numblaze --help')\n").arg(option));
}

const QString HelpText = QStringLiteral("^Usage: numblaze \\[options\\]\n(.*\n)*"
                                        "  -h, --help +\\S.*\n  -v, --version +\\S.*\n$");

} // namespace

class TestCommandLine : public QObject
{
    Q_OBJECT

  private slots:
    void commandLineIsRead_data();
    void commandLineIsRead();
    void programEndsWithoutDisplayOrRecords_data();
    void programEndsWithoutDisplayOrRecords();
};

void TestCommandLine::commandLineIsRead_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<bool>("play");
    QTest::addColumn<int>("status");
    QTest::addColumn<QString>("out");
    QTest::addColumn<QString>("err");

    const QString none = exactly({});
    auto row = [](const char* name, const QString& arguments) -> QTestData& {
        return QTest::newRow(name) << (QStringList{QStringLiteral("/usr/games/numblaze")} +
                                       arguments.split(QLatin1Char(' '), Qt::SkipEmptyParts));
    };
    row("nothing", {}) << true << 0 << none << none;
    row("version", "--version") << false << 0 << exactly(Version) << none;
    row("version, short", "-v") << false << 0 << exactly(Version) << none;
    row("help", "--help") << false << 0 << HelpText << none;
    row("help, short", "-h") << false << 0 << HelpText << none;
    row("help before a Qt option", "--help -style fusion") << false << 0 << HelpText << none;

    row("Qt's style", "-style fusion") << true << 0 << none << none;
    row("Qt's style with =", "-style=fusion") << true << 0 << none << none;
    row("Qt's platform, two dashes", "--platform offscreen") << true << 0 << none << none;
    row("Qt's right-to-left", "-reverse") << true << 0 << none << none;

    row("unknown long option", "--bogus") << false << 2 << none << unknown("--bogus");
    row("unknown short option", "-x") << false << 2 << none << unknown("-x");
    row("unknown option with a value", "--speed=99") << false << 2 << none << unknown("--speed");
    row("unknown option after --version", "--version --bogus")
        << false << 2 << none << unknown("--bogus");
    row("a file name", "Progress.txt")
        << false << 2 << none
        << exactly("numblaze: unexpected argument 'Progress.txt' (try 'numblaze --help')\n");
    row("everything after --", "-- --version")
        << false << 2 << none
        << exactly("numblaze: unexpected argument '--version' (try 'numblaze --help')\n");
    row("Qt option without its value", "-platform")
        << false << 2 << none << QStringLiteral("^numblaze: .*'-platform'.*--help.*\n$");
}

void TestCommandLine::commandLineIsRead()
{
    QFETCH(QStringList, arguments);
    QFETCH(bool, play);
    QFETCH(int, status);
    QFETCH(QString, out);
    QFETCH(QString, err);

    const CommandLineReply reply = CommandLine::read(arguments);
    QCOMPARE(reply.play, play);
    if (!play)
        QCOMPARE(reply.status, status);
    QVERIFY2(QRegularExpression(out).match(reply.out).hasMatch(), qPrintable(reply.out));
    QVERIFY2(QRegularExpression(err).match(reply.err).hasMatch(), qPrintable(reply.err));
}

void TestCommandLine::programEndsWithoutDisplayOrRecords_data()
{
    QTest::addColumn<QString>("argument");
    QTest::addColumn<int>("status");
    QTest::addColumn<QString>("out");
    QTest::addColumn<QString>("err");
    QTest::newRow("version") << "--version" << 0 << exactly(Version) << exactly({});
    QTest::newRow("help") << "--help" << 0 << HelpText << exactly({});
    QTest::newRow("unknown option") << "--bogus" << 2 << exactly({}) << unknown("--bogus");
}

// The real program, copied into a folder of its own beside a progress file, as a player keeps
// a portable copy. There is no display at all: the game itself could not start.
void TestCommandLine::programEndsWithoutDisplayOrRecords()
{
    QFETCH(QString, argument);
    QFETCH(int, status);
    QFETCH(QString, out);
    QFETCH(QString, err);

    QTemporaryDir folder;
    QVERIFY(folder.isValid());
    const QString program = folder.filePath(QStringLiteral("numblaze"));
    const QString progress = folder.filePath(QStringLiteral("Progress.txt"));
    QVERIFY(QFile::copy(QStringLiteral(NUMBLAZE_PROGRAM), program));
    const QByteArray records = "11\r\n12\r\n13\r\n14\r\n15\r\n16\r\n17\r\n18\r\n19\r\n20\r\n21\r\n"
                               "22\r\n2\r\n1\r\n";
    QVERIFY(put(progress, records));

    QProcess process;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"})
        environment.remove(QString::fromLatin1(name));
    process.setProcessEnvironment(environment);
    process.setWorkingDirectory(folder.path());
    process.start(program, {argument});
    QVERIFY(process.waitForFinished(60000));

    QCOMPARE(process.exitStatus(), QProcess::NormalExit);
    QCOMPARE(process.exitCode(), status);
    const QString printed = QString::fromLocal8Bit(process.readAllStandardOutput());
    const QString complained = QString::fromLocal8Bit(process.readAllStandardError());
    QVERIFY2(QRegularExpression(out).match(printed).hasMatch(), qPrintable(printed));
    QVERIFY2(QRegularExpression(err).match(complained).hasMatch(), qPrintable(complained));
    QCOMPARE(contents(progress), records);
    QCOMPARE(QDir(folder.path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot),
             QStringList({QStringLiteral("numblaze"), QStringLiteral("Progress.txt")}));
}

QTEST_GUILESS_MAIN(TestCommandLine)
#include "test_commandline.moc"
