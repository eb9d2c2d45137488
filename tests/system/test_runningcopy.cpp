// SPDX-FileCopyrightText: The Numblaze developers
// SPDX-License-Identifier: GPL-3.0-or-later

// A second start of the game: the copy that runs comes to the front, and the second one ends
// without touching the records. Tested in-process and with two real copies of the game.
#include "app/runningcopy.h"
#include "halloffame/form3.h"
#include "menu/form2.h"
#include "race/form1.h"
#include "tests/support.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QLocalSocket>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <sys/stat.h>
#include <unistd.h>

using namespace numblaze;
using namespace numblaze::testing;

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
        QLocalSocket socket;
        socket.connectToServer(name);
        QVERIFY(socket.waitForConnected(5000));
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
