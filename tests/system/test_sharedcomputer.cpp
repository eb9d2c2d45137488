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
#include <fcntl.h>
#include <functional>
#include <grp.h>
#include <optional>
#include <pwd.h>
#include <sys/file.h>
#include <sys/prctl.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <sys/wait.h>
#include <unistd.h>

using namespace numblaze;
using namespace numblaze::testing;

namespace
{

// Records 11 to 22, Subtraction against Patty Purple selected.
const QByteArray Start =
    "11\r\n12\r\n13\r\n14\r\n15\r\n16\r\n17\r\n18\r\n19\r\n20\r\n21\r\n22\r\n1\r\n1\r\n";

bool run(const QString& command)
{
    return std::system(QFile::encodeName(command).constData()) == 0;
}

/// A user made for the test, removed with its home when the test is done (and by the Sweeper
/// should the test end before).
struct User {
    QString name;
    uid_t uid = 0;
    gid_t gid = 0;
    QString home;
    bool made = false;

    User(const QString& userName, const QString& homes, const QString& group) : name(userName)
    {
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
            run("userdel -f -r " + name + " >/dev/null 2>&1");
    }
    /// Runs a shell command as this user.
    bool does(const QString& command) const
    {
        return run("setpriv --reuid=" + name + " --regid=" + name + " --init-groups sh -c \"" +
                   command + "\"");
    }
    /// Turns the calling process into this user, with no other groups.
    bool become() const
    {
        return ::setgroups(0, nullptr) == 0 && ::setresgid(gid, gid, gid) == 0 &&
               ::setresuid(uid, uid, uid) == 0;
    }
};

/// The shell's quoting of text, for a command line.
QString quoted(const QString& text)
{
    return '\'' + QString(text).replace('\'', QLatin1String("'\\''")) + '\'';
}

/**
 * Puts the machine back however the test ends, even killed: a process of its own session that
 * waits for the test to end (its end of a pipe closes then), and then removes the users and the
 * group the test made and gives fs.protected_hardlinks back the value it had.
 */
struct Sweeper {
    int keepAlive = -1;

    Sweeper(const QStringList& users, const QString& group, const QByteArray& hardlinks)
    {
        QString script = QStringLiteral("read _; ");
        for (const QString& user : users)
            script += "userdel -f -r " + user + " >/dev/null 2>&1; ";
        script += "groupdel " + group + " >/dev/null 2>&1; ";
        if (!hardlinks.isEmpty())
            script += "flock " + quoted(HardlinksLock) +
                      " sysctl -qw fs.protected_hardlinks=" + QString::fromLatin1(hardlinks) +
                      " 2>/dev/null; ";
        const QByteArray command = QFile::encodeName(script);
        int ends[2];
        if (::pipe2(ends, O_CLOEXEC) != 0)
            return;
        const pid_t pid = ::fork();
        if (pid == 0) {
            ::setsid();
            ::dup2(ends[0], STDIN_FILENO);
            ::execl("/bin/sh", "sh", "-c", command.constData(), static_cast<char*>(nullptr));
            ::_exit(127);
        }
        ::close(ends[0]);
        keepAlive = pid > 0 ? ends[1] : -1;
        if (pid < 0)
            ::close(ends[1]);
    }
    ~Sweeper()
    {
        if (keepAlive >= 0)
            ::close(keepAlive);
    }

    /// Serialises every change of fs.protected_hardlinks made by a run of this suite.
    static inline const QString HardlinksLock = QStringLiteral("/tmp/numblaze-hardlinks.lock");
};

/// The lock that serialises every change of fs.protected_hardlinks made by a run of this suite,
/// held while it lives.
struct HardlinksLock {
    int fd = -1;

    HardlinksLock()
    {
        fd = ::open(QFile::encodeName(Sweeper::HardlinksLock).constData(),
                    O_RDWR | O_CREAT | O_CLOEXEC, 0600);
        if (fd >= 0 && ::flock(fd, LOCK_EX) != 0) {
            ::close(fd);
            fd = -1;
        }
    }
    ~HardlinksLock()
    {
        if (fd >= 0)
            ::close(fd);
    }
    HardlinksLock(const HardlinksLock&) = delete;
    HardlinksLock& operator=(const HardlinksLock&) = delete;

    /// The value of fs.protected_hardlinks, or nothing when it cannot be read.
    static QByteArray value()
    {
        return contents(QStringLiteral("/proc/sys/fs/protected_hardlinks")).trimmed();
    }
};

/// The value of fs.protected_hardlinks as the system has it, when no run of the suite has
/// changed it for a moment.
QByteArray protectedHardlinks()
{
    const HardlinksLock held;
    return held.fd >= 0 ? HardlinksLock::value() : QByteArray();
}

/**
 * fs.protected_hardlinks off while it lives, as some systems have it, so that a user may link
 * any file they can name into their own folder; the value before is put back after. Only one
 * run of the suite changes it at a time. off says whether the system allowed it.
 */
struct HardlinksUnprotected {
    HardlinksLock held;
    QByteArray before;
    bool off = false;

    HardlinksUnprotected()
    {
        before = held.fd >= 0 ? HardlinksLock::value() : QByteArray();
        off = !before.isEmpty() && run("sysctl -qw fs.protected_hardlinks=0 2>/dev/null");
    }
    ~HardlinksUnprotected()
    {
        if (off)
            run("sysctl -qw fs.protected_hardlinks=" + QString::fromLatin1(before));
    }
};

/// A process of the test's that does one thing and stays until the test is done with it (or
/// ends, however it ends). work says 'y' on its ready descriptor once that thing is done; the
/// child is not kept otherwise.
struct Child {
    pid_t pid = -1;

    explicit Child(const std::function<void(int ready)>& work)
    {
        int ready[2];
        if (::pipe2(ready, O_CLOEXEC) != 0)
            return;
        pid = ::fork();
        if (pid == 0) {
            ::prctl(PR_SET_PDEATHSIG, SIGKILL);
            ::close(ready[0]);
            work(ready[1]);
            for (;;)
                ::pause();
        }
        ::close(ready[1]);
        char ok = 0;
        if (pid > 0 && (::read(ready[0], &ok, 1) != 1 || ok != 'y'))
            stop();
        ::close(ready[0]);
    }
    ~Child() { stop(); }
    Child(const Child&) = delete;
    Child& operator=(const Child&) = delete;

    void stop()
    {
        if (pid > 0) {
            ::kill(pid, SIGKILL);
            ::waitpid(pid, nullptr, 0);
        }
        pid = -1;
    }
};

void tell(int ready, bool done)
{
    (void)!::write(ready, done ? "y" : "n", 1);
}

/// A process that listens on a socket at name and answers every connection its own way: as
/// another user, or one byte every two seconds.
Child fakeListener(const QString& name, bool asAnotherUser)
{
    return Child([&](int ready) {
        const int fd = ::socket(AF_UNIX, SOCK_STREAM, 0);
        sockaddr_un address{};
        address.sun_family = AF_UNIX;
        qstrncpy(address.sun_path, QFile::encodeName(name).constData(), sizeof address.sun_path);
        ::unlink(address.sun_path);
        // A listening socket carries the credentials its listen() was made with.
        if (::bind(fd, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0 ||
            (asAnotherUser && ::setresuid(65534, 65534, 65534) != 0) || ::listen(fd, 4) != 0)
            ::_exit(1);
        tell(ready, true);
        for (;;) {
            const int peer = ::accept(fd, nullptr, nullptr);
            if (asAnotherUser) {
                (void)!::write(peer, "done\n", 5);
                continue;
            }
            while (::write(peer, "d", 1) == 1)
                ::sleep(2);
        }
    });
}

/// Another process that holds the progress lock of folder, as a copy of the game would.
Child lockHolder(const QString& folder)
{
    return Child([&](int ready) {
        static ProgressLock lock;
        lock = lockProgressFolder(folder);
        tell(ready, lock.result == ProgressLockResult::Held);
    });
}

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
    std::optional<Sweeper> sweeper;
    std::optional<User> alice;
    std::optional<User> bob;
    // Names of this run's own, so that two checkouts can run the suite at once.
    QString family;
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
    /// status and, in *told, how many messages came (counted on from a start already waited
    /// for, when started is set).
    static int winAndExit(Game& game, int* told, bool started = false)
    {
        if (!started)
            *told = 0;
        if ((!started && !step(game, {}, "ready", told)) || !step(game, "label", "label:", told) ||
            !step(game, "win", "won", told) || !step(game, "back", "menu", told))
            return -3;
        step(game, "exit", QString(), told);
        return game.end();
    }

    /// A program folder no file can be made in, so that the game keeps the records in the data
    /// folder of whoever's HOME it has.
    QString blockedProgram() const
    {
        const QString file = scratch->filePath("blocked");
        if (!QFileInfo::exists(file))
            put(file, "a file, so no folder can be made under it");
        return file + "/bin";
    }

    /// The user's data folder for the game, where nothing is yet: its path.
    static QString freshDataFolder(const User& user)
    {
        run("rm -rf " + quoted(user.home + "/.local"));
        return user.home + "/.local/share/Numblaze";
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
        const QString tag = "nbz" + QString::number(::getpid());
        family = tag + "f";
        sweeper.emplace(QStringList{tag + "a", tag + "b"}, family, protectedHardlinks());
        groupMade = run("groupadd " + family);
        QVERIFY(groupMade);
        alice.emplace(tag + "a", homes(), family);
        bob.emplace(tag + "b", homes(), family);
        QVERIFY(alice->made && bob->made);
    }

    void cleanupTestCase()
    {
        alice.reset();
        bob.reset();
        if (groupMade)
            run("groupdel " + family);
        sweeper.reset();
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
            QVERIFY(run("chown " + alice->name + ": '" + game + "'"));
            QVERIFY(alice->does("ln -s '" + target + "' '" + link + "'"));
        } else if (situation == "group") {
            target = alice->home + "/.bash_aliases";
            QVERIFY(put(target, "alias ll='ls -l'\n"));
            QVERIFY(run("chown " + alice->name + ": '" + target + "'"));
            QVERIFY(run("chgrp " + family + " '" + game + "' && chmod 2775 '" + game + "'"));
            QVERIFY(bob->does("ln -s '" + target + "' '" + link + "'"));
            player = alice->name;
        } else {
            target = alice->home + "/records.txt";
            QVERIFY(put(target, Start));
            QVERIFY(run("chown " + alice->name + ": '" + game + "' '" + target + "'"));
            QVERIFY(alice->does("ln -s '" + target + "' '" + link + "'"));
            player = alice->name;
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
            QVERIFY(run("chown " + alice->name + ": '" + game + "'"));
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
        Game asAlice({"--folder", portable ? game : game + "/bin"}, environmentOf(&*alice),
                     alice->name);
        QCOMPARE(winAndExit(asAlice, &told), 0);
        QCOMPARE(told, 0);
        QVERIFY(contents(made).startsWith("7\r\n5\r\n"));
    }

    // Bob can read alice's folder and records, and locks them every way a reader can: alice
    // plays all the same, and a second copy of hers is still kept out.
    void anotherUsersLockDoesNotKeepThePlayerOut_data()
    {
        QTest::addColumn<QString>("lock");
        QTest::newRow("flock on the folder") << "flock";
        QTest::newRow("POSIX read lock on Progress.txt") << "posix";
        QTest::newRow("open file description read lock on Progress.txt") << "ofd";
    }
    void anotherUsersLockDoesNotKeepThePlayerOut()
    {
        QFETCH(QString, lock);
        const QString game = scratch->filePath("alices-open-game-" + lock);
        QVERIFY(QDir().mkpath(game));
        QVERIFY(put(game + "/Progress.txt", Start));
        QVERIFY(run("chown -R " + alice->name + ": '" + game + "' && chmod 755 '" + game + "'"));
        const QByteArray locked =
            QFile::encodeName(lock == "flock" ? game : game + "/Progress.txt");
        const Child bobsLock([&](int ready) {
            const int fd = bob->become() ? ::open(locked.constData(), O_RDONLY) : -1;
            struct flock whole {
            };
            whole.l_type = F_RDLCK;
            whole.l_whence = SEEK_SET;
            tell(ready,
                 fd >= 0 && (lock == "flock" ? ::flock(fd, LOCK_EX | LOCK_NB) == 0
                                             : ::fcntl(fd, lock == "posix" ? F_SETLK : F_OFD_SETLK,
                                                       &whole) == 0));
        });
        QVERIFY(bobsLock.pid > 0);

        Game asAlice({"--folder", game}, environmentOf(&*alice), alice->name);
        int told = 0;
        QVERIFY2(step(asAlice, {}, "ready", &told), "kept out by bob's lock");
        Game again({"--folder", game}, environmentOf(&*alice), alice->name);
        QVERIFY2(!again.expect("already running").isNull(), "a second copy of alice's played");
        QCOMPARE(again.end(), 1);
        QCOMPARE(winAndExit(asAlice, &told, true), 0);
        QCOMPARE(told, 0);
        QVERIFY(contents(game + "/Progress.txt").startsWith("11\r\n12\r\n13\r\n14\r\n16\r\n"));
    }

    // Root plays with bob's HOME, as sudo -E leaves it, and bob's records are a link to a file
    // only root may read: root reads nothing through it, so when bob has taken the link away,
    // what root saves for him holds nothing of that file.
    void rootReadsNothingForAPlayerThatThePlayerCannot_data()
    {
        QTest::addColumn<bool>("hardLink");
        QTest::newRow("symbolic link") << false;
        QTest::newRow("hard link") << true;
    }
    void rootReadsNothingForAPlayerThatThePlayerCannot()
    {
        QFETCH(bool, hardLink);
        const QString secret = scratch->filePath("root-only-records");
        const QByteArray numbers = QByteArray("97\r\n").repeated(12) + "1\r\n1\r\n";
        QVERIFY(put(secret, numbers));
        QCOMPARE(::chmod(QFile::encodeName(secret), 0600), 0);
        const QString data = freshDataFolder(*bob);
        QVERIFY(bob->does("mkdir -p " + quoted(data)));
        const QString records = data + "/Progress.txt";
        if (hardLink) {
            const HardlinksUnprotected unprotected;
            if (!unprotected.off)
                QSKIP("fs.protected_hardlinks cannot be turned off here, so bob cannot link a "
                      "file of root's");
            QVERIFY(bob->does("ln " + quoted(secret) + ' ' + quoted(records)));
        } else {
            QVERIFY(bob->does("ln -s " + quoted(secret) + ' ' + quoted(records)));
        }

        Game asRoot({"--folder", blockedProgram()}, environmentOf(nullptr, bob->home), QString());
        int told = 0;
        QVERIFY(step(asRoot, {}, "ready", &told));
        QVERIFY(step(asRoot, "label", "label:", &told));
        QVERIFY(bob->does("rm " + quoted(records)));
        QCOMPARE(asRoot.end(SIGTERM), 0);
        const QByteArray saved = contents(records);
        QVERIFY2(saved.count("\r\n") == 14, "root saved nothing for bob");
        QVERIFY2(!saved.contains("97"), QByteArray(saved).replace("\r\n", " ").constData());
        QVERIFY2(told >= 1, "root is told that bob's records are not used");
        QCOMPARE(contents(secret), numbers);
    }

    // Bob's data folder, or a folder on its way, is a link to a folder only root may enter:
    // root playing with bob's HOME makes nothing there, and says the records cannot be saved.
    void rootNeverFollowsAPlayersFolderLinks_data()
    {
        QTest::addColumn<QString>("linked");
        QTest::newRow("the data folder") << ".local/share/Numblaze";
        QTest::newRow("a folder on the way") << ".local/share";
    }
    void rootNeverFollowsAPlayersFolderLinks()
    {
        QFETCH(QString, linked);
        freshDataFolder(*bob);
        const QString closed = scratch->filePath("root-only-folder");
        QVERIFY(QDir(closed).removeRecursively() && QDir().mkpath(closed));
        QCOMPARE(::chmod(QFile::encodeName(closed), 0700), 0);
        const QString link = bob->home + '/' + linked;
        QVERIFY(bob->does("mkdir -p " + quoted(QFileInfo(link).path()) + " && ln -s " +
                          quoted(closed) + ' ' + quoted(link)));

        Game asRoot({"--folder", blockedProgram()}, environmentOf(nullptr, bob->home), QString());
        int told = 0;
        winAndExit(asRoot, &told);
        QCOMPARE(QDir(closed).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden),
                 QStringList());
        QVERIFY2(told >= 1, "root is told that the records cannot be saved");
    }

    // A link bob makes himself, in his own home, to a folder of his own, is followed when he
    // plays: his records go where he sent them.
    void aPlayersOwnFolderLinkIsFollowed()
    {
        const QString data = freshDataFolder(*bob);
        const QString elsewhere = bob->home + "/synced";
        QVERIFY(bob->does("mkdir -p " + quoted(elsewhere) + ' ' + quoted(QFileInfo(data).path()) +
                          " && ln -s " + quoted(elsewhere) + ' ' + quoted(data)));
        Game asBob({"--folder", blockedProgram()}, environmentOf(&*bob), bob->name);
        int told = 0;
        QCOMPARE(winAndExit(asBob, &told), 0);
        QCOMPARE(told, 0);
        QCOMPARE(contents(elsewhere + "/Progress.txt").count("\r\n"), 14);
    }

    // With fs.protected_hardlinks=0 bob links a file of root's where root's game makes its lock
    // file: root plays for bob, and the file stays root's.
    void rootGivesNoFileOfItsOwnAway()
    {
        const QString data = freshDataFolder(*bob);
        QVERIFY(bob->does("mkdir -p " + quoted(data)));
        const QString rootsFile = scratch->filePath("roots-file");
        QVERIFY(put(rootsFile, "root's own\n"));
        {
            const HardlinksUnprotected unprotected;
            if (!unprotected.off)
                QSKIP("fs.protected_hardlinks cannot be turned off here, so bob cannot link a "
                      "file of root's");
            QVERIFY(bob->does("ln " + quoted(rootsFile) + ' ' + quoted(data + "/.Progress.lock")));
        }

        Game asRoot({"--folder", blockedProgram()}, environmentOf(nullptr, bob->home), QString());
        int told = 0;
        QCOMPARE(winAndExit(asRoot, &told), 0);
        QCOMPARE(statOf(rootsFile).st_uid, uid_t(0));
        QCOMPARE(statOf(rootsFile).st_gid, gid_t(0));
        QCOMPARE(contents(rootsFile), QByteArray("root's own\n"));
        QCOMPARE(contents(data + "/Progress.txt").count("\r\n"), 14);
        QCOMPARE(statOf(data + "/Progress.txt").st_uid, bob->uid);
    }

    // Bob links a file of root's under the name of the folder root is making for him, and takes
    // it away again, over and over: no folder root makes ever gives that file to bob.
    void rootMakingAPlayersFoldersGivesNoFileAway()
    {
        const QString data = freshDataFolder(*bob);
        QVERIFY(bob->does("mkdir -p " + quoted(QFileInfo(data).path())));
        const QString rootsFile = scratch->filePath("roots-file");
        QVERIFY(put(rootsFile, "root's own\n"));
        const HardlinksUnprotected unprotected;
        if (!unprotected.off)
            QSKIP("fs.protected_hardlinks cannot be turned off here, so bob cannot link a file "
                  "of root's");
        const QByteArray from = QFile::encodeName(rootsFile);
        const QByteArray name = QFile::encodeName(data);
        const Child linker([&](int ready) {
            tell(ready, bob->become());
            for (;;) {
                ::link(from.constData(), name.constData());
                ::unlink(name.constData());
            }
        });
        QVERIFY(linker.pid > 0);
        int made = 0;
        for (int attempt = 1; attempt <= 3000; ++attempt) {
            if (Folder::make(name).isOpen()) {
                ++made;
                QCOMPARE(statOf(data).st_uid, bob->uid);
                QCOMPARE(::rmdir(name.constData()), 0);
            }
            if (statOf(rootsFile).st_uid != 0)
                QFAIL(
                    qPrintable(QStringLiteral("root's file given to bob at try %1").arg(attempt)));
        }
        qInfo("root made bob's folder %d times in 3000 tries", made);
    }

    // Bob's records file is a link to a setuid file of root's when root saves, or becomes one
    // and back over and over while root saves: every file saved is bob's, never more open than
    // 0644.
    void savedFilesTakeOnlyWhatWasChecked()
    {
        const QString game = scratch->filePath("bobs-swapped-game");
        QVERIFY(QDir().mkpath(game));
        QVERIFY(put(game + "/Progress.txt", Start));
        QVERIFY(run("chown -R " + bob->name + ": '" + game + "'"));
        const QString setuid = scratch->filePath("roots-setuid");
        QVERIFY(put(setuid, "#!/bin/sh\n"));
        QCOMPARE(::chmod(QFile::encodeName(setuid), 04755), 0);
        const Folder place = Folder::open(QFile::encodeName(game));
        QVERIFY(place.isOpen());
        // The saved file, whatever name it has by then: the lock made on it keeps it open.
        const auto savedAs = [&](const Folder& folder, const QByteArray& name, struct stat* st) {
            FileIdentity written;
            QString error;
            int saved = -1;
            if (!replaceFile(folder, name, Start, &written, &error, &saved))
                return false;
            const bool known = saved >= 0 && ::fstat(saved, st) == 0;
            ::close(saved);
            return known;
        };

        QVERIFY(bob->does("ln -sf " + quoted(setuid) + ' ' + quoted(game + "/Progress.txt")));
        struct stat st {
        };
        QVERIFY(savedAs(place, "Progress.txt", &st));
        QCOMPARE(st.st_uid, bob->uid);
        QCOMPARE(st.st_mode & 07777, mode_t(0644));

        const QByteArray target = QFile::encodeName(setuid);
        const Child swapper([&](int ready) {
            const int fd = bob->become() ? ::dup(place.fd()) : -1;
            tell(ready, fd >= 0);
            for (;;) {
                ::unlinkat(fd, "link", 0);
                ::symlinkat(target.constData(), fd, "link");
                ::renameat2(fd, "link", fd, "Progress.txt", RENAME_EXCHANGE);
                ::renameat2(fd, "link", fd, "Progress.txt", RENAME_EXCHANGE);
            }
        });
        QVERIFY(swapper.pid > 0);
        int saves = 0;
        for (int attempt = 1; attempt <= 1000; ++attempt) {
            const SaveTarget target = saveTargetFor(place, "Progress.txt");
            if (!target.refusal.isEmpty() || !savedAs(target.folder, target.name, &st))
                continue;
            ++saves;
            if (st.st_uid != bob->uid || (st.st_mode & 07777 & ~0644) != 0)
                QFAIL(qPrintable(QStringLiteral("save %1 made a file of uid %2, mode %3")
                                     .arg(attempt)
                                     .arg(st.st_uid)
                                     .arg(st.st_mode & 07777, 0, 8)));
        }
        qInfo("%d of 1000 saves went ahead while bob swapped the file", saves);
        QVERIFY(saves > 0);
    }

    // A saved file keeps the mode of the file it replaces when that is 0644 or stricter, is
    // never more open, and the umask of whoever saves may make it stricter still.
    void savedFilesAreAtMost0644_data()
    {
        QTest::addColumn<int>("before");
        QTest::addColumn<int>("mask");
        QTest::addColumn<int>("after");
        QTest::newRow("0600 stays") << 0600 << 022 << 0600;
        QTest::newRow("0664 loses the group's writing") << 0664 << 002 << 0644;
        QTest::newRow("4755 loses setuid and running") << 04755 << 022 << 0644;
        QTest::newRow("0644 under umask 077") << 0644 << 077 << 0600;
        QTest::newRow("a first file under umask 0") << -1 << 0 << 0644;
    }
    void savedFilesAreAtMost0644()
    {
        QFETCH(int, before);
        QFETCH(int, mask);
        QFETCH(int, after);
        const QString game = scratch->filePath("bobs-modes");
        QVERIFY(QDir(game).removeRecursively() && QDir().mkpath(game));
        if (before >= 0) {
            QVERIFY(put(game + "/Progress.txt", Start));
            QCOMPARE(::chmod(QFile::encodeName(game + "/Progress.txt"), mode_t(before)), 0);
        }
        QVERIFY(run("chown -R " + bob->name + ": '" + game + "'"));
        const Folder place = Folder::open(QFile::encodeName(game));
        FileIdentity written;
        QString error;
        const mode_t old = ::umask(mode_t(mask));
        const bool saved = replaceFile(place, "Progress.txt", Start, &written, &error);
        ::umask(old);
        QVERIFY2(saved, qPrintable(error));
        QCOMPARE(statOf(game + "/Progress.txt").st_mode & 07777, mode_t(after));
        QCOMPARE(statOf(game + "/Progress.txt").st_uid, bob->uid);
    }

    // A second start while the lock is held: what answers in the channel must be the player's
    // own copy, and no wait outlasts a second or the signals that end the game.
    void secondStartBelievesOnlyThePlayersOwnCopy_data()
    {
        QTest::addColumn<bool>("anotherUser");
        QTest::newRow("an answer from another user") << true;
        QTest::newRow("a listener that trickles a byte every 2 s") << false;
    }
    void secondStartBelievesOnlyThePlayersOwnCopy()
    {
        QFETCH(bool, anotherUser);
        const QString game = scratch->filePath("held");
        QVERIFY(QDir().mkpath(game));
        QVERIFY(put(game + "/Progress.txt", Start));
        const QProcessEnvironment env = environmentOf(nullptr);
        qputenv("TMPDIR", QFile::encodeName(env.value("TMPDIR")));
        qunsetenv("XDG_RUNTIME_DIR");
        const QString name = runningCopyName(game);
        QVERIFY(!name.isEmpty());
        const Child holder = lockHolder(game);
        QVERIFY(holder.pid > 0);
        const Child listener = fakeListener(name, anotherUser);
        QVERIFY(listener.pid > 0);

        QProcess second;
        second.setProcessEnvironment(env);
        const QString program = game + "/numblaze";
        QFile::remove(program);
        QVERIFY(QFile::copy(QStringLiteral(NUMBLAZE_GAME), program));
        QElapsedTimer clock;
        clock.start();
        if (!anotherUser) {
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
