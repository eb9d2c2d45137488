// SPDX-FileCopyrightText: The Numblaze developers
// SPDX-License-Identifier: GPL-3.0-or-later

// Listening time: a race a screen reader says gives the player the time the reader takes. The
// countdown waits for the reader, each number with its tone; the opponent's clock stands still
// while each equation is said; the result is heard before the race can be left. A race
// without it keeps the designed clock.

#include "race/form1.h"
#include "tests/screens/racing.h"
#include "tests/support.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

using namespace numblaze;
using namespace numblaze::testing;

namespace
{
/// Stands in for the sound device: writes down when each cue would be heard.
class Recording : public SoundOutput
{
  public:
    Recording(QList<std::pair<qint64, Cue>>& heard, const QElapsedTimer& clock)
        : heard_(heard), clock_(clock)
    {
    }
    void play(SoundCue cue) override { heard_.append({clock_.elapsed(), cue.cue}); }

  private:
    QList<std::pair<qint64, Cue>>& heard_;
    const QElapsedTimer& clock_;
};

Voice& voice()
{
    return *race().window->findChild<Voice*>();
}

QString lastSaid()
{
    const QStringList said = voice().said();
    return said.isEmpty() ? QString() : said.last();
}

} // namespace

class TestListening : public QObject
{
    Q_OBJECT

    QTemporaryDir folder_;
    QElapsedTimer clock_;
    QList<std::pair<qint64, Cue>> cues_;
    QList<std::pair<qint64, QString>> said_;
    Sounds sounds_;

    /// Launches a race with listening time, and hears what it says and sounds, and when.
    void launchListening(const QString& sign, int speed)
    {
        Form1::get().listeningTime = true;
        Form1::get().useSounds(&sounds_);
        launch(sign, Loose(5), speed);
        voice().speak = [this](const QString& phrase) { said_.append({clock_.elapsed(), phrase}); };
        QVERIFY(QTest::qWaitForWindowActive(race().window));
    }

    /// Counts down as the timer does once the reader has said "3", and waits until the
    /// equation after "Go!" has been said.
    void startTheRace()
    {
        QTRY_VERIFY_WITH_TIMEOUT(race().Timer1->enabled(), Patience);
        race().Timer1->setEnabled(false); // the test ticks
        for (int tick = 0; tick < 3; ++tick)
            Form1::get().Timer1_Timer();
        QTRY_VERIFY_WITH_TIMEOUT(race().Timer2->enabled(), Patience);
    }

  private slots:
    void initTestCase()
    {
        QVERIFY(folder_.isValid());
        sounds_.setOutput(std::make_unique<Recording>(cues_, clock_));
    }
    void init()
    {
        QFile::remove(QDir(folder_.path()).filePath(QStringLiteral("Progress.txt")));
        playWithRecordsIn(folder_.path());
        cues_.clear();
        said_.clear();
        clock_.start();
    }
    void cleanup()
    {
        Form1::get().listeningTime = false;
        Form1::get().useSounds(nullptr);
        discardAllScreens();
    }

    // The answer box has the focus from the start, so the reader names nothing in the middle
    // of the countdown, which starts once the reader has named the window and the box; each
    // number's tone comes as the number is said.
    void countdownWaitsForTheReader()
    {
        launchListening("+", 15);
        QCOMPARE(race().window->focusWidget(), race().Text1);
        QVERIFY(race().Text1->isEnabled());
        QVERIFY(!race().Timer1->enabled());
        QCOMPARE(race().Command1->caption(), QStringLiteral("3"));
        const qint64 active = clock_.elapsed();
        QTRY_VERIFY_WITH_TIMEOUT(race().Timer1->enabled(), Patience);
        QVERIFY(clock_.elapsed() - active >=
                Voice::namingTime(race().window) + Voice::namingTime(race().Text1));
        race().Timer1->setEnabled(false); // the test ticks
        Form1::get().Timer1_Timer();
        Form1::get().Timer1_Timer();
        QTRY_COMPARE_WITH_TIMEOUT(said_.size(), 3, Patience);
        QCOMPARE(cues_.size(), 3);
        for (int k = 0; k < 3; ++k) {
            QCOMPARE(said_[k].second, QString::number(3 - k));
            QCOMPARE(cues_[k].second, Cue::Countdown);
            QVERIFY2(std::abs(cues_[k].first - said_[k].first) <= 20,
                     qPrintable(QStringLiteral("tone at %1 ms, number at %2 ms")
                                    .arg(cues_[k].first)
                                    .arg(said_[k].first)));
        }
    }

    // The opponent's clock stands still from go until the first equation has been said, and
    // from each answer until the next equation has been said after the reader's echo of Enter;
    // the ball does not move meanwhile.
    void opponentWaitsWhileThePlayerListens()
    {
        launchListening("+", 35);
        QTRY_VERIFY_WITH_TIMEOUT(race().Timer1->enabled(), Patience);
        race().Timer1->setEnabled(false);
        for (int tick = 0; tick < 3; ++tick)
            Form1::get().Timer1_Timer();
        const qint64 go = clock_.elapsed();
        QVERIFY(!race().Timer2->enabled());
        QTRY_VERIFY_WITH_TIMEOUT(race().Timer2->enabled(), Patience);
        QVERIFY(lastSaid().startsWith(QStringLiteral("Go! ")));
        QVERIFY(clock_.elapsed() - go >= Voice::speakingTime(lastSaid()));
        QVERIFY(race().Image3->left() == Form1::StartLine);

        for (const bool right : {true, false}) {
            QTest::qWait(300); // the player thinks, and the opponent runs
            const float moved = race().Image3->left();
            QVERIFY(moved > Form1::StartLine);
            const qint64 enter = clock_.elapsed();
            typeAndEnter(right ? answerOnScreen() : answerOnScreen() + "1");
            QVERIFY(!race().Timer2->enabled());
            QTRY_VERIFY_WITH_TIMEOUT(race().Timer2->enabled(), Patience);
            const qint64 listened = clock_.elapsed() - enter;
            QVERIFY2(listened >= Voice::speakingTime(QStringLiteral("Return")) +
                                     Voice::speakingTime(lastSaid()),
                     qPrintable(QStringLiteral("%1 ms for %2").arg(listened).arg(lastSaid())));
            QCOMPARE(race().Image3->left(), moved);
            Form1::get().Timer3_Timer();
        }
    }

    // A key the player presses while an equation is said stops the reader: the player heard
    // enough, and the opponent goes on at once.
    void aKeyEndsTheListening()
    {
        launchListening("+", 35);
        startTheRace();
        typeAndEnter(answerOnScreen());
        QTRY_VERIFY_WITH_TIMEOUT(voice().isSaying(), Patience);
        QTest::qWait(Voice::ReaderDelay + 100); // the reader has begun the equation
        QVERIFY(!race().Timer2->enabled());
        QTest::keyClick(race().Text1, Qt::Key_1);
        QVERIFY(race().Timer2->enabled());
    }

    // Without listening time the opponent's clock runs from go without a break, answers
    // included: a tick of the opponent every 100 ms of the race.
    void aRaceWithoutListeningTimeKeepsItsClock()
    {
        launch("+", Loose(5), 35);
        QVERIFY(!Form1::get().listeningTime);
        for (int tick = 0; tick < 3; ++tick)
            Form1::get().Timer1_Timer();
        QElapsedTimer raced;
        raced.start();
        QVERIFY(race().Timer2->enabled());
        for (int answer = 0; answer < 6; ++answer) {
            QTest::qWait(250);
            typeAndEnter(answer % 2 ? answerOnScreen() : answerOnScreen() + "1");
            QVERIFY(race().Timer2->enabled());
            Form1::get().Timer3_Timer();
        }
        const double ticks = (race().Image3->left() - Form1::StartLine) / 35.0;
        const double expected = raced.elapsed() / 100.0;
        QVERIFY2(std::abs(ticks - expected) <= 3,
                 qPrintable(QStringLiteral("%1 ticks in %2 ms").arg(ticks).arg(raced.elapsed())));
    }

    // The result is said before the focus leaves the answer box; an Enter before it has been
    // said does not leave the race (and cuts the reader off, so it is said again); once it
    // has been said the box closes, the status button has the focus, and Enter leaves.
    void resultIsHeardBeforeTheRaceCanBeLeft()
    {
        launchListening("-", 35);
        startTheRace();
        race().Timer2->setEnabled(false); // the test moves the opponent
        while (race().Command1->caption() == Form1::Racing)
            Form1::get().Timer2_Timer();
        const QString result = QStringLiteral("You lost! Ronald Red got there first.");
        QTRY_COMPARE_WITH_TIMEOUT(lastSaid(), result, Patience);
        QCOMPARE(race().window->focusWidget(), race().Text1);
        QVERIFY(race().Text1->isEnabled());
        QTest::qWait(Form1::ResultShownMs + 100);
        QVERIFY(voice().isSaying());
        QTest::keyClick(race().Text1, Qt::Key_Return);
        QVERIFY(Form1::get().isLoaded());
        QTRY_COMPARE_WITH_TIMEOUT(voice().said().filter(result).size(), 2, Patience);
        QTRY_VERIFY_WITH_TIMEOUT(!race().Text1->isEnabled(), Patience);
        QCOMPARE(race().window->focusWidget(), race().Command1);
        QTest::keyClick(race().Command1, Qt::Key_Return);
        QVERIFY(!Form1::get().isLoaded());
    }
};

QTEST_MAIN(TestListening)
#include "test_listening.moc"
