// SPDX-FileCopyrightText: The Numblaze developers
// SPDX-License-Identifier: GPL-3.0-or-later

// Several players on one computer: real users made for the test, the game run as each of them
// and as root, links and locks made by the others, and a second start's channel that another
// user or a stalled listener must not capture.
#include "app/runningcopy.h"
#include "records/progresslocation.h"
#include "tests/support.h"
#include "tests/system/gameprocess.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <csignal>
#include <grp.h>
#include <optional>
#include <pwd.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <sys/wait.h>
#include <unistd.h>

using namespace numblaze;
using namespace numblaze::testing;

namespace
{

const QString Alice = QStringLiteral("nbz18alice");
const QString Bob = QStringLiteral("nbz18bob");
const QString Family = QStringLiteral("nbz18family");

// Records 11 to 22, Subtraction against Patty Purple selected.
const QByteArray Start =
    "11\r\n12\r\n13\r\n14\r\n15\r\n16\r\n17\r\n18\r\n19\r\n20\r\n21\r\n22\r\n1\r\n1\r\n";

bool run(const QString& command)
{
    return std::system(QFile::encodeName(command).constData()) == 0;
}

/// A user made for the test; removed with its home however the test ends.
struct User {
    QString name;
    uid_t uid = 0;
    gid_t gid = 0;
    QString home;
    bool made = false;

    User(const QString& userName, const QString& homes, const QString& group) : name(userName)
    {
        run("userdel -r " + name + " >/dev/null 2>&1");
        home = homes + '/' + name;
        made = run("useradd -m -d '" + home + "' -G " + group + " -s /bin/sh " + name);
        if (const passwd* entry = made ? ::getpwnam(qPrintable(name)) : nullptr) {
            uid = entry->pw_uid;
            gid = entry->pw_gid;
        }
    }
    ~User()
    {
        if (made)
            run("userdel -r " + name + " >/dev/null 2>&1");
    }
    /// Runs a shell command as this user.
    bool does(const QString& command) const
    {
        return run("setpriv --reuid=" + name + " --regid=" + name + " --init-groups sh -c \"" +
                   command + "\"");
    }
};

/// A process that listens on a socket at name and answers every connection its own way: with
/// the game's "done", as another user, or one byte every two seconds.
struct FakeListener {
    enum Kind { AnswersAsAnotherUser, Trickles };
    pid_t pid = -1;

    FakeListener(const QString& name, Kind kind)
    {
        int ready[2];
        if (::pipe(ready) != 0)
            return;
        pid = fork();
        if (pid == 0) {
            const int fd = ::socket(AF_UNIX, SOCK_STREAM, 0);
            sockaddr_un address{};
            address.sun_family = AF_UNIX;
            qstrncpy(address.sun_path, QFile::encodeName(name).constData(),
                     sizeof address.sun_path);
            ::unlink(address.sun_path);
            if (::bind(fd, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0)
                _exit(1);
            // A listening socket carries the credentials its listen() was made with.
            if (kind == AnswersAsAnotherUser && ::setresuid(65534, 65534, 65534) != 0)
                _exit(1);
            ::listen(fd, 4);
            (void)!::write(ready[1], "y", 1);
            for (;;) {
                const int peer = ::accept(fd, nullptr, nullptr);
                if (kind == AnswersAsAnotherUser) {
                    (void)!::write(peer, "done\n", 5);
                    continue;
                }
                for (;;) {
                    if (::write(peer, "d", 1) != 1)
                        break;
                    ::sleep(2);
                }
            }
        }
        char ok = 0;
        if (pid < 0 || ::read(ready[0], &ok, 1) != 1)
            pid = -1;
        ::close(ready[0]);
        ::close(ready[1]);
    }
    ~FakeListener()
    {
        if (pid > 0) {
            ::kill(pid, SIGKILL);
            ::waitpid(pid, nullptr, 0);
        }
    }
};

/// Another process that holds the progress lock of folder, as a copy of the game would.
struct LockHolder {
    pid_t pid = -1;
    explicit LockHolder(const QString& folder)
    {
        int ready[2];
        if (::pipe(ready) != 0)
            return;
        pid = fork();
        if (pid == 0) {
            const ProgressLock lock = lockProgressFolder(folder);
            (void)!::write(ready[1], lock.result == ProgressLockResult::Held ? "y" : "n", 1);
            for (;;)
                ::pause();
        }
        char held = 0;
        if (pid < 0 || ::read(ready[0], &held, 1) != 1 || held != 'y')
            pid = -1;
        ::close(ready[0]);
        ::close(ready[1]);
    }
    ~LockHolder()
    {
        if (pid > 0) {
            ::kill(pid, SIGKILL);
            ::waitpid(pid, nullptr, 0);
        }
    }
};

struct stat statOf(const QString& path)
{
    struct stat st {
    };
    ::lstat(QFile::encodeName(path).constData(), &st);
    return st;
}

} // namespace

class TestSharedComputer : public QObject
{
    Q_OBJECT

    std::optional<QTemporaryDir> scratch;
    std::optional<User> alice;
    std::optional<User> bob;
    bool groupMade = false;

    QString homes() const { return scratch->filePath("homes"); }

    /// What a player's session gives the game: their home, their runtime folder.
    QProcessEnvironment environmentOf(const User* user, const QString& home = QString()) const
    {
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("QT_QPA_PLATFORM", "offscreen");
        for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "SESSION_MANAGER", "XDG_DATA_HOME",
                                 "XDG_CONFIG_HOME", "XDG_CACHE_HOME", "XDG_RUNTIME_DIR"})
            env.remove(name);
        const QString own =
            home.isEmpty() ? (user ? user->home : scratch->filePath("roothome")) : home;
        env.insert("HOME", own);
        env.insert("TMPDIR", scratch->filePath("tmp"));
        return env;
    }

    /// Gives an order and reads reports until the one expected, answering every message on
    /// the way (a save that fails at exit is discarded); false when the game ended first.
    static bool step(Game& game, const QByteArray& order, const QString& reply, int* told)
    {
        if (!order.isEmpty())
            game.order(order);
        for (;;) {
            const QString line = game.expect(QString());
            if (line.isNull())
                return false;
            if (line.startsWith("told:")) {
                ++*told;
                game.order(line.contains("discard") ? "answer Discard" : "answer OK");
            } else if (!reply.isEmpty() && line.startsWith(reply)) {
                return true;
            }
        }
    }

    /// Wins a race, goes back to the menu and exits, answering every message; returns the exit
    /// status and, in *told, how many messages came.
    static int winAndExit(Game& game, int* told)
    {
        *told = 0;
        if (!step(game, {}, "ready", told) || !step(game, "label", "label:", told) ||
            !step(game, "win", "won", told) || !step(game, "back", "menu", told))
            return -3;
        step(game, "exit", QString(), told);
        return game.end();
    }

  private slots:
    void initTestCase()
    {
        if (::geteuid() != 0)
            QSKIP("players of their own need root: run as root to make users, links and locks "
                  "of other players");
        scratch.emplace();
        QVERIFY(scratch->isValid());
        QCOMPARE(::chmod(QFile::encodeName(scratch->path()), 0755), 0);
        QVERIFY(QDir(scratch->path()).mkpath("homes"));
        QVERIFY(QDir(scratch->path()).mkpath("tmp"));
        QVERIFY(QDir(scratch->path()).mkpath("roothome"));
        QCOMPARE(::chmod(QFile::encodeName(scratch->filePath("tmp")), 01777), 0);
        run("groupdel " + Family + " >/dev/null 2>&1");
        groupMade = run("groupadd " + Family);
        QVERIFY(groupMade);
        alice.emplace(Alice, homes(), Family);
        bob.emplace(Bob, homes(), Family);
        QVERIFY(alice->made && bob->made);
    }

    void cleanupTestCase()
    {
        alice.reset();
        bob.reset();
        if (groupMade)
            run("groupdel " + Family);
        scratch.reset();
    }

    // A link someone else made, or one in someone else's folder, is never written through,
    // whoever plays: the player is told, and the link and its file stay as they were. The
    // player's own link in their own folder still works.
    void linksOthersMadeAreNeverWrittenThrough_data()
    {
        QTest::addColumn<QString>("situation");
        QTest::newRow("root plays a player's game; the player linked to a file of root's")
            << "sudo";
        QTest::newRow("shared group folder; bob linked to alice's file; alice plays") << "group";
        QTest::newRow("alice's own link in her own folder") << "own";
    }
    void linksOthersMadeAreNeverWrittenThrough()
    {
        QFETCH(QString, situation);
        const QString game = scratch->filePath("game-" + situation);
        QVERIFY(QDir().mkpath(game));
        const QString link = game + "/Progress.txt";
        QString target;
        QString player;
        if (situation == "sudo") {
            target = scratch->filePath("root-only.conf");
            QVERIFY(put(target, "root's settings\n"));
            QVERIFY(run("chown " + Alice + ": '" + game + "'"));
            QVERIFY(alice->does("ln -s '" + target + "' '" + link + "'"));
        } else if (situation == "group") {
            target = alice->home + "/.bash_aliases";
            QVERIFY(put(target, "alias ll='ls -l'\n"));
            QVERIFY(run("chown " + Alice + ": '" + target + "'"));
            QVERIFY(run("chgrp " + Family + " '" + game + "' && chmod 2775 '" + game + "'"));
            QVERIFY(bob->does("ln -s '" + target + "' '" + link + "'"));
            player = Alice;
        } else {
            target = alice->home + "/records.txt";
            QVERIFY(put(target, Start));
            QVERIFY(run("chown " + Alice + ": '" + game + "' '" + target + "'"));
            QVERIFY(alice->does("ln -s '" + target + "' '" + link + "'"));
            player = Alice;
        }
        const QByteArray before = contents(target);
        const struct stat targetBefore = statOf(target);

        Game run({"--folder", game}, environmentOf(player.isEmpty() ? nullptr : &*alice), player);
        int told = 0;
        const int status = winAndExit(run, &told);

        QVERIFY(QFileInfo(link).isSymLink());
        if (situation == "own") {
            QCOMPARE(status, 0);
            QCOMPARE(told, 0);
            QVERIFY(contents(target).startsWith("11\r\n12\r\n13\r\n14\r\n16\r\n"));
            return;
        }
        QCOMPARE(contents(target), before);
        QCOMPARE(statOf(target).st_ino, targetBefore.st_ino);
        QCOMPARE(statOf(target).st_uid, targetBefore.st_uid);
        QVERIFY2(told >= 2, "told at start and when the save is refused");
        QCOMPARE(status, 1);
    }

    // Root playing in a player's folder leaves the player files and folders they own.
    void whatRootMakesInAPlayersFolderIsThePlayers_data()
    {
        QTest::addColumn<bool>("portable");
        QTest::newRow("portable game folder") << true;
        QTest::newRow("data folder in the player's home") << false;
    }
    void whatRootMakesInAPlayersFolderIsThePlayers()
    {
        QFETCH(bool, portable);
        const QString game = scratch->filePath(portable ? "alices-game" : "blocked");
        QString made;
        if (portable) {
            QVERIFY(QDir().mkpath(game));
            QVERIFY(run("chown " + Alice + ": '" + game + "'"));
            made = game + "/Progress.txt";
        } else {
            QVERIFY(put(game, "a file, so no folder can be made under it"));
            made = alice->home + "/.local/share/Numblaze/Progress.txt";
        }
        Game asRoot({"--folder", portable ? game : game + "/bin"},
                    environmentOf(nullptr, alice->home), QString());
        int told = 0;
        QCOMPARE(winAndExit(asRoot, &told), 0);
        QVERIFY(QFile::exists(made));
        for (QString path = made; path.startsWith(alice->home + '/');
             path = QFileInfo(path).path()) {
            QVERIFY2(statOf(path).st_uid == alice->uid, qPrintable(path));
            QVERIFY2(statOf(path).st_gid == alice->gid, qPrintable(path));
        }
        if (portable)
            QCOMPARE(statOf(made).st_uid, alice->uid);

        // Alice plays on, and keeps her win.
        Game asAlice({"--folder", portable ? game : game + "/bin"}, environmentOf(&*alice), Alice);
        QCOMPARE(winAndExit(asAlice, &told), 0);
        QCOMPARE(told, 0);
        QVERIFY(contents(made).startsWith("7\r\n5\r\n"));
    }

    // Bob can read alice's folder, and locks it: alice plays all the same.
    void anotherUsersLockDoesNotKeepThePlayerOut()
    {
        const QString game = scratch->filePath("alices-open-game");
        QVERIFY(QDir().mkpath(game));
        QVERIFY(run("chown " + Alice + ": '" + game + "' && chmod 755 '" + game + "'"));
        QVERIFY(put(game + "/Progress.txt", Start));
        QVERIFY(run("chown " + Alice + ": '" + game + "/Progress.txt'"));
        QProcess holder;
        // One process, so that killing it ends bob's lock.
        holder.start("setpriv", {"--reuid=" + Bob, "--regid=" + Bob, "--init-groups", "sh", "-c",
                                 "exec 9<'" + game + "' && flock -n 9 && exec sleep 60"});
        QVERIFY(holder.waitForStarted());
        QTest::qWait(300);
        QCOMPARE(holder.state(), QProcess::Running);

        Game asAlice({"--folder", game}, environmentOf(&*alice), Alice);
        int told = 0;
        const int status = winAndExit(asAlice, &told);
        holder.kill();
        holder.waitForFinished();
        QVERIFY2(!asAlice.seen().contains("already running"), "kept out by bob's lock");
        QCOMPARE(status, 0);
        QCOMPARE(told, 0);
        QVERIFY(contents(game + "/Progress.txt").startsWith("11\r\n12\r\n13\r\n14\r\n16\r\n"));
    }

    // A second start while the lock is held: what answers in the channel must be the player's
    // own copy, and no wait outlasts a second or the signals that end the game.
    void secondStartBelievesOnlyThePlayersOwnCopy_data()
    {
        QTest::addColumn<int>("kind");
        QTest::newRow("an answer from another user") << int(FakeListener::AnswersAsAnotherUser);
        QTest::newRow("a listener that trickles a byte every 2 s") << int(FakeListener::Trickles);
    }
    void secondStartBelievesOnlyThePlayersOwnCopy()
    {
        QFETCH(int, kind);
        const QString game = scratch->filePath("held");
        QVERIFY(QDir().mkpath(game));
        QVERIFY(put(game + "/Progress.txt", Start));
        const QProcessEnvironment env = environmentOf(nullptr);
        qputenv("TMPDIR", QFile::encodeName(env.value("TMPDIR")));
        qunsetenv("XDG_RUNTIME_DIR");
        const QString name = runningCopyName(game);
        QVERIFY(!name.isEmpty());
        const LockHolder holder(game);
        QVERIFY(holder.pid > 0);
        const FakeListener listener(name, FakeListener::Kind(kind));
        QVERIFY(listener.pid > 0);

        QProcess second;
        second.setProcessEnvironment(env);
        const QString program = game + "/numblaze";
        QFile::remove(program);
        QVERIFY(QFile::copy(QStringLiteral(NUMBLAZE_GAME), program));
        QElapsedTimer clock;
        clock.start();
        if (kind == FakeListener::Trickles) {
            // Ended during the wait: at once, with status 1.
            second.start(program, {});
            QVERIFY(second.waitForStarted());
            QTest::qWait(1000);
            ::kill(pid_t(second.processId()), SIGTERM);
            clock.restart();
            QVERIFY2(second.waitForFinished(1500), "the wait outlasted SIGTERM");
            QCOMPARE(second.exitCode(), 1);
            return;
        }
        // Told in a message, not sent away with status 0 as if the player's copy answered.
        second.start(program, {});
        QVERIFY(second.waitForStarted());
        QVERIFY2(!second.waitForFinished(2500), "believed another user's answer");
        ::kill(pid_t(second.processId()), SIGTERM);
        QVERIFY(second.waitForFinished(5000));
        QCOMPARE(second.exitCode(), 1);
        QCOMPARE(contents(game + "/Progress.txt"), Start);
    }

    // Each save is followed by a sync of its folder, after the rename: a power cut then keeps
    // the new file.
    void folderIsSyncedAfterEachRename()
    {
        if (QStandardPaths::findExecutable("strace").isEmpty())
            QSKIP("strace is needed to see the game's system calls (scripts/setup.sh installs it)");
        const QString game = scratch->filePath("synced");
        QVERIFY(QDir().mkpath(game));
        QVERIFY(put(game + "/Progress.txt", Start));
        const QString log = scratch->filePath("strace.log");
        // LeakSanitizer cannot run under a tracer; the sanitizer build keeps its other checks.
        QProcessEnvironment env = environmentOf(nullptr);
        if (env.contains(QStringLiteral("ASAN_OPTIONS")))
            env.insert(QStringLiteral("ASAN_OPTIONS"), env.value(QStringLiteral("ASAN_OPTIONS")) +
                                                           QStringLiteral(":detect_leaks=0"));
        Game traced({"-f", "-y", "-o", log, "-e", "trace=fsync,rename,renameat,renameat2",
                     QStringLiteral(NUMBLAZE_TEST_GAME), "--folder", game},
                    env, QString(), QStringLiteral("strace"));
        int told = 0;
        QCOMPARE(winAndExit(traced, &told), 0);
        const QList<QByteArray> calls = contents(log).split('\n');
        int renames = 0;
        int synced = 0;
        for (qsizetype i = 0; i < calls.size(); ++i) {
            if (!calls[i].contains("rename") || !calls[i].contains("\"Progress.txt\""))
                continue;
            ++renames;
            for (qsizetype j = i + 1; j < calls.size(); ++j) {
                if (calls[j].contains("fsync(") &&
                    calls[j].contains("<" + QFile::encodeName(game) + ">")) {
                    ++synced;
                    break;
                }
                if (calls[j].contains("rename"))
                    break;
            }
        }
        QVERIFY2(renames >= 2, "a win and the exit each save");
        QCOMPARE(synced, renames);
    }
};

QTEST_MAIN(TestSharedComputer)
#include "test_sharedcomputer.moc"
