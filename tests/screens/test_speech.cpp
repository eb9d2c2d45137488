// SPDX-FileCopyrightText: The Numblaze developers
// SPDX-License-Identifier: GPL-3.0-or-later

// What the race and the menu say through their voices, and extra time.

#include "core/gamedata.h"
#include "menu/form2.h"
#include "race/form1.h"
#include "tests/screens/racing.h"
#include "tests/support.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

using namespace numblaze;
using namespace numblaze::testing;

namespace
{
QStringList said(Screen& screen)
{
    const auto* voice = screen.window().findChild<Voice*>();
    return voice ? voice->said() : QStringList{};
}

/// The last phrase a screen said; empty before the first.
QString lastSaid(Screen& screen)
{
    const QStringList all = said(screen);
    return all.isEmpty() ? QString() : all.last();
}

void countDown()
{
    for (int tick = 0; tick < 3; ++tick)
        Form1::get().Timer1_Timer();
}

void answer(const QString& text)
{
    race().Text1->setText(text);
    Form1::get().Command1_Click();
}

} // namespace

class TestSpeech : public QObject
{
    Q_OBJECT

    QTemporaryDir folder;

  private slots:
    void init()
    {
        QVERIFY(folder.isValid());
        QFile::remove(QDir(folder.path()).filePath(QStringLiteral("Progress.txt")));
        playWithRecordsIn(folder.path());
        Form2::get().ExtraTime = false;
        Form1::get().extraTime = false;
    }
    void cleanup() { testing::discardAllScreens(); }

    // The countdown, the first equation, a wrong answer, then right answers with the standing
    // by name when it changed, and the win with the new record.
    void raceSaysEachMomentInOrder()
    {
        launch("+", Loose(5), 15);
        QVERIFY(QTest::qWaitForWindowActive(race().window));
        countDown();
        race().Timer2->setEnabled(false); // the opponent waits: the standing is the player's
        const QString go = QStringLiteral("Go! ") + equationSaid() + ".";
        QTRY_COMPARE_WITH_TIMEOUT(said(Form1::get()), (QStringList{"3", "2", "1", go}), 10000);

        answer(QStringLiteral("-1"));
        const QString wrong = QStringLiteral("Wrong. ") + equationSaid() + ".";
        QTRY_COMPARE_WITH_TIMEOUT(lastSaid(Form1::get()), wrong, 10000);

        answer(answerOnScreen());
        const QString right = QStringLiteral("Right. You 1, Bobby Blue 0. ") + equationSaid() + ".";
        QTRY_COMPARE_WITH_TIMEOUT(lastSaid(Form1::get()), right, 10000);
        // Nothing changed in the standing: the verdict and the equation only.
        Form1::get().Timer3_Timer();
        answer(QStringLiteral("-1"));
        QTRY_COMPARE_WITH_TIMEOUT(lastSaid(Form1::get()),
                                  QStringLiteral("Wrong. ") + equationSaid() + ".", 10000);

        while (race().Text1->isEnabled()) {
            Form1::get().Timer3_Timer();
            answer(answerOnScreen());
        }
        QTRY_COMPARE_WITH_TIMEOUT(
            lastSaid(Form1::get()),
            QStringLiteral(
                "You won! Your highest number for Addition against Bobby Blue is now 6."),
            15000);
        const QStringList all = said(Form1::get());
        QCOMPARE(all.filter(QStringLiteral("percent")), QStringList());
    }

    // The opponent taking the lead and nearing the finish is told; the loss names the winner,
    // wherever the focus is.
    void lossIsToldWithTheWinner()
    {
        launch("-", Loose(5), 35);
        QVERIFY(QTest::qWaitForWindowActive(race().window));
        countDown();
        race().Timer2->setEnabled(false); // the test moves the opponent
        race().Command2->setFocus();
        QTRY_VERIFY_WITH_TIMEOUT(lastSaid(Form1::get()).startsWith("Go! "), 10000);
        for (int tick = 0; tick < 15; ++tick) // 525 twips: one step ahead of the player
            Form1::get().Timer2_Timer();
        QTRY_COMPARE_WITH_TIMEOUT(lastSaid(Form1::get()), QStringLiteral("Ronald Red is ahead."),
                                  10000);
        while (race().Command1->caption() != Form1::Lost())
            Form1::get().Timer2_Timer();
        QTRY_COMPARE_WITH_TIMEOUT(lastSaid(Form1::get()),
                                  QStringLiteral("You lost! Ronald Red got there first."), 10000);
        // News of the same moment as the result gives way to it.
        QVERIFY(!said(Form1::get()).contains(QStringLiteral("Ronald Red is near the finish.")));
        QVERIFY(race().Command2->hasFocus());
    }

    // Extra time halves the opponent's speed and nothing else: the ball, the step, the finish
    // stay; the record a win brings is the same.
    void extraTimeHalvesTheOpponentsSpeed_data()
    {
        QTest::addColumn<int>("opponent");
        QTest::addColumn<bool>("extraTime");
        QTest::addColumn<double>("speed");
        for (int k = 0; k < 3; ++k) {
            const QByteArray name = opponents[k].name;
            QTest::newRow(name + " as designed") << k << false << double(opponents[k].speed);
            QTest::newRow(name + " with extra time") << k << true << opponents[k].speed / 2.0;
        }
    }
    void extraTimeHalvesTheOpponentsSpeed()
    {
        QFETCH(int, opponent);
        QFETCH(bool, extraTime);
        QFETCH(double, speed);
        launch("+", Loose(5), opponents[opponent].speed, extraTime);
        QCOMPARE(Form1::get().enemy_speed.toNumber(), speed);
        QCOMPARE(race().Image3->picture().toImage(), race().Image1[opponent]->picture().toImage());
        countDown();
        const float before = race().Image3->left();
        Form1::get().Timer2_Timer();
        QCOMPARE(double(race().Image3->left() - before), speed);
        QCOMPARE(race().Timer2->interval(), 100);
        double newRecord = 0;
        Form1::get().onWon = [&newRecord](double record) { newRecord = record; };
        Form1::get().Win();
        connectScreens();
        QCOMPARE(newRecord, 6.0);
    }

    // The menu says the pairing's record when it comes up and whenever the pairing changes,
    // and once a run how to get extra time.
    void menuSaysTheRecordOfEachPairing()
    {
        Form2& menu = Form2::get();
        menu.show();
        QVERIFY(QTest::qWaitForWindowActive(menu.ui().window));
        QTRY_COMPARE_WITH_TIMEOUT(said(menu).size(), 2, 10000);
        QCOMPARE(said(menu).first(),
                 QStringLiteral("Addition against Bobby Blue: your highest number is 5."));
        QVERIFY(lastSaid(menu).contains(QStringLiteral("F2")));
        menu.ui().Option1[3]->click();
        menu.ui().Option2[1]->select();
        QTRY_COMPARE_WITH_TIMEOUT(
            lastSaid(menu),
            QStringLiteral("Division against Patty Purple: your highest number is 5."), 10000);
        QCOMPARE(said(menu).filter(QStringLiteral("F2")).size(), 1);
    }

    // F2 on the menu switches extra time, says so, reports it, and the next race has it.
    void f2SwitchesExtraTime()
    {
        Form2& menu = Form2::get();
        menu.show();
        QVERIFY(QTest::qWaitForWindowActive(menu.ui().window));
        QList<bool> reported;
        menu.onExtraTimeChanged = [&reported](bool on) { reported << on; };
        QTest::keyClick(menu.ui().Command1, Qt::Key_F2);
        QVERIFY(menu.ExtraTime);
        QTRY_COMPARE_WITH_TIMEOUT(lastSaid(menu), QStringLiteral("Extra time on."), 10000);
        QTest::keyClick(menu.ui().Command1, Qt::Key_F2);
        QVERIFY(!menu.ExtraTime);
        QTRY_COMPARE_WITH_TIMEOUT(lastSaid(menu), QStringLiteral("Extra time off."), 10000);
        QTest::keyClick(menu.ui().Command1, Qt::Key_F2);
        QCOMPARE(reported, (QList<bool>{true, false, true}));
        menu.onExtraTimeChanged = nullptr;
        QTest::mouseClick(menu.ui().Command1, Qt::LeftButton);
        QVERIFY(Form1::get().isLoaded());
        QCOMPARE(Form1::get().enemy_speed.toNumber(), opponents[0].speed / 2.0);
    }
};

QTEST_MAIN(TestSpeech)
#include "test_speech.moc"
