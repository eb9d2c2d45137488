// SPDX-FileCopyrightText: The Numblaze developers
// SPDX-License-Identifier: GPL-3.0-or-later

// Qt's own options, the X server's included, are Qt's: the real game on a real X server starts
// with each of them, and still refuses an option that nobody knows.
#include "tests/support.h"

#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

using namespace numblaze::testing;

class TestQtOptions : public QObject
{
    Q_OBJECT

    XServer x;

  private slots:
    void initTestCase()
    {
        if (x.display.isEmpty())
            QSKIP("Xvfb is needed to start the game (scripts/setup.sh installs it)");
    }

    void qtOptionsStartTheGame_data()
    {
        QTest::addColumn<QString>("arguments");
        QTest::addColumn<bool>("displayInEnvironment");
        QTest::newRow("style") << "-style fusion" << true;
        QTest::newRow("right to left") << "-reverse" << true;
        QTest::newRow("X client name") << "-name foo" << true;
        // Xvfb's first visual (a visual the server lacks ends Qt's X connection in Qt 6.4).
        QTest::newRow("X visual") << "-visual 0x21" << true;
        QTest::newRow("platform, two dashes") << "--platform xcb" << true;
        QTest::newRow("display on the command line only") << "-display DISPLAY" << false;
    }
    void qtOptionsStartTheGame()
    {
        QFETCH(QString, arguments);
        QFETCH(bool, displayInEnvironment);
        QTemporaryDir folder;
        QVERIFY(folder.isValid());
        const QString program = folder.filePath(QStringLiteral("numblaze"));
        QVERIFY(QFile::copy(QStringLiteral(NUMBLAZE_GAME), program));

        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"})
            env.remove(QString::fromLatin1(name));
        if (displayInEnvironment)
            env.insert(QStringLiteral("DISPLAY"), x.display);
        env.insert(QStringLiteral("XDG_DATA_HOME"), folder.filePath(QStringLiteral("data")));
        QProcess game;
        game.setProcessEnvironment(env);
        game.start(program, arguments.replace(QLatin1String("DISPLAY"), x.display).split(' '));
        QVERIFY(game.waitForStarted(Patience));
        // The game runs until it is told to end; a refused option would have ended it already.
        QVERIFY2(!game.waitForFinished(1500), game.readAllStandardError().constData());
        game.terminate();
        QVERIFY(game.waitForFinished(Patience));
        QCOMPARE(game.exitStatus(), QProcess::NormalExit);
        QCOMPARE(game.exitCode(), 0);
        QCOMPARE(contents(folder.filePath(QStringLiteral("Progress.txt"))).count('\n'), 14);
    }

    void unknownOptionIsRefusedOnceQtHasTakenItsOwn()
    {
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("DISPLAY"), x.display);
        env.remove(QStringLiteral("QT_QPA_PLATFORM"));
        QProcess game;
        game.setProcessEnvironment(env);
        game.start(QStringLiteral(NUMBLAZE_GAME),
                   {QStringLiteral("-name"), QStringLiteral("foo"), QStringLiteral("--bogus")});
        QVERIFY(game.waitForFinished(Patience));
        QCOMPARE(game.exitCode(), 2);
        const QByteArray said = game.readAllStandardError();
        QVERIFY2(said.endsWith("\nnumblaze: unknown option '--bogus' (try 'numblaze --help')\n") ||
                     said == "numblaze: unknown option '--bogus' (try 'numblaze --help')\n",
                 said.constData());
    }
};

QTEST_GUILESS_MAIN(TestQtOptions)
#include "test_qtoptions.moc"
