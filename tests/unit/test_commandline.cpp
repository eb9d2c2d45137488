// SPDX-FileCopyrightText: The Numblaze developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The command line: --help and --version, which need no display, and the mistakes among what
// Qt leaves of it; none of them touches the records.
#include "app/commandline.h"
#include "tests/support.h"

#include <QDir>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

using namespace numblaze;
using namespace numblaze::testing;

Q_DECLARE_METATYPE(std::optional<bool>)

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

const QString HelpText =
    QStringLiteral("^Usage: numblaze \\[options\\]\n.*\n.*F3.*standing.*\n(.*\n)*"
                   "  -h, --help +\\S.*\n  -v, --version +\\S.*\n"
                   "  --extra-time +\\S.*\n(.*\n)*  --listening-time <when> +\\S.*\n(.*\n)*"
                   "  --mute +\\S.*\n$");

} // namespace

class TestCommandLine : public QObject
{
    Q_OBJECT

  private slots:
    void commandLineIsRead_data();
    void commandLineIsRead();
    void listeningTimeIsChosen_data();
    void listeningTimeIsChosen();
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
    QTest::addColumn<bool>("extraTime");

    const QString none = exactly({});
    auto row = [](const char* name, const QString& arguments) -> QTestData& {
        return QTest::newRow(name) << (QStringList{QStringLiteral("/usr/games/numblaze")} +
                                       arguments.split(QLatin1Char(' '), Qt::SkipEmptyParts));
    };
    row("nothing", {}) << true << 0 << none << none << false;
    row("version", "--version") << false << 0 << exactly(Version) << none << false;
    row("version, short", "-v") << false << 0 << exactly(Version) << none << false;
    row("help", "--help") << false << 0 << HelpText << none << false;
    row("help, short", "-h") << false << 0 << HelpText << none << false;

    row("unknown long option", "--bogus") << false << 2 << none << unknown("--bogus") << false;
    row("unknown short option", "-x") << false << 2 << none << unknown("-x") << false;
    row("unknown option with a value", "--speed=99")
        << false << 2 << none << unknown("--speed") << false;
    row("unknown option after --version", "--version --bogus")
        << false << 2 << none << unknown("--bogus") << false;
    row("a file name", "Progress.txt")
        << false << 2 << none
        << exactly("numblaze: unexpected argument 'Progress.txt' (try 'numblaze --help')\n")
        << false;
    row("everything after --", "-- --version")
        << false << 2 << none
        << exactly("numblaze: unexpected argument '--version' (try 'numblaze --help')\n") << false;
    row("extra time", "--extra-time") << true << 0 << none << none << true;
    row("mute", "--mute") << true << 0 << none << none << false;
    row("extra time with a value", "--extra-time=yes")
        << false << 2 << none << QStringLiteral("^numblaze: .*'--extra-time'.*\n$") << false;
}

void TestCommandLine::commandLineIsRead()
{
    QFETCH(QStringList, arguments);
    QFETCH(bool, play);
    QFETCH(int, status);
    QFETCH(QString, out);
    QFETCH(QString, err);
    QFETCH(bool, extraTime);

    const CommandLineReply reply = CommandLine::read(arguments);
    QCOMPARE(reply.play, play);
    QCOMPARE(reply.extraTime, extraTime);
    QCOMPARE(reply.mute, arguments.contains(QStringLiteral("--mute")));
    if (!play)
        QCOMPARE(reply.status, status);
    QVERIFY2(QRegularExpression(out).match(reply.out).hasMatch(), qPrintable(reply.out));
    QVERIFY2(QRegularExpression(err).match(reply.err).hasMatch(), qPrintable(reply.err));
}

void TestCommandLine::listeningTimeIsChosen_data()
{
    QTest::addColumn<QString>("argument");
    QTest::addColumn<bool>("play");
    QTest::addColumn<bool>("chosen");
    QTest::addColumn<std::optional<bool>>("listeningTime");
    QTest::newRow("not given") << QString() << true << false << std::optional<bool>();
    QTest::newRow("on") << "--listening-time=on" << true << true << std::optional<bool>(true);
    QTest::newRow("off") << "--listening-time=off" << true << true << std::optional<bool>(false);
    QTest::newRow("auto") << "--listening-time=auto" << true << true << std::optional<bool>();
    QTest::newRow("anything else")
        << "--listening-time=yes" << false << false << std::optional<bool>();
    QTest::newRow("no choice") << "--listening-time" << false << false << std::optional<bool>();
}

// --listening-time takes on, off or auto (the game looks for a screen reader); anything else is
// a mistake that names the option.
void TestCommandLine::listeningTimeIsChosen()
{
    QFETCH(QString, argument);
    QFETCH(bool, play);
    QFETCH(bool, chosen);
    QFETCH(std::optional<bool>, listeningTime);
    QStringList arguments{QStringLiteral("numblaze")};
    if (!argument.isEmpty())
        arguments << argument;
    const CommandLineReply reply = CommandLine::read(arguments);
    QCOMPARE(reply.play, play);
    QCOMPARE(reply.choseListeningTime, chosen);
    QCOMPARE(reply.listeningTime, listeningTime);
    if (!play) {
        QCOMPARE(reply.status, 2);
        QVERIFY2(reply.err.contains(QStringLiteral("--listening-time")), qPrintable(reply.err));
    }
}

void TestCommandLine::programEndsWithoutDisplayOrRecords_data()
{
    QTest::addColumn<QString>("arguments");
    QTest::addColumn<int>("status");
    QTest::addColumn<QString>("out");
    QTest::addColumn<QString>("err");
    const QString noDisplay = exactly(QStringLiteral(
        "no display found: set DISPLAY or WAYLAND_DISPLAY, or start it from a desktop session\n"));
    QTest::newRow("version") << "--version" << 0 << exactly(Version) << exactly({});
    QTest::newRow("help") << "--help" << 0 << HelpText << exactly({});
    // Qt has not read its options yet: they do not stand in the way of the help or the version.
    QTest::newRow("help before a Qt option")
        << "--help -style fusion" << 0 << HelpText << exactly({});
    QTest::newRow("version after an X option")
        << "-name foo --version" << 0 << exactly(Version) << exactly({});
    // Any other option is read once Qt has taken its own, which needs a display.
    QTest::newRow("unknown option") << "--bogus" << 1 << exactly({}) << noDisplay;
}

// The real program, copied into a folder of its own beside a progress file, as a player keeps
// a portable copy. There is no display at all: the game itself could not start.
void TestCommandLine::programEndsWithoutDisplayOrRecords()
{
    QFETCH(QString, arguments);
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
    process.start(program, arguments.split(QLatin1Char(' ')));
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
