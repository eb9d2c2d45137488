// SPDX-FileCopyrightText: The Numblaze developers
// SPDX-License-Identifier: GPL-3.0-or-later

// A second start of the game: the copy that runs comes to the front, and the second one ends
// without touching the records. Tested in-process and with two real copies of the game.
#include "app/runningcopy.h"
#include "halloffame/form3.h"
#include "menu/form2.h"
#include "race/form1.h"
#include "records/progresslocation.h"
#include "tests/support.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QMessageBox>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <csignal>
#include <poll.h>
#include <sys/prctl.h>
#include <sys/resource.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <sys/wait.h>
#include <unistd.h>

using namespace numblaze;
using namespace numblaze::testing;

namespace
{

/// The memory the process pid has in use (VmRSS), in kB; -1 when it cannot be read.
qint64 residentKb(qint64 pid)
{
    const QByteArray status = contents(QStringLiteral("/proc/%1/status").arg(pid));
    const qsizetype at = status.indexOf("VmRSS:");
    if (at < 0)
        return -1;
    return status.mid(at + 6, status.indexOf('\n', at) - at - 6)
        .simplified()
        .split(' ')[0]
        .toLongLong();
}

/// A connection to the socket at name, made without waiting; -1 when none can be made now.
int connectTo(const QString& name)
{
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    qstrncpy(address.sun_path, QFile::encodeName(name).constData(), sizeof address.sun_path);
    const int fd = ::socket(AF_UNIX, SOCK_STREAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0);
    if (fd >= 0 && ::connect(fd, reinterpret_cast<sockaddr*>(&address), sizeof address) == 0)
        return fd;
    if (fd >= 0)
        ::close(fd);
    return -1;
}

/// The real game, a copy of it beside its records in a folder of its own, allowed only 256 open
/// files, as some systems allow.
struct FewFilesGame {
    QTemporaryDir folder;
    QProcess process;
    QString channel;
    const QByteArray records =
        "9\r\n8\r\n7\r\n6\r\n5\r\n4\r\n3\r\n2\r\n1\r\n2\r\n3\r\n4\r\n1\r\n2\r\n";

    /// Starts it; false when it did not come to listen.
    bool start()
    {
        const QString program = folder.filePath("numblaze");
        if (!QFile::copy(QStringLiteral(NUMBLAZE_GAME), program) ||
            !put(folder.filePath("Progress.txt"), records))
            return false;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("QT_QPA_PLATFORM", "offscreen");
#if defined(__SANITIZE_ADDRESS__)
        // AddressSanitizer keeps freed memory aside to catch its later use; a flood's freed
        // connections would read as memory the game holds.
        const QString asan = env.value("ASAN_OPTIONS");
        env.insert("ASAN_OPTIONS", asan + (asan.isEmpty() ? "" : ":") + "quarantine_size_mb=1");
#endif
        process.setProcessEnvironment(env);
        process.setChildProcessModifier([] {
            const rlimit few{256, 256};
            ::setrlimit(RLIMIT_NOFILE, &few);
        });
        process.start(program, {});
        channel = runningCopyName(folder.path());
        QElapsedTimer clock;
        clock.start();
        while (!QFileInfo::exists(channel) && clock.elapsed() < 60000)
            QTest::qWait(50);
        return process.state() == QProcess::Running && QFileInfo::exists(channel);
    }
    ~FewFilesGame()
    {
        process.kill();
        process.waitForFinished();
    }
};

/// Connections held open, closed when this goes.
struct Connections {
    QList<int> fds;
    ~Connections()
    {
        for (const int fd : fds)
            ::close(fd);
    }
    /// Makes up to count connections to name in at most ten seconds.
    void open(const QString& name, int count)
    {
        rlimit files{};
        ::getrlimit(RLIMIT_NOFILE, &files);
        files.rlim_cur = files.rlim_max;
        ::setrlimit(RLIMIT_NOFILE, &files);
        QElapsedTimer clock;
        clock.start();
        while (fds.size() < count && clock.elapsed() < 10000) {
            const int fd = connectTo(name);
            if (fd >= 0)
                fds << fd;
            else
                QTest::qWait(1);
        }
    }
    /// Sends up to bytes bytes without an end of line on a connection of its own, until the
    /// other end takes no more for a second; returns how many were taken.
    qint64 sendLine(const QString& name, qint64 bytes)
    {
        open(name, fds.size() + 1);
        const QByteArray chunk(1 << 20, 'x');
        qint64 sent = 0;
        while (sent < bytes) {
            const ssize_t n = ::send(fds.last(), chunk.constData(), size_t(chunk.size()),
                                     MSG_NOSIGNAL | MSG_DONTWAIT);
            pollfd writable{fds.last(), POLLOUT, 0};
            if (n > 0)
                sent += n;
            else if (n < 0 && errno != EAGAIN)
                break;
            else if (::poll(&writable, 1, 1000) != 1)
                break;
        }
        return sent;
    }
};

} // namespace

class TestRunningCopy : public QObject
{
    Q_OBJECT

    QTemporaryDir folder_;

  private slots:
    void init() { playWithRecordsIn(folder_.path()); }
    void cleanup() { discardAllScreens(); }

    void nameIsOnePerProgressFolder()
    {
        QTemporaryDir other;
        const QString name = runningCopyName(folder_.path());
        QCOMPARE(runningCopyName(folder_.path() + "/"), name);
        QCOMPARE(runningCopyName(folder_.path() + "/../" + QFileInfo(folder_.path()).fileName()),
                 name);
        QVERIFY(runningCopyName(other.path()) != name);
        // A socket path must fit the 108 bytes of sockaddr_un.
        QVERIFY2(name.toLocal8Bit().size() < 100, qPrintable(name));
    }

    // The channel lives in a folder only the player can enter, so no other user can answer
    // for the game or stall it: never in a folder anyone else made or may enter.
    void channelIsInAFolderOnlyThePlayerCanEnter_data()
    {
        QTest::addColumn<QString>("runtime");
        QTest::addColumn<QString>("planted");
        QTest::addColumn<bool>("usable");
        QTest::newRow("the player's runtime folder") << "private"
                                                     << "" << true;
        QTest::newRow("a runtime folder others may enter") << "open"
                                                           << "" << true;
        QTest::newRow("no runtime folder") << ""
                                           << "" << true;
        QTest::newRow("the temporary name is a link") << ""
                                                      << "link" << false;
        QTest::newRow("the temporary name is another user's folder") << ""
                                                                     << "nobody" << false;
    }
    void channelIsInAFolderOnlyThePlayerCanEnter()
    {
        QFETCH(QString, runtime);
        QFETCH(QString, planted);
        QFETCH(bool, usable);
        if (planted == "nobody" && ::geteuid() != 0)
            QSKIP("another user's folder needs root to make");
        QTemporaryDir tmp;
        QCOMPARE(::chmod(QFile::encodeName(tmp.path()), 01777), 0);
        const QByteArray oldTmp = qgetenv("TMPDIR");
        const QByteArray oldRuntime = qgetenv("XDG_RUNTIME_DIR");
        qputenv("TMPDIR", QFile::encodeName(tmp.path()));
        const QString own = tmp.filePath("numblaze-" + QString::number(::geteuid()));
        if (runtime.isEmpty()) {
            qunsetenv("XDG_RUNTIME_DIR");
        } else {
            QVERIFY(QDir(tmp.path()).mkdir("run"));
            QCOMPARE(
                ::chmod(QFile::encodeName(tmp.filePath("run")), runtime == "private" ? 0700 : 0755),
                0);
            qputenv("XDG_RUNTIME_DIR", QFile::encodeName(tmp.filePath("run")));
        }
        if (planted == "link") {
            QVERIFY(QDir(tmp.path()).mkdir("elsewhere"));
            QVERIFY(QFile::link(tmp.filePath("elsewhere"), own));
        } else if (planted == "nobody") {
            QVERIFY(QDir(tmp.path()).mkdir(QFileInfo(own).fileName()));
            QCOMPARE(::chown(QFile::encodeName(own), 65534, 65534), 0);
            QCOMPARE(::chmod(QFile::encodeName(own), 0777), 0);
        }
        const QString name = runningCopyName(folder_.path());
        qputenv("TMPDIR", oldTmp);
        if (oldRuntime.isEmpty())
            qunsetenv("XDG_RUNTIME_DIR");
        else
            qputenv("XDG_RUNTIME_DIR", oldRuntime);

        QCOMPARE(!name.isEmpty(), usable);
        if (!usable)
            return;
        const QString folder = QFileInfo(name).path();
        QCOMPARE(folder, runtime == "private" ? tmp.filePath("run") : own);
        struct stat st {
        };
        QCOMPARE(::lstat(QFile::encodeName(folder), &st), 0);
        QVERIFY(S_ISDIR(st.st_mode));
        QCOMPARE(st.st_uid, ::geteuid());
        QCOMPARE(st.st_mode & 077, 0u);
    }

    void nobodyAnswersWhenNoCopyListens()
    {
        QTemporaryDir empty;
        QCOMPARE(bringRunningCopyToFront(empty.path(), 2000), FrontAnswer::NoAnswer);
        // A socket file left by a copy that crashed answers nothing either.
        QVERIFY(put(runningCopyName(empty.path()), "left over"));
        QCOMPARE(bringRunningCopyToFront(empty.path(), 2000), FrontAnswer::NoAnswer);
        QFile::remove(runningCopyName(empty.path()));
    }

    void listenerReplacesASocketLeftByACrash()
    {
        QTemporaryDir crashed;
        const QString name = runningCopyName(crashed.path());
        QVERIFY(put(name, "left over"));
        RunningCopyListener listener;
        QVERIFY(listener.listen(crashed.path()));
        const int socket = connectTo(name);
        QVERIFY(socket >= 0);
        ::close(socket);
        // Only the player may connect, whatever the folder around it allows.
        struct stat st {
        };
        QCOMPARE(::lstat(QFile::encodeName(name).constData(), &st), 0);
        QVERIFY(S_ISSOCK(st.st_mode));
        QCOMPARE(st.st_mode & 077, 0u);
    }

    // A game that has no open file left for a waiting connection does not spin on it: it takes
    // a little of the processor while it waits, and answers once files are free again.
    void aGameOutOfOpenFilesWaitsForThemQuietly()
    {
#if defined(__SANITIZE_ADDRESS__)
        // The undefined-behaviour checker opens a pipe of its own to check a call's object, and
        // with no file left it takes the listener's own notifier for a bad one.
        QSKIP("the sanitizers need open files of their own");
#endif
        QTemporaryDir folder;
        RunningCopyListener listener;
        QVERIFY(listener.listen(folder.path()));
        const int asking = connectTo(runningCopyName(folder.path()));
        QVERIFY(asking >= 0);
        QCOMPARE(::send(asking, "front\n", 6, MSG_NOSIGNAL), ssize_t(6));
        rlimit files{};
        QCOMPARE(::getrlimit(RLIMIT_NOFILE, &files), 0);
        const rlimit allowed = files;
        // No file number is left below the limit: the next one the game opens is refused.
        const int lowestFree = ::dup(asking);
        QVERIFY(lowestFree >= 0);
        ::close(lowestFree);
        files.rlim_cur = rlim_t(lowestFree);
        QCOMPARE(::setrlimit(RLIMIT_NOFILE, &files), 0);
        const auto processorMs = [] {
            timespec used{};
            ::clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &used);
            return used.tv_sec * 1000.0 + used.tv_nsec / 1e6;
        };
        const double before = processorMs();
        QTest::qWait(1000);
        const double waiting = processorMs() - before;
        QCOMPARE(::setrlimit(RLIMIT_NOFILE, &allowed), 0);
        qInfo("processor time while out of open files: %.1f ms in 1 s", waiting);
        QVERIFY2(waiting < 300, "the channel spun on a connection it could not take");
        char answer[8] = {};
        QVERIFY(QTest::qWaitFor(
            [&] { return ::recv(asking, answer, sizeof answer - 1, MSG_DONTWAIT) > 0; }, 5000));
        QCOMPARE(QByteArray(answer), QByteArray("done\n"));
        ::close(asking);
    }

    // Whichever screen the player is on comes to the front, restored if it was minimised.
    void theWindowInUseComesToTheFront_data()
    {
        QTest::addColumn<QString>("screen");
        QTest::newRow("menu") << "Form2";
        QTest::newRow("race") << "Form1";
        QTest::newRow("Hall of Fame") << "Form3";
    }
    void theWindowInUseComesToTheFront()
    {
        QFETCH(QString, screen);
        Form2Controls& menu = Form2::get().ui();
        Form2::get().show();
        QWidget* fronted = nullptr;
        bool restored = false;
        // The window in use is minimised; the Hall of Fame goes down with the menu it belongs to.
        const auto minimiseThenAsk = [&](QWidget* inUse, QWidget* owner) {
            inUse->showMinimized();
            if (owner)
                owner->showMinimized();
            fronted = bringVisibleWindowToFront();
            restored = !inUse->isMinimized() && !(owner && owner->isMinimized());
        };
        if (screen == QLatin1String("Form3")) {
            QTimer::singleShot(0, [&] {
                minimiseThenAsk(&Form3::get().window(), menu.window);
                Form3::get().unload();
            });
            QTest::mouseClick(menu.Command4, Qt::LeftButton);
        } else if (screen == QLatin1String("Form1")) {
            QTest::mouseClick(menu.Command1, Qt::LeftButton);
            minimiseThenAsk(Form1::get().ui().window, nullptr);
            QVERIFY(!menu.window->isVisible());
        } else {
            minimiseThenAsk(menu.window, nullptr);
        }
        QVERIFY(fronted);
        QCOMPARE(fronted->objectName(), screen);
        QVERIFY(restored);
    }

    // A program of the player's floods the channel: a line of 300 MB without an end, or 3000
    // connections that say nothing. The game's memory stays about what it was, and, with only
    // 256 open files allowed, it still saves and ends well at SIGTERM while the flood goes on.
    void floodsOfTheChannelTakeLittleOfTheGame_data()
    {
        QTest::addColumn<bool>("longLine");
        QTest::newRow("a line of 300 MB") << true;
        QTest::newRow("3000 idle connections") << false;
    }
    void floodsOfTheChannelTakeLittleOfTheGame()
    {
        QFETCH(bool, longLine);
        FewFilesGame game;
        QVERIFY(game.start());
        const qint64 pid = game.process.processId();
        const qint64 before = residentKb(pid);
        Connections flood;
        if (longLine)
            qInfo("the game took %lld bytes of the line",
                  flood.sendLine(game.channel, 300ll << 20));
        else
            flood.open(game.channel, 3000);
        QTest::qWait(500);
        const qint64 during = residentKb(pid);
        qInfo("the game's memory: %lld kB before, %lld kB during the flood", before, during);
        QVERIFY2(during - before < 30 * 1024, "the flood took the game's memory");

        ::kill(pid_t(pid), SIGTERM);
        QVERIFY(game.process.waitForFinished(30000));
        QCOMPARE(game.process.exitStatus(), QProcess::NormalExit);
        QVERIFY2(game.process.exitCode() == 0, game.process.readAllStandardError().constData());
        QCOMPARE(contents(game.folder.filePath("Progress.txt")), game.records);
    }

    // Once a flood of connections has gone, a second start is answered as before.
    void theChannelAnswersAgainAfterAFlood()
    {
        FewFilesGame game;
        QVERIFY(game.start());
        {
            Connections flood;
            flood.open(game.channel, 3000);
            qInfo("%lld connections made", qint64(flood.fds.size()));
        }
        QTest::qWait(4000);
        QProcess second;
        second.setProcessEnvironment(game.process.processEnvironment());
        second.start(game.folder.filePath("numblaze"), {});
        QVERIFY2(second.waitForFinished(30000), "the second start was not answered");
        QCOMPARE(second.exitCode(), 0);
    }

    // A copy that holds the records but cannot be reached (it listens nowhere) is named in the
    // second start's message when it is one of the player's own processes: its process number
    // and its program. The lock may be on the records file or, before the first save, on the
    // lock file.
    void aCopyThatCannotBeReachedIsNamed_data()
    {
        QTest::addColumn<bool>("records");
        QTest::newRow("records file") << true;
        QTest::newRow("no records yet") << false;
    }
    void aCopyThatCannotBeReachedIsNamed()
    {
        QFETCH(bool, records);
        QTemporaryDir place;
        if (records)
            QVERIFY(put(place.filePath("Progress.txt"), "1\r\n"));
        int ready[2];
        QCOMPARE(::pipe(ready), 0);
        const pid_t holder = ::fork();
        if (holder == 0) {
            ::prctl(PR_SET_PDEATHSIG, SIGKILL);
            static ProgressLock lock;
            lock = lockProgressFolder(place.path());
            (void)!::write(ready[1], lock.result == ProgressLockResult::Held ? "y" : "n", 1);
            for (;;)
                ::pause();
        }
        char held = 0;
        QCOMPARE(::read(ready[0], &held, 1), 1);
        ::close(ready[0]);
        ::close(ready[1]);
        QString told;
        QTimer answering;
        connect(&answering, &QTimer::timeout, [&told] {
            if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
                told = box->text();
                box->close();
            }
        });
        answering.start(20);
        tellAlreadyRunning(place.filePath("Progress.txt"), FrontAnswer::NoAnswer);
        ::kill(holder, SIGKILL);
        ::waitpid(holder, nullptr, 0);
        QCOMPARE(held, 'y');
        QVERIFY2(told.contains(QStringLiteral("process %1 (").arg(holder)), qPrintable(told));
        QVERIFY2(told.contains(QCoreApplication::applicationFilePath()), qPrintable(told));
    }

    // Two real copies of the game in one folder: the second asks the first to come forward and
    // ends at once with status 0, leaving Progress.txt as it was.
    void secondStartBringsTheFirstToTheFront()
    {
        QTemporaryDir game;
        const QString program = game.filePath("numblaze");
        QVERIFY(QFile::copy(QStringLiteral(NUMBLAZE_GAME), program));
        const QString progress = game.filePath("Progress.txt");
        const QByteArray records =
            "9\r\n8\r\n7\r\n6\r\n5\r\n4\r\n3\r\n2\r\n1\r\n2\r\n3\r\n4\r\n1\r\n2\r\n";
        QVERIFY(put(progress, records));

        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("QT_QPA_PLATFORM", "offscreen");
        env.insert("QT_LOGGING_RULES", "numblaze.runningcopy.info=true");
        QProcess first;
        first.setProcessEnvironment(env);
        first.start(program, {});
        QVERIFY(first.waitForStarted());
        const QString name = runningCopyName(game.path());
        QTRY_VERIFY_WITH_TIMEOUT(QFileInfo::exists(name), 60000);

        QProcess second;
        second.setProcessEnvironment(env);
        QElapsedTimer clock;
        clock.start();
        second.start(program, {});
        QVERIFY(second.waitForFinished(60000));
        qInfo("the second copy ended after %lld ms", clock.elapsed());
        QCOMPARE(second.exitStatus(), QProcess::NormalExit);
        QCOMPARE(second.exitCode(), 0);
        QByteArray told;
        QTRY_VERIFY_WITH_TIMEOUT(
            (told += first.readAllStandardError()).contains("brought to the front: \"Form2\""),
            30000);
        QCOMPARE(contents(progress), records);
        QCOMPARE(first.state(), QProcess::Running);
        first.kill();
        first.waitForFinished();
    }
};

QTEST_MAIN(TestRunningCopy)
#include "test_runningcopy.moc"
