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

/// Steps a ball has come from the start.
int stepsOf(const Image* ball)
{
    return int((ball->left() - Form1::StartLine) / 480);
}

/// Takes the sounds the race asks for, so that the race knows they are heard.
class Silence : public SoundOutput
{
  public:
    void play(SoundCue) override {}
};

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

    // The countdown, the first equation, then each answer's verdict with the next equation: a
    // right one by its chime when the sound is heard, in words when it is not; what changed in
    // the race (the player took the lead) before the equation; the win with the new record.
    void raceSaysEachMomentInOrder_data()
    {
        QTest::addColumn<bool>("soundHeard");
        QTest::newRow("sound heard") << true;
        QTest::newRow("sound off") << false;
    }
    void raceSaysEachMomentInOrder()
    {
        QFETCH(bool, soundHeard);
        Sounds sounds;
        sounds.setOutput(std::make_unique<Silence>());
        Form1::get().useSounds(soundHeard ? &sounds : nullptr);
        launch("+", Loose(5), 15);
        QVERIFY(QTest::qWaitForWindowActive(race().window));
        countDown();
        race().Timer2->setEnabled(false); // the opponent waits: the lead is the player's
        const QString go = QStringLiteral("Go! ") + equationSaid() + ".";
        QTRY_COMPARE_WITH_TIMEOUT(said(Form1::get()), (QStringList{"3", "2", "1", go}), 10000);
        const QString right = soundHeard ? QString() : QStringLiteral("Right. ");

        answer(QStringLiteral("-1"));
        QTRY_COMPARE_WITH_TIMEOUT(lastSaid(Form1::get()),
                                  QStringLiteral("Wrong. ") + equationSaid() + ".", 10000);
        Form1::get().Timer3_Timer();
        answer(answerOnScreen());
        QTRY_COMPARE_WITH_TIMEOUT(lastSaid(Form1::get()),
                                  right + QStringLiteral("You are ahead. ") + equationSaid() + ".",
                                  10000);
        // Nothing changed in the race: the verdict and the equation only.
        answer(QStringLiteral("-1"));
        QTRY_COMPARE_WITH_TIMEOUT(lastSaid(Form1::get()),
                                  QStringLiteral("Wrong. ") + equationSaid() + ".", 10000);
        Form1::get().Timer3_Timer();
        answer(answerOnScreen());
        QTRY_COMPARE_WITH_TIMEOUT(lastSaid(Form1::get()), right + equationSaid() + ".", 10000);

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
        Form1::get().useSounds(nullptr);
    }

    // While the player thinks nothing is said, whatever the opponent does: the opponent taking
    // the lead and nearing the finish comes with the next equation, once. The loss names the
    // winner, wherever the focus is, and no equation comes after it.
    void nothingIsSaidWhileThePlayerThinks()
    {
        launch("-", Loose(5), 35);
        QVERIFY(QTest::qWaitForWindowActive(race().window));
        countDown();
        race().Timer2->setEnabled(false); // the test moves the opponent
        QTRY_VERIFY_WITH_TIMEOUT(lastSaid(Form1::get()).startsWith("Go! "), 10000);
        const qsizetype toldBefore = said(Form1::get()).size();
        while (stepsOf(race().Image3) < Form1::StepsToFinish - 2)
            Form1::get().Timer2_Timer();
        QTest::qWait(3000);
        QCOMPARE(said(Form1::get()).size(), toldBefore);

        answer(answerOnScreen());
        QTRY_COMPARE_WITH_TIMEOUT(lastSaid(Form1::get()),
                                  QStringLiteral("Right. Ronald Red is ahead. Ronald Red is near "
                                                 "the finish. ") +
                                      equationSaid() + ".",
                                  10000);
        answer(answerOnScreen());
        QTRY_COMPARE_WITH_TIMEOUT(lastSaid(Form1::get()),
                                  QStringLiteral("Right. ") + equationSaid() + ".", 10000);
        race().Command2->setFocus();
        answer(answerOnScreen()); // its equation is still waiting as the race ends
        while (race().Command1->caption() != Form1::Lost())
            Form1::get().Timer2_Timer();
        QTRY_COMPARE_WITH_TIMEOUT(lastSaid(Form1::get()),
                                  QStringLiteral("You lost! Ronald Red got there first."), 10000);
        QTest::qWait(500);
        QCOMPARE(lastSaid(Form1::get()), QStringLiteral("You lost! Ronald Red got there first."));
        QVERIFY(race().Command2->hasFocus());
    }

    // F3 in a race says the standing, in the player's steps, whenever the player asks.
    void standingIsToldWhenAsked()
    {
        launch("+", Loose(5), 15);
        QVERIFY(QTest::qWaitForWindowActive(race().window));
        countDown();
        race().Timer2->setEnabled(false);
        for (int tick = 0; tick < 40; ++tick) // 600 twips: one step
            Form1::get().Timer2_Timer();
        QTRY_VERIFY_WITH_TIMEOUT(lastSaid(Form1::get()).startsWith("Go! "), 10000);
        QTest::keyClick(race().Text1, Qt::Key_F3);
        QTRY_COMPARE_WITH_TIMEOUT(lastSaid(Form1::get()), QStringLiteral("You 0, Bobby Blue 1."),
                                  10000);
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
    // then once a run each hint about the keys.
    void menuSaysTheRecordOfEachPairing()
    {
        Form2& menu = Form2::get();
        menu.show();
        QVERIFY(QTest::qWaitForWindowActive(menu.ui().window));
        QTRY_COMPARE_WITH_TIMEOUT(said(menu).size(), 4, 30000);
        QCOMPARE(said(menu),
                 (QStringList{"Addition against Bobby Blue: your highest number is 5.",
                              "For extra time, press F2: the opponents go at half speed.",
                              "In a race, press F3 to hear the standing.",
                              "For listening time, press F4: the opponent waits while you hear "
                              "each sum."}));
        menu.ui().Option1[3]->click();
        menu.ui().Option2[1]->select();
        QTRY_COMPARE_WITH_TIMEOUT(
            lastSaid(menu),
            QStringLiteral("Division against Patty Purple: your highest number is 5."), 20000);
        QCOMPARE(said(menu).filter(QStringLiteral("F2")).size(), 1);
    }

    // Back on the menu the record is always said, before the hints still owed; a hint already
    // begun is not said again.
    void menuSaysTheRecordWhenShownAgain()
    {
        Form2& menu = Form2::get();
        menu.show();
        QVERIFY(QTest::qWaitForWindowActive(menu.ui().window));
        const QString record = QStringLiteral("Addition against Bobby Blue: your highest number "
                                              "is 5.");
        QTRY_COMPARE_WITH_TIMEOUT(said(menu).size(), 2, 30000); // the record, the first hint
        menu.Command1_Click();                                  // Race! before the other hints
        Form1::get().Command2_Click();
        QVERIFY(QTest::qWaitForWindowActive(menu.ui().window));
        QTRY_COMPARE_WITH_TIMEOUT(said(menu).size(), 5, 30000);
        QCOMPARE(said(menu).mid(2),
                 (QStringList{record, "In a race, press F3 to hear the standing.",
                              "For listening time, press F4: the opponent "
                              "waits while you hear each sum."}));
        QCOMPARE(said(menu).at(0), record);
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

    // F4 on the menu switches listening time, says so, reports it, and the next race has it;
    // without a choice, no screen reader found, it is off.
    void f4SwitchesListeningTime()
    {
        Form2& menu = Form2::get();
        menu.ListeningTime.reset();
        menu.show();
        QVERIFY(QTest::qWaitForWindowActive(menu.ui().window));
        QVERIFY(!menu.listeningTimeIsOn());
        QList<bool> reported;
        menu.onListeningTimeChanged = [&reported](bool on) { reported << on; };
        QTest::keyClick(menu.ui().Command1, Qt::Key_F4);
        QCOMPARE(menu.ListeningTime, std::optional<bool>(true));
        QTRY_COMPARE_WITH_TIMEOUT(lastSaid(menu), QStringLiteral("Listening time on."), 10000);
        QTest::mouseClick(menu.ui().Command1, Qt::LeftButton);
        QVERIFY(Form1::get().listeningTime);
        Form1::get().Command2_Click();
        QTest::keyClick(menu.ui().Command1, Qt::Key_F4);
        QTRY_COMPARE_WITH_TIMEOUT(lastSaid(menu), QStringLiteral("Listening time off."), 10000);
        QCOMPARE(reported, (QList<bool>{true, false}));
        menu.onListeningTimeChanged = nullptr;
        QTest::mouseClick(menu.ui().Command1, Qt::LeftButton);
        QVERIFY(!Form1::get().listeningTime);
        menu.ListeningTime.reset();
    }
};

QTEST_MAIN(TestSpeech)
#include "test_speech.moc"
