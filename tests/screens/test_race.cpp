// SPDX-FileCopyrightText: The Numblaze developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "halloffame/form3.h"
#include "menu/form2.h"
#include "race/form1.h"
#include "tests/screens/racing.h"
#include "tests/support.h"

#include <QDir>
#include <QEventLoop>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <cmath>
#include <map>
#include <stdexcept>
#include <sys/wait.h>
#include <unistd.h>

using namespace numblaze;
using namespace numblaze::testing;

namespace
{
const QColor LightGreen(128, 255, 128);
const QColor Red(255, 0, 0);
const QColor Blue(0, 0, 255);

void countDown()
{
    for (int tick = 0; tick < 4; ++tick)
        Form1::get().Timer1_Timer();
}

/// Puts an equation on the labels as Make_Equation would.
void showEquation(const QString& sign, const QString& first, const QString& second)
{
    race().Label3->setCaption(sign);
    race().Label1->setCaption(first);
    race().Label2->setCaption(second);
}

} // namespace

class RaceTest : public QObject
{
    Q_OBJECT

  private slots:
    void init();
    void cleanup();

    void countdownStartsTheRaceOnTheFourthTick();
    void countdownRunsOnItsOwnTimer();
    void opponentFinishesOnItsTick_data();
    void opponentFinishesOnItsTick();
    void opponentPictureFollowsSpeed_data();
    void opponentPictureFollowsSpeed();
    void wonRecordIsSavedAtOnceAndShownOnTheMenu_data();
    void wonRecordIsSavedAtOnceAndShownOnTheMenu();
    void stopDuringCountdownReturnsToAFreshMenu();
    void enterClicksTheStatusButtonWhereverTheFocusIs();

    void equationsStayInRange_data();
    void equationsStayInRange();
    void recordOfOneGivesTheSmallestEquations_data();
    void recordOfOneGivesTheSmallestEquations();
    void sameSeedGivesTheSameRace_data();
    void sameSeedGivesTheSameRace();
    void endValuesComeHalfAsOften();
    void unknownSignLeavesTheLabels();
    void recordsThatWouldDrawForEverAreRefused_data();
    void recordsThatWouldDrawForEverAreRefused();

    void answers_data();
    void answers();
    void pressesAfterTheFinishLeave_data();
    void pressesAfterTheFinishLeave();
    void raceWonByTyping();
    void flashEndsAfterALoss();
    void stopDuringAFlashLeavesNoTimerBehind();

  private:
    QTemporaryDir folder_;
};

void RaceTest::init()
{
    QVERIFY(folder_.isValid());
    // Every race starts from the first records: a win of an earlier test is on disk.
    QFile::remove(QDir(folder_.path()).filePath(QStringLiteral("Progress.txt")));
    playWithRecordsIn(folder_.path());
}

void RaceTest::cleanup()
{
    testing::discardAllScreens();
}

void RaceTest::countdownStartsTheRaceOnTheFourthTick()
{
    launch("+", QStringLiteral("5"));
    Form1Controls& c = race();
    QCOMPARE(c.Command1->caption(), QStringLiteral("3"));
    QVERIFY(!c.Image4[0]->isHidden());
    QVERIFY(c.Image4[1]->isHidden());
    QVERIFY(!c.Text1->isEnabled());
    QCOMPARE(c.window->focusWidget(), c.Command1);

    const QStringList captions = {"2", "1", Form1::Racing};
    for (const QString& caption : captions) {
        QVERIFY(c.Timer1->enabled());
        QVERIFY(!c.Timer2->enabled());
        Form1::get().Timer1_Timer();
        QCOMPARE(c.Command1->caption(), caption);
    }
    QVERIFY(c.Image4[0]->isHidden());
    QVERIFY(!c.Image4[1]->isHidden());
    QVERIFY(!c.Timer1->enabled());
    QVERIFY(c.Timer2->enabled());
    QVERIFY(c.Text1->isEnabled());
    QCOMPARE(c.window->focusWidget(), c.Text1);
    QVERIFY(!c.Label1->caption().isEmpty());
    QVERIFY(!c.Label2->caption().isEmpty());
}

void RaceTest::countdownRunsOnItsOwnTimer()
{
    launch("+", QStringLiteral("5"));
    QCOMPARE(race().Timer1->interval(), 1000);
    QTRY_COMPARE_WITH_TIMEOUT(race().Command1->caption(), QStringLiteral("2"), 3000);
    QTRY_COMPARE_WITH_TIMEOUT(race().Command1->caption(), Form1::Racing, 5000);
    QVERIFY(race().Timer2->enabled());
}

void RaceTest::opponentFinishesOnItsTick_data()
{
    QTest::addColumn<int>("speed");
    QTest::addColumn<int>("ticks");
    QTest::addColumn<float>("left");
    QTest::newRow("Bobby Blue") << 15 << 351 << 5385.0f;
    QTest::newRow("Patty Purple") << 25 << 211 << 5395.0f;
    QTest::newRow("Ronald Red") << 35 << 151 << 5405.0f;
}

void RaceTest::opponentFinishesOnItsTick()
{
    QFETCH(int, speed);
    QFETCH(int, ticks);
    QFETCH(float, left);
    launch("+", QStringLiteral("5"), speed);
    countDown();
    Form1Controls& c = race();
    QCOMPARE(c.Timer2->interval(), 100);
    c.Text1->setText(QStringLiteral("4"));
    for (int tick = 1; tick < ticks; ++tick)
        Form1::get().Timer2_Timer();
    QCOMPARE(c.Command1->caption(), Form1::Racing);
    QVERIFY(c.Image3->left() < Form1::FinishLine);

    Form1::get().Timer2_Timer();
    QCOMPARE(c.Image3->left(), left);
    QCOMPARE(c.Command1->caption(), Form1::Lost);
    QCOMPARE(c.Label1->caption(), QString());
    QCOMPARE(c.Label2->caption(), QString());
    QCOMPARE(c.Text1->text(), QString());
    QVERIFY(!c.Text1->isEnabled());
    QVERIFY(!c.Timer2->enabled());
    QCOMPARE(c.window->backColor(), Red);
    QCOMPARE(Form2::get().ui().Image2->tag(), QString());
}

void RaceTest::opponentPictureFollowsSpeed_data()
{
    QTest::addColumn<int>("speed");
    QTest::addColumn<int>("picture");
    QTest::newRow("15 is blue") << 15 << 0;
    QTest::newRow("25 is purple") << 25 << 1;
    QTest::newRow("35 is red") << 35 << 2;
    QTest::newRow("another speed has none") << 40 << -1;
}

void RaceTest::opponentPictureFollowsSpeed()
{
    QFETCH(int, speed);
    QFETCH(int, picture);
    launch("+", QStringLiteral("5"), speed);
    Form1Controls& c = race();
    if (picture < 0) {
        QVERIFY(c.Image3->picture().isNull());
    } else {
        QVERIFY(!c.Image3->picture().isNull());
        QCOMPARE(c.Image3->picture().toImage(), c.Image1[picture]->picture().toImage());
    }
    // With or without a picture the opponent's ball runs and can win.
    countDown();
    while (c.Command1->caption() == Form1::Racing)
        Form1::get().Timer2_Timer();
    QCOMPARE(c.Command1->caption(), Form1::Lost);
}

// A won race hands its record to the menu, which saves it that moment: the sum is numeric
// whatever the record held, and the menu shows it once the race screen is left.
void RaceTest::wonRecordIsSavedAtOnceAndShownOnTheMenu_data()
{
    QTest::addColumn<QByteArray>("line");
    QTest::addColumn<QString>("record");
    QTest::newRow("the file's text 5") << QByteArray("5") << "6";
    QTest::newRow("the file's text 07") << QByteArray("07") << "8";
    QTest::newRow("blanks around 12") << QByteArray(" 12 ") << "13";
}

void RaceTest::wonRecordIsSavedAtOnceAndShownOnTheMenu()
{
    QFETCH(QByteArray, line);
    QFETCH(QString, record);
    const QString file = QDir(folder_.path()).filePath(QStringLiteral("Progress.txt"));
    // Subtraction against Patty Purple: line 5.
    QByteArray lines = QByteArray("5\r\n").repeated(4) + line + "\r\n" +
                       QByteArray("5\r\n").repeated(7) + "1\r\n1\r\n";
    QVERIFY(put(file, lines));
    Form2& menu = Form2::get();
    menu.show();
    menu.Command1_Click();
    countDown();
    Form1::get().Win();
    QCOMPARE(race().Command1->caption(), Form1::Won());
    QCOMPARE(contents(file).split('\n').at(4), record.toLatin1() + '\r');
    QCOMPARE(contents(file).count('\n'), 14);

    waitForTheResult();
    QTest::keyClick(race().window, Qt::Key_Return);
    QCOMPARE(menu.record(1, 1).toText(), record);
    QCOMPARE(menu.ui().Label3->caption(), QStringLiteral("Your highest number is %1.").arg(record));
}

void RaceTest::stopDuringCountdownReturnsToAFreshMenu()
{
    Form2::get().show();
    const QString recordLabel = Form2::get().ui().Label3->caption();
    Form2::get().Command1_Click();
    QVERIFY(Form2::get().ui().window->isHidden());
    Form1::get().Timer1_Timer();
    QCOMPARE(race().Command1->caption(), QStringLiteral("2"));
    race().Image3->setLeft(900);

    QTest::mouseClick(race().Command2, Qt::LeftButton);
    QVERIFY(!Form1::get().isLoaded());
    QVERIFY(!Form2::get().ui().window->isHidden());
    QCOMPARE(Form2::get().ui().Label3->caption(), recordLabel);
    QCOMPARE(Form2::get().record(0, 0).toText(), QStringLiteral("5"));

    // The next race starts from the design state again.
    Form2::get().Command1_Click();
    Form1Controls& c = race();
    QCOMPARE(c.Command1->caption(), QStringLiteral("3"));
    QCOMPARE(c.Image2->left(), 120.0f);
    QCOMPARE(c.Image3->left(), 120.0f);
    QCOMPARE(c.window->backColor(), LightGreen);
    QVERIFY(c.Timer1->enabled());
}

void RaceTest::enterClicksTheStatusButtonWhereverTheFocusIs()
{
    launch("+", QStringLiteral("5"));
    countDown();
    Form1Controls& c = race();
    showEquation("+", "7", "5");
    c.Text1->setText(QStringLiteral("12"));
    // Enter on the stop button sends the answer; it does not leave the race.
    c.Command2->setFocus();
    QTest::keyClick(c.Command2, Qt::Key_Return);
    QVERIFY(Form1::get().isLoaded());
    QCOMPARE(c.Image2->left(), 600.0f);
    // Escape does nothing on the race screen.
    QTest::keyClick(c.Text1, Qt::Key_Escape);
    QVERIFY(Form1::get().isLoaded());
    QVERIFY(c.window->isVisible());
}

void RaceTest::equationsStayInRange_data()
{
    QTest::addColumn<QString>("sign");
    QTest::addColumn<Loose>("highest");
    for (const char* sign : {"+", "-", "*", "/"}) {
        QTest::addRow("%s 1", sign) << sign << Loose(1);
        QTest::addRow("%s text 5", sign) << sign << Loose(QStringLiteral("5"));
        QTest::addRow("%s 94906265", sign) << sign << Loose(94906265);
    }
}

void RaceTest::equationsStayInRange()
{
    QFETCH(QString, sign);
    QFETCH(Loose, highest);
    launch(sign, highest);
    Form1::get().randomSource().seed(1234.5);
    const double h = highest.toNumber();
    for (int i = 0; i < 3000; ++i) {
        Form1::get().Make_Equation();
        bool ok1 = false;
        bool ok2 = false;
        const double a = race().Label1->caption().toDouble(&ok1);
        const double b = race().Label2->caption().toDouble(&ok2);
        QVERIFY(ok1 && ok2);
        QCOMPARE(Loose::plainText(a), race().Label1->caption());
        QCOMPARE(Loose::plainText(b), race().Label2->caption());
        QVERIFY(a == std::floor(a) && b == std::floor(b));
        if (sign == "/") {
            QVERIFY(b >= 1 && b <= h);
            QCOMPARE(std::fmod(a, b), 0.0);
            QVERIFY(a / b <= h);
        } else {
            QVERIFY(a >= 0 && a <= h && b >= 0 && b <= h);
        }
        if (sign == "-")
            QVERIFY(a >= 1 && b <= a);
    }
}

void RaceTest::recordOfOneGivesTheSmallestEquations_data()
{
    QTest::addColumn<QString>("sign");
    QTest::addColumn<QStringList>("equations");
    QTest::newRow("+") << "+" << QStringList{"0 0", "0 1", "1 0", "1 1"};
    QTest::newRow("-") << "-" << QStringList{"1 0", "1 1"};
    QTest::newRow("/") << "/" << QStringList{"0 1", "1 1"};
}

void RaceTest::recordOfOneGivesTheSmallestEquations()
{
    QFETCH(QString, sign);
    QFETCH(QStringList, equations);
    launch(sign, Loose(1));
    Form1::get().randomSource().seed(99.0);
    QSet<QString> seen;
    for (int i = 0; i < 400; ++i) {
        Form1::get().Make_Equation();
        seen.insert(race().Label1->caption() + " " + race().Label2->caption());
    }
    QCOMPARE(seen, QSet<QString>(equations.begin(), equations.end()));
}

void RaceTest::sameSeedGivesTheSameRace_data()
{
    QTest::addColumn<QString>("sign");
    QTest::newRow("addition") << "+";
    QTest::newRow("subtraction") << "-";
    QTest::newRow("multiplication") << "*";
    QTest::newRow("division") << "/";
}

// A race's equations follow from its seed alone, so a seeded test race is the same every time.
void RaceTest::sameSeedGivesTheSameRace()
{
    QFETCH(QString, sign);
    auto equations = [&](double seed) {
        launch(sign, Loose(9));
        Form1::get().randomSource().seed(seed);
        QStringList shown;
        for (int i = 0; i < 50; ++i) {
            Form1::get().Make_Equation();
            shown << race().Label1->caption() + sign + race().Label2->caption();
        }
        testing::discardAllScreens();
        return shown;
    };
    const QStringList first = equations(7.0);
    QCOMPARE(equations(7.0), first);
    QVERIFY(equations(8.0) != first);
}

void RaceTest::endValuesComeHalfAsOften()
{
    // Rounding r x 4 gives 0 and 4 each from an eighth of [0, 1), the others from a quarter.
    launch("+", Loose(4));
    Form1::get().randomSource().seed(2024.0);
    std::map<QString, int> counts;
    const int equations = 20000;
    for (int i = 0; i < equations; ++i) {
        Form1::get().Make_Equation();
        ++counts[race().Label1->caption()];
        ++counts[race().Label2->caption()];
    }
    const double middle = (counts["1"] + counts["2"] + counts["3"]) / 3.0;
    QVERIFY2(std::abs(middle / (2.0 * equations) - 0.25) < 0.01,
             qPrintable(QString::number(middle)));
    for (const char* end : {"0", "4"}) {
        const double ratio = counts[end] / middle;
        QVERIFY2(ratio > 0.45 && ratio < 0.55, qPrintable(QString("%1: %2").arg(end).arg(ratio)));
    }
}

void RaceTest::unknownSignLeavesTheLabels()
{
    launch("x", QStringLiteral("5"));
    showEquation("x", "3", "4");
    Form1::get().Make_Equation();
    QCOMPARE(race().Label1->caption(), QStringLiteral("3"));
    QCOMPARE(race().Label2->caption(), QStringLiteral("4"));
}

void RaceTest::recordsThatWouldDrawForEverAreRefused_data()
{
    QTest::addColumn<QString>("sign");
    QTest::addColumn<double>("highest");
    QTest::addColumn<QString>("outcome");
    // Subtraction needs a first operand of at least 1, division a divisor other than 0; just
    // above one half the largest random value still rounds to 1.
    QTest::newRow("- 0.5") << "-" << 0.5 << "refused";
    QTest::newRow("- 0.5000001") << "-" << 0.5000001 << "equation";
    QTest::newRow("- 0") << "-" << 0.0 << "refused";
    QTest::newRow("- -3") << "-" << -3.0 << "refused";
    QTest::newRow("/ 0.5") << "/" << 0.5 << "refused";
    QTest::newRow("/ -0.5") << "/" << -0.5 << "refused";
    QTest::newRow("/ 0.5000001") << "/" << 0.5000001 << "equation";
    QTest::newRow("/ -3") << "/" << -3.0 << "equation";
    QTest::newRow("/ -0.5000001") << "/" << -0.5000001 << "equation";
}

void RaceTest::recordsThatWouldDrawForEverAreRefused()
{
    QFETCH(QString, sign);
    QFETCH(double, highest);
    QFETCH(QString, outcome);
    launch(sign, Loose(highest));
    // In a child process, so that a record the guard lets through and that then draws for ever
    // fails the test instead of hanging it.
    const pid_t child = fork();
    if (child == 0) {
        alarm(20);
        try {
            Form1::get().Make_Equation();
        } catch (const std::domain_error&) {
            _exit(2);
        }
        _exit(0);
    }
    int status = 0;
    QCOMPARE(waitpid(child, &status, 0), child);
    const QString seen = WIFSIGNALED(status)        ? QStringLiteral("draws for ever")
                         : WEXITSTATUS(status) == 2 ? QStringLiteral("refused")
                                                    : QStringLiteral("equation");
    QCOMPARE(seen, outcome);
}

void RaceTest::answers_data()
{
    QTest::addColumn<QString>("sign");
    QTest::addColumn<QString>("first");
    QTest::addColumn<QString>("second");
    QTest::addColumn<QString>("answer");
    QTest::addColumn<QString>("outcome"); // right, wrong, not a number, nothing
    QTest::newRow("12 for 7 + 5") << "+"
                                  << "7"
                                  << "5"
                                  << "12"
                                  << "right";
    QTest::newRow("blanks around 12") << "+"
                                      << "7"
                                      << "5"
                                      << " 12 "
                                      << "right";
    QTest::newRow("11 for 7 + 5") << "+"
                                  << "7"
                                  << "5"
                                  << "11"
                                  << "wrong";
    QTest::newRow("letters") << "+"
                             << "7"
                             << "5"
                             << "twelve"
                             << "not a number";
    QTest::newRow("empty box") << "+"
                               << "7"
                               << "5"
                               << ""
                               << "nothing";
    QTest::newRow("3 for 6 / 2") << "/"
                                 << "6"
                                 << "2"
                                 << "3"
                                 << "right";
    QTest::newRow("0 for 0 - 0") << "-"
                                 << "0"
                                 << "0"
                                 << "0"
                                 << "right";
    QTest::newRow("-0 for 0 - 0") << "-"
                                  << "0"
                                  << "0"
                                  << "-0"
                                  << "right";
    QTest::newRow("4 for 9 - 5") << "-"
                                 << "9"
                                 << "5"
                                 << "4"
                                 << "right";
    QTest::newRow("42 for 6 * 7") << "*"
                                  << "6"
                                  << "7"
                                  << "42"
                                  << "right";
    QTest::newRow("0 for 0 / 3") << "/"
                                 << "0"
                                 << "3"
                                 << "0"
                                 << "right";
    QTest::newRow("2.0 for 1 + 1") << "+"
                                   << "1"
                                   << "1"
                                   << "2.0"
                                   << "right";
    QTest::newRow("long number") << "+"
                                 << "7"
                                 << "5"
                                 << "1" + QString(300, '0') << "wrong";
    QTest::newRow("very long paste") << "+"
                                     << "7"
                                     << "5" << QString(100000, '1') << "not a number";
    // A number in the digits of another script is that number; figures that are no decimal
    // digits (superscripts) are no number.
    QTest::newRow("digits of another script")
        << "+"
        << "7"
        << "5" << QString::fromUtf8("\u0661\u0662") << "right";
    QTest::newRow("superscript figures")
        << "+"
        << "7"
        << "5" << QString::fromUtf8("\u00B9\u00B2") << "not a number";
    QTest::newRow("1e999") << "+"
                           << "7"
                           << "5"
                           << "1e999"
                           << "not a number";
    QTest::newRow("NaN") << "+"
                         << "7"
                         << "5"
                         << "NaN"
                         << "not a number";
    QTest::newRow("inf") << "+"
                         << "7"
                         << "5"
                         << "inf"
                         << "not a number";
    QTest::newRow("nul inside") << "+"
                                << "7"
                                << "5" << QString::fromLatin1("1\0002", 3) << "not a number";
}

void RaceTest::answers()
{
    QFETCH(QString, sign);
    QFETCH(QString, first);
    QFETCH(QString, second);
    QFETCH(QString, answer);
    QFETCH(QString, outcome);
    launch(sign, Loose(100000));
    countDown();
    Form1::get().randomSource().seed(5.0);
    Form1Controls& c = race();
    showEquation(sign, first, second);
    c.Text1->setText(answer);
    c.Command1->setFocus(); // as after a click on the status button
    Form1::get().Command1_Click();

    const bool right = outcome == "right";
    const bool flashed = outcome == "wrong" || outcome == "not a number";
    QCOMPARE(c.Image2->left(), right ? 600.0f : 120.0f);
    QCOMPARE(c.window->backColor(), flashed ? Red : LightGreen);
    QCOMPARE(c.Timer3->enabled(), flashed);
    QCOMPARE(c.Text1->text(), right ? QString() : answer);
    QWidget* focused = outcome == "not a number" ? static_cast<QWidget*>(c.Text1) : c.Command1;
    QCOMPARE(c.window->focusWidget(), focused);
    if (right) // a new equation, drawn from a record too large to repeat the old one
        QVERIFY(c.Label1->caption() + c.Label2->caption() != first + second);
    if (flashed) {
        Form1::get().Timer3_Timer();
        QCOMPARE(c.window->backColor(), LightGreen);
        QCOMPARE(c.Text1->text(), QString());
        QVERIFY(!c.Timer3->enabled());
    }
    QCOMPARE(c.Command1->caption(), Form1::Racing);
}

void RaceTest::pressesAfterTheFinishLeave_data()
{
    QTest::addColumn<bool>("won");
    QTest::addColumn<bool>("afterTheResult");
    QTest::newRow("at a win") << true << false;
    QTest::newRow("after a win") << true << true;
    QTest::newRow("at a loss") << false << false;
    QTest::newRow("after a loss") << false << true;
}

// Enter leaves a finished race, whatever the box holds, once the result has been shown for a
// moment: an Enter that meant to send the last answer as the race ended does not take the
// result away before the player has seen it.
void RaceTest::pressesAfterTheFinishLeave()
{
    QFETCH(bool, won);
    QFETCH(bool, afterTheResult);
    launch("+", QStringLiteral("5"), 35);
    countDown();
    if (won)
        Form1::get().Win();
    else
        while (race().Command1->caption() == Form1::Racing)
            Form1::get().Timer2_Timer();
    if (afterTheResult)
        waitForTheResult();
    else
        QTest::qWait(Form1::ResultShownMs - 500);
    race().Text1->setText(QStringLiteral("99"));
    QTest::keyClick(race().window, Qt::Key_Return);
    QCOMPARE(Form1::get().isLoaded(), !afterTheResult);
    QCOMPARE(Form2::get().ui().window->isVisible(), afterTheResult);
}

void RaceTest::raceWonByTyping()
{
    Form2::get().show();
    Form2::get().ui().Option1[2]->select();
    Form2::get().Command1_Click();
    countDown();
    Form1::get().randomSource().seed(31.0);
    Form1Controls& c = race();
    for (int answer = 1; answer <= 11; ++answer) {
        QCOMPARE(c.Command1->caption(), Form1::Racing);
        typeAndEnter(answerOnScreen());
        QCOMPARE(c.Image2->left(), float(120 + 480 * answer));
        QCOMPARE(c.Text1->text(), QString());
    }
    QCOMPARE(c.Command1->caption(), Form1::Won);
    QCOMPARE(c.window->backColor(), Blue);
    QCOMPARE(c.Label1->caption(), QString()); // no new equation after the winning answer
    QCOMPARE(Form2::get().ui().Image2->tag(), QStringLiteral("6"));

    waitForTheResult();
    QTest::keyClick(c.window, Qt::Key_Return);
    QVERIFY(!Form1::get().isLoaded());
    QVERIFY(Form2::get().ui().window->isVisible());
    QCOMPARE(Form2::get().record(2, 0).toText(), QStringLiteral("6"));
    QCOMPARE(Form2::get().ui().Image2->tag(), QString());
}

void RaceTest::flashEndsAfterALoss()
{
    launch("+", QStringLiteral("5"), 35);
    countDown();
    Form1Controls& c = race();
    for (int tick = 1; tick < 151; ++tick)
        Form1::get().Timer2_Timer();
    showEquation("+", "7", "5");
    c.Text1->setText(QStringLiteral("13"));
    Form1::get().Command1_Click();
    QCOMPARE(c.window->backColor(), Red);
    Form1::get().Timer2_Timer();
    QCOMPARE(c.Command1->caption(), Form1::Lost);
    QCOMPARE(c.window->backColor(), Red);
    // The pending flash reset does not look at the phase.
    Form1::get().Timer3_Timer();
    QCOMPARE(c.window->backColor(), LightGreen);
    QCOMPARE(c.Command1->caption(), Form1::Lost);
}

// A wrong answer's flash is still pending when the player stops the race. The screen's window is
// deleted later; a nested event loop before then must not tick the flash's end on a screen that
// is gone (it used to crash here).
void RaceTest::stopDuringAFlashLeavesNoTimerBehind()
{
    Form2::get().show();
    Form2::get().Command1_Click();
    countDown();
    showEquation("+", "7", "5");
    typeAndEnter(QStringLiteral("13"));
    QVERIFY(race().Timer3->enabled());
    // Stop is clicked from the game's message loop, as a player clicks it; a message box or any
    // other nested loop then runs before that loop gets back to deleting the window.
    QEventLoop game;
    QTimer::singleShot(0, &game, [&] {
        QTest::mouseClick(race().Command2, Qt::LeftButton);
        QEventLoop nested;
        QTimer::singleShot(300, &nested, &QEventLoop::quit);
        nested.exec();
        game.quit();
    });
    game.exec();
    QVERIFY(!Form1::get().isLoaded());
    QVERIFY(Form2::get().ui().window->isVisible());
}

QTEST_MAIN(RaceTest)
#include "test_race.moc"
