// SPDX-FileCopyrightText: The Numblaze developers
// SPDX-License-Identifier: GPL-3.0-or-later

// No win is ever lost: the game played in a separate process (numblaze_test_game), ended by real
// signals, a session's requests, a lost display or a failing disk, with the progress file's bytes
// compared afterwards.
#include "tests/support.h"
#include "tests/system/gameprocess.h"

#include <QDir>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>
#include <csignal>
#include <fcntl.h>
#include <optional>
#include <poll.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

using namespace numblaze::testing;

namespace
{

constexpr int Nobody = 65534;

// A progress file with line n holding 10 + n, then the two selections.
QByteArray fileWith(std::initializer_list<std::pair<int, QByteArray>> changes, int math = 1,
                    int opponent = 1)
{
    QList<QByteArray> lines;
    for (int n = 1; n <= 12; ++n)
        lines << QByteArray::number(10 + n);
    lines << QByteArray::number(math) << QByteArray::number(opponent);
    for (const auto& [n, text] : changes)
        lines[n - 1] = text;
    return lines.join("\r\n") + "\r\n";
}

// The file as it starts every run: Subtraction against Patty Purple selected, whose line holds 15.
const QByteArray Start = fileWith({});
// After a win on that pairing and a change to Multiplication against Bobby Blue.
const QByteArray WonThenChanged = fileWith({{5, "16"}}, 2, 0);

void chownAll(const QString& path)
{
    const QByteArray command = "chown -R 65534:65534 '" + QFile::encodeName(path) + "'";
    QCOMPARE(std::system(command.constData()), 0);
}

} // namespace

class TestReliability : public QObject
{
    Q_OBJECT

    std::optional<QTemporaryDir> scratch;
    QString program() const { return scratch->filePath("program"); }
    QString progress() const { return scratch->filePath("program/Progress.txt"); }
    QString dataFile() const { return scratch->filePath("home/data/Numblaze/Progress.txt"); }

    QProcessEnvironment environment(const QString& platform = QStringLiteral("offscreen")) const
    {
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("QT_QPA_PLATFORM", platform);
        env.remove("DISPLAY");
        env.remove("WAYLAND_DISPLAY");
        env.remove("SESSION_MANAGER");
        const QString home = scratch->filePath("home");
        env.insert("HOME", home);
        env.insert("XDG_DATA_HOME", home + "/data");
        env.insert("XDG_CONFIG_HOME", home + "/config");
        env.insert("XDG_CACHE_HOME", home + "/cache");
        env.insert("XDG_RUNTIME_DIR", home + "/runtime");
        return env;
    }

    QStringList inProgram() const { return {"--folder", program()}; }

    // Plays to the usual state before an end: a win on Subtraction against Patty Purple, back on
    // the menu, then Multiplication against Bobby Blue selected.
    static bool winThenChange(Game& game)
    {
        game.order("win");
        game.order("back");
        game.order("select 2 0");
        return !game.expect("ready").isNull() && !game.expect("won").isNull() &&
               !game.expect("menu").isNull() && !game.expect("selected").isNull();
    }

  private slots:
    void init()
    {
        scratch.emplace();
        QVERIFY(scratch->isValid());
        QVERIFY(QDir(scratch->path()).mkpath("program"));
        QVERIFY(QDir(scratch->path()).mkpath("home/runtime"));
        QFile::setPermissions(scratch->filePath("home/runtime"),
                              QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        QVERIFY(put(progress(), Start));
    }
    void cleanup()
    {
        // Also what a failed test left behind, names that are not valid text included.
        const QByteArray command = "rm -rf '" + QFile::encodeName(scratch->path()) + "'";
        QCOMPARE(std::system(command.constData()), 0);
        scratch.reset();
    }

    // SIGTERM (a shutdown), SIGHUP (a logout or a closed terminal) and SIGINT (Ctrl+C), in
    // every state the game can be in.
    void endSignalsSaveFirst_data()
    {
        QTest::addColumn<int>("signal");
        QTest::addColumn<QByteArray>("state");
        for (const auto& [name, signal] :
             {std::pair{"SIGTERM", SIGTERM}, {"SIGHUP", SIGHUP}, {"SIGINT", SIGINT}})
            for (const char* state : {"menu", "racing", "won on screen", "hall of fame"})
                QTest::addRow("%s, %s", name, state) << signal << QByteArray(state);
    }
    void endSignalsSaveFirst()
    {
        QFETCH(int, signal);
        QFETCH(QByteArray, state);
        Game game(inProgram(), environment());
        QByteArray expected = WonThenChanged;
        if (state == "won on screen") {
            // The record is still in the race's hand-over to the menu.
            game.order("select 2 0");
            game.order("win");
            QVERIFY(!game.expect("won").isNull());
            expected = fileWith({{7, "18"}}, 2, 0);
        } else {
            QVERIFY(winThenChange(game));
        }
        if (state == "racing") {
            game.order("race");
            QVERIFY(!game.expect("racing").isNull());
        } else if (state == "hall of fame") {
            game.order("hall");
            QVERIFY(!game.expect("hall").isNull());
        }
        QCOMPARE(game.end(signal), 0);
        QCOMPARE(contents(progress()), expected);
        QCOMPARE(QDir(program()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden),
                 QStringList{"Progress.txt"});
    }

    // A logout asks the open windows to close, in its own order, then ends what is left.
    void logoutSavesWhateverItClosesFirst_data()
    {
        QTest::addColumn<QByteArray>("open");
        QTest::addColumn<QByteArrayList>("closes");
        QTest::newRow("race open") << QByteArray("race") << QByteArrayList{"Form1"};
        QTest::newRow("Hall of Fame open, menu first")
            << QByteArray("hall") << QByteArrayList{"Form2", "Form3"};
        QTest::newRow("Hall of Fame open, itself first")
            << QByteArray("hall") << QByteArrayList{"Form3"};
    }
    void logoutSavesWhateverItClosesFirst()
    {
        QFETCH(QByteArray, open);
        QFETCH(QByteArrayList, closes);
        Game game(inProgram(), environment());
        QVERIFY(winThenChange(game));
        game.order(open);
        QVERIFY(!game.expect(open == "race" ? "racing" : "hall").isNull());
        // A close the game refuses (the menu under the Hall of Fame) leaves it running; one it
        // takes may end it at once.
        for (const QByteArray& window : closes) {
            game.order("close " + window);
            game.expect("closed");
        }
        QCOMPARE(game.end(SIGTERM), 0);
        QCOMPARE(contents(progress()), WonThenChanged);
    }

    void sessionCommitSavesBeforeTheSessionEnds()
    {
        Game game(inProgram(), environment());
        QVERIFY(winThenChange(game));
        game.order("commit");
        QVERIFY(!game.expect("committed").isNull());
        QCOMPARE(contents(progress()), WonThenChanged);
        QCOMPARE(game.end(SIGKILL), -1); // the session ends it without another word
        QCOMPARE(contents(progress()), WonThenChanged);
    }

    void lostDisplayEndsWithoutACrash()
    {
        XServer x;
        if (x.display.isEmpty())
            QSKIP("Xvfb is needed to take a display away (scripts/setup.sh installs it)");
        QProcessEnvironment env = environment(QStringLiteral("xcb"));
        env.insert("DISPLAY", x.display);
        // Qt ends the program from its display code, with its objects still alive; and the
        // system's X keyboard library, as it starts, reads a name with strndup past its end,
        // which a strict sanitizer refuses (a fault outside the game).
        env.insert("ASAN_OPTIONS",
                   env.value("ASAN_OPTIONS") + ":detect_leaks=0:strict_string_checks=0");
        Game game(inProgram(), env);
        QVERIFY(winThenChange(game));
        game.order("race"); // a screen shown over another one, as the player has it mid-race
        QVERIFY(!game.expect("racing").isNull());
        x.stop();
        const int status = game.end();
        QVERIFY2(status >= 0, "the game crashed when its display went away");
        QCOMPARE(contents(progress()), WonThenChanged);
    }

    void noDisplayIsSaidInOneLine_data()
    {
        QTest::addColumn<QString>("variable");
        QTest::addColumn<QString>("value");
        QTest::newRow("none set") << QString() << QString();
        QTest::newRow("X display that is not there") << "DISPLAY"
                                                     << ":4711";
        QTest::newRow("Wayland display that is not there") << "WAYLAND_DISPLAY"
                                                           << "wayland-4711";
    }
    void noDisplayIsSaidInOneLine()
    {
        QFETCH(QString, variable);
        QFETCH(QString, value);
        QProcessEnvironment env = environment();
        env.remove("QT_QPA_PLATFORM");
        if (!variable.isEmpty())
            env.insert(variable, value);
        QProcess game;
        game.setProcessEnvironment(env);
        game.start(QStringLiteral(NUMBLAZE_GAME), {});
        QVERIFY(game.waitForFinished(Patience));
        QCOMPARE(game.exitStatus(), QProcess::NormalExit);
        QCOMPARE(game.exitCode(), 1);
        QCOMPARE(game.readAllStandardError(),
                 QByteArray("no display found: set DISPLAY or WAYLAND_DISPLAY, or start it from "
                            "a desktop session\n"));
    }

    // Outside a desktop session the player has no runtime folder: Qt's warning about the one it
    // takes instead is no news to the player.
    void startWithoutRuntimeFolderSaysNothingOfIt()
    {
        QProcessEnvironment env = environment();
        env.remove("XDG_RUNTIME_DIR");
        Game game(inProgram(), env);
        QVERIFY(!game.expect("ready").isNull());
        game.order("exit");
        QCOMPARE(game.end(), 0);
        const QByteArray errors = game.errors();
        QVERIFY2(!errors.contains("XDG_RUNTIME_DIR"), errors.constData());
    }

    // Another program raised a record while the game ran: a win on that pairing keeps the
    // higher record on disk, and the menu shows the record that was saved.
    void aWinShowsTheRecordThatWasSaved()
    {
        Game game(inProgram(), environment());
        QVERIFY(!game.expect("ready").isNull());
        QVERIFY(put(progress(), fileWith({{5, "50"}})));
        game.order("win");
        QVERIFY(!game.expect("won").isNull());
        game.order("back");
        QVERIFY(!game.expect("menu").isNull());
        game.order("label");
        QCOMPARE(game.expect("label:"), QStringLiteral("label: Your highest number is 50."));
        game.order("exit");
        QCOMPARE(game.end(), 0);
        QCOMPARE(contents(progress()), fileWith({{5, "50"}}));
    }

    // A copied game in a folder whose path is longer than the system can name keeps its records
    // beside itself: read from there and saved there, nothing in the data folder.
    void gameInALongFolderPathKeepsItsRecordsBesideItself()
    {
        QByteArray path = QFile::encodeName(program());
        const QByteArray part(200, 'd');
        // cd -P: the shell's own idea of the path would be too long for it.
        QByteArray steps = "cd -P '" + path + "'";
        for (int depth = 0; depth < 22; ++depth) {
            const QByteArray command = steps + " && mkdir " + part;
            QCOMPARE(std::system(command.constData()), 0);
            path += '/' + part;
            steps += " && cd -P " + part;
        }
        QVERIFY(path.size() > 4096);
        const QByteArray setUp = steps + " && cp '" NUMBLAZE_GAME "' numblaze && printf '" +
                                 QByteArray(Start).replace("\r\n", "\\r\\n") +
                                 "' > Progress.txt && ls -i Progress.txt";
        QProcess shell;
        shell.start("sh", {"-c", QString::fromLocal8Bit(setUp)});
        QVERIFY(shell.waitForFinished(Patience));
        const QByteArray inodeBefore = shell.readAllStandardOutput().trimmed();
        QVERIFY2(!inodeBefore.isEmpty(), shell.readAllStandardError().constData());

        QProcess game;
        game.setProcessEnvironment(environment());
        game.start("sh", {"-c", QString::fromLocal8Bit(steps + " && exec ./numblaze")});
        QVERIFY(game.waitForStarted());
        QTest::qWait(2000);
        ::kill(pid_t(game.processId()), SIGTERM);
        QVERIFY(game.waitForFinished(Patience));
        QCOMPARE(game.exitCode(), 0);

        shell.start("sh", {"-c", QString::fromLocal8Bit(steps + " && ls -i Progress.txt && "
                                                                "cat Progress.txt")});
        QVERIFY(shell.waitForFinished(Patience));
        const QByteArray after = shell.readAllStandardOutput();
        QVERIFY2(!after.startsWith(inodeBefore), "the records beside the game were not saved");
        QVERIFY(after.endsWith(Start));
        QVERIFY(!QFile::exists(dataFile()));
    }

    // (A folder cannot be remounted read-only during play: the game holds its records file open
    // for writing, for the lock, and the kernel refuses. A folder its player makes read-only
    // stands for it.)
    // Whatever stops a save, the old file stays whole, nothing is written anywhere else, and the
    // player is told: at start when it is known then, once at the first win, and at Exit, which
    // ends with a non-zero status.
    void failedSavesLeaveTheFileAndTellThePlayer_data()
    {
        QTest::addColumn<QByteArray>("fault");
        QTest::addColumn<bool>("toldAtStart");
        QTest::newRow("full disk") << QByteArray("full disk") << false;
        QTest::newRow("no inodes left") << QByteArray("no inodes") << false;
        QTest::newRow("folder made read-only by its player") << QByteArray("chmod 555") << false;
        QTest::newRow("unreadable file") << QByteArray("unreadable") << true;
        QTest::newRow("link to another user's file") << QByteArray("foreign link") << true;
        QTest::newRow("FIFO") << QByteArray("fifo") << true;
        QTest::newRow("folder in its place") << QByteArray("folder") << true;
    }
    void failedSavesLeaveTheFileAndTellThePlayer()
    {
        QFETCH(QByteArray, fault);
        QFETCH(bool, toldAtStart);
        const bool asNobody = fault == "chmod 555" || fault == "unreadable";
        const QByteArray name = QFile::encodeName(progress());
        const QString other = scratch->filePath("other/Progress.txt");
        QByteArray original = Start;
        if (fault == "fifo" || fault == "folder") {
            QVERIFY(QFile::remove(progress()));
            QCOMPARE(fault == "fifo" ? ::mkfifo(name, 0644) : ::mkdir(name, 0755), 0);
            original.clear();
        } else if (fault == "foreign link") {
            QVERIFY(QDir(scratch->path()).mkpath("other"));
            QVERIFY(put(other, Start));
            QCOMPARE(::chown(QFile::encodeName(other), Nobody, Nobody), 0);
            QVERIFY(QFile::remove(progress()));
            QVERIFY(QFile::link(other, progress()));
        }
        std::optional<TinyMount> mount;
        if (fault == "no inodes") {
            mount.emplace(program());
            if (!mount->mounted)
                QSKIP("needs a tmpfs mount (run as root)");
        }
        if (asNobody) {
            chownAll(scratch->path());
            if (fault == "unreadable")
                QCOMPARE(::chmod(name, 0), 0);
        }
        const QStringList listing = QDir(program()).entryList(QDir::AllEntries | QDir::Hidden);

        QStringList arguments = inProgram();
        if (fault == "full disk")
            arguments << "--file-size-limit"
                      << "8";
        Game game(arguments, environment(), asNobody);
        QVERIFY(!game.expect("ready").isNull());
        if (toldAtStart) {
            QVERIFY(game.expect("told:").contains(progress()));
            game.order("answer OK");
        }
        if (fault == "chmod 555")
            QCOMPARE(::chmod(QFile::encodeName(program()), 0555), 0);
        else if (mount)
            QVERIFY(mount->restrict(TinyMount::NoInodesLeft));

        game.order("win");
        QVERIFY(game.expect("told:").contains(progress()));
        game.order("answer OK");
        QVERIFY(!game.expect("won").isNull());
        game.order("back");
        game.order("win"); // failing again, but said once is enough
        QVERIFY(!game.expect("won").isNull());
        QCOMPARE(game.seen().filter("told:").size(), toldAtStart ? 2 : 1);
        game.order("back");
        game.order("exit");
        QVERIFY(game.expect("told:").contains(progress()));
        game.order("answer Discard");
        QCOMPARE(game.end(), 1);

        ::chmod(QFile::encodeName(program()), 0755);
        if (fault == "unreadable")
            ::chmod(name, 0644);
        QCOMPARE(QDir(program()).entryList(QDir::AllEntries | QDir::Hidden), listing);
        QVERIFY(!QFile::exists(dataFile()));
        if (fault == "foreign link") {
            QVERIFY(QFileInfo(progress()).isSymLink());
            QCOMPARE(contents(other), Start);
        } else if (fault == "fifo" || fault == "folder") {
            struct stat st {
            };
            QCOMPARE(::lstat(name, &st), 0);
            QVERIFY(fault == "fifo" ? S_ISFIFO(st.st_mode) : S_ISDIR(st.st_mode));
        } else {
            QCOMPARE(contents(progress()), original);
        }
    }

    // Beside a program that cannot be written and without a data folder, the records beside the
    // program are still read, and the player learns at start that they will not be saved.
    void noWritablePlaceIsToldAtStart()
    {
        TinyMount mount(program());
        if (!mount.restrict(TinyMount::ReadOnly))
            QSKIP("needs a tmpfs mount (run as root)");
        QVERIFY(put(scratch->filePath("home/data"), "a file where the data folder should be"));
        Game game(inProgram(), environment());
        QVERIFY(!game.expect("ready").isNull());
        QVERIFY(game.expect("told:").contains(program()));
        game.order("answer OK");
        game.order("label");
        QCOMPARE(game.expect("label:"), QStringLiteral("label: Your highest number is 15."));
        game.order("exit");
        QVERIFY(game.expect("told:").contains(progress()));
        game.order("answer Discard");
        QCOMPARE(game.end(), 1);
        QCOMPARE(contents(progress()), Start);
    }

    // A folder name that is not valid text: the records stay beside the program all the same.
    void programInAFolderWithAnyName()
    {
        const QByteArray folder = QFile::encodeName(scratch->path()) + "/records-\xff\xfe";
        QCOMPARE(::mkdir(folder, 0755), 0);
        const QByteArray copy = folder + "/numblaze";
        const QByteArray command = "cp '" + QByteArray(NUMBLAZE_TEST_GAME) + "' '" + copy + "'";
        QCOMPARE(std::system(command.constData()), 0);
        QVERIFY(QDir(scratch->path()).mkpath("elsewhere"));

        QProcess process;
        process.setProcessEnvironment(environment());
        process.setWorkingDirectory(scratch->filePath("elsewhere"));
        // QProcess takes the program's name as text: a link with a plain name leads to the copy.
        const QString link = scratch->filePath("game");
        QCOMPARE(::symlink(copy.constData(), QFile::encodeName(link)), 0);
        process.start(link, {});
        QVERIFY(process.waitForStarted());
        process.write("win\nback\nexit\n");
        QVERIFY(process.waitForFinished(Patience));
        QCOMPARE(process.exitCode(), 0);
        // The file's name is not valid text either: read it by its bytes.
        char first[3] = {};
        const int written = ::open(folder + "/Progress.txt", O_RDONLY);
        QVERIFY(written >= 0);
        QCOMPARE(::read(written, first, 3), 3);
        ::close(written);
        QCOMPARE(QByteArray(first, 3), QByteArray("6\r\n"));
        QVERIFY(QDir(scratch->filePath("elsewhere")).isEmpty());
        QVERIFY(!QFile::exists(dataFile()));
    }
};

QTEST_GUILESS_MAIN(TestReliability)
#include "test_reliability.moc"
