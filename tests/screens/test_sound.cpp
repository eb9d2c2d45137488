// SPDX-FileCopyrightText: The Numblaze developers
// SPDX-License-Identifier: GPL-3.0-or-later

// Which sound each moment of the game asks for, in order, heard through the game's own sound
// interface with a recording in place of the sound device; the M key and --mute. (The sound
// files themselves are measured in tests/unit/test_soundfiles.cpp.)

#include "app/commandline.h"
#include "app/gamesounds.h"
#include "app/settings.h"
#include "tests/screens/racing.h"
#include "tests/support.h"
#include "widgets/sound.h"
#include "widgets/voice.h"

#include <QDir>
#include <QElapsedTimer>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>
#include <map>

using namespace numblaze;
using namespace numblaze::testing;

namespace
{
using Cues = QList<SoundCue>;

/// Stands in for the sound device: writes down every cue that would be heard, and for how long
/// the sounds were last asked to make room for a phrase.
class Recording : public SoundOutput
{
  public:
    explicit Recording(Cues& heard, int* duckedMs = nullptr) : heard_(heard), duckedMs_(duckedMs) {}
    void play(SoundCue cue) override { heard_.append(cue); }
    void duckFor(int ms) override
    {
        if (duckedMs_)
            *duckedMs_ = ms;
    }

  private:
    Cues& heard_;
    int* duckedMs_;
};

/// The menu shown, then a race against the opponent of that speed with record `highest`, up to
/// the start; the real timers are left to the test (none of them ticks while it runs).
void raceUpToTheStart(int speed, int highest)
{
    Form2::get().show();
    Form1& form = Form1::get();
    form.enemy_speed = speed;
    form.ui().Label3->setCaption(QStringLiteral("+"));
    form.Highest = highest;
    form.show();
    for (int tick = 0; tick < 3; ++tick)
        form.Timer1_Timer();
}

Cues countdown()
{
    return {{Cue::Countdown}, {Cue::Countdown}, {Cue::Countdown}, {Cue::Go}};
}

/// Answers rightly on the race screen.
void answerRightly()
{
    typeAndEnter(answerOnScreen());
}

bool isSilentFor(Cues& heard, const std::function<void()>& action)
{
    const qsizetype before = heard.size();
    action();
    return heard.size() == before;
}

} // namespace

namespace QTest
{
template <> char* toString(const SoundCue& cue)
{
    return qstrdup(qPrintable(QStringLiteral("%1/%2").arg(soundFile(cue)).arg(cue.step)));
}
} // namespace QTest

class SoundTest : public QObject
{
    Q_OBJECT

  private slots:
    void initTestCase();
    void init();
    void cleanup();

    void raceWonWithOneWrongAnswer_data();
    void raceWonWithOneWrongAnswer();
    void raceLostAfterTheOpponentTookTheLead();
    void menuClicksOnlyForChoices();
    void mKeyMutesEveryScreenAndIsRemembered();
    void muteOptionSilencesThisRunOnly_data();
    void muteOptionSilencesThisRunOnly();
    void leadSoundOnlyForARealChangeOfLead_data();
    void leadSoundOnlyForARealChangeOfLead();
    void besideAPhraseSoundsWaitOrDuck_data();
    void besideAPhraseSoundsWaitOrDuck();
    void waitingKnocksGiveWayToTheNewestAndGrowStale();
    void countdownToneFollowsTheSpokenNumber();

  private:
    void writeRecords(const QByteArray& cell);

    QTemporaryDir folder_;
    QTemporaryDir config_;
    Sounds sounds_;
    Cues heard_;
    int duckedMs_ = 0;
};

void SoundTest::initTestCase()
{
    settings::nameTheGame();
    QVERIFY(folder_.isValid() && config_.isValid());
    // The player's own settings are never touched, and no audio server is reached.
    qputenv("XDG_CONFIG_HOME", QFile::encodeName(config_.path()));
    qputenv("PULSE_SERVER", "unix:/nonexistent/numblaze-test");
}

void SoundTest::init()
{
    QSettings().clear();
    playWithRecordsIn(folder_.path());
    writeRecords("12");
    heard_.clear();
    duckedMs_ = 0;
    sounds_.setMuted(false);
    sounds_.readerListens = [] { return false; };
    sounds_.setOutput(std::make_unique<Recording>(heard_, &duckedMs_));
    listenToMuteKey(sounds_);
    for (Screen* screen : std::initializer_list<Screen*>{&Form1::get(), &Form2::get()})
        screen->useSounds(&sounds_);
}

void SoundTest::cleanup()
{
    testing::discardAllScreens();
}

/// Every record of the Hall of Fame `cell`; Addition against Bobby Blue selected.
void SoundTest::writeRecords(const QByteArray& cell)
{
    QByteArray file;
    for (int line = 0; line < 12; ++line)
        file += cell + "\r\n";
    file += "0\r\n0\r\n";
    QVERIFY(testing::put(QDir(folder_.path()).filePath(QStringLiteral("Progress.txt")), file));
}

void SoundTest::raceWonWithOneWrongAnswer_data()
{
    QTest::addColumn<QByteArray>("records");
    QTest::addColumn<int>("highest");
    QTest::addColumn<Cue>("finish");
    QTest::newRow("a win below the best record") << QByteArray("12") << 5 << Cue::Won;
    QTest::newRow("a win that equals the best") << QByteArray("12") << 11 << Cue::Won;
    QTest::newRow("a win above every record") << QByteArray("12") << 12 << Cue::Record;
}

void SoundTest::raceWonWithOneWrongAnswer()
{
    QFETCH(QByteArray, records);
    QFETCH(int, highest);
    QFETCH(Cue, finish);
    writeRecords(records);
    raceUpToTheStart(15, highest);
    typeAndEnter(answerOnScreen());
    typeAndEnter(answerOnScreen() + "1");
    Form1::get().Timer3_Timer(); // the red flash ends and takes the wrong answer away
    for (int right = 2; right <= 11; ++right)
        typeAndEnter(answerOnScreen());
    QCOMPARE(race().Command1->caption(), Form1::Won());

    Cues expected = countdown();
    expected << SoundCue{Cue::Right, 1} << SoundCue{Cue::Wrong};
    for (int step = 2; step <= 11; ++step)
        expected << SoundCue{Cue::Right, step};
    expected << SoundCue{finish};
    QCOMPARE(heard_, expected);
}

void SoundTest::raceLostAfterTheOpponentTookTheLead()
{
    // Patty Purple (25 twips a tick) against a player who answers twice, to a left edge of 1080.
    raceUpToTheStart(25, 5);
    typeAndEnter(answerOnScreen());
    typeAndEnter(answerOnScreen());
    Cues expected = countdown();
    expected << SoundCue{Cue::Right, 1} << SoundCue{Cue::Right, 2};
    QCOMPARE(heard_, expected);

    // A tenth of the track is 526 twips: the opponent passes the k-th on tick 21k + 1 (670,
    // 1195, ... 5395, the finish), and the player's ball at 1080 on tick 39 (1095).
    const std::map<int, SoundCue> ticksHeard = {
        {22, {Cue::OpponentTenth, 1}},   {39, {Cue::OpponentLeads}},
        {43, {Cue::OpponentTenth, 2}},   {64, {Cue::OpponentTenth, 3}},
        {85, {Cue::OpponentTenth, 4}},   {106, {Cue::OpponentTenth, 5}},
        {127, {Cue::OpponentTenth, 6}},  {148, {Cue::OpponentTenth, 7}},
        {169, {Cue::OpponentTenth, 8}},  {190, {Cue::OpponentTenth, 9}},
        {211, {Cue::OpponentTenth, 10}},
    };
    for (int tick = 1; tick <= 211; ++tick) {
        Form1::get().Timer2_Timer();
        if (ticksHeard.count(tick))
            expected << ticksHeard.at(tick);
    }
    expected << SoundCue{Cue::Lost};
    QCOMPARE(race().Command1->caption(), Form1::Lost());
    QCOMPARE(heard_, expected);
    QCOMPARE(heard_.count(SoundCue{Cue::OpponentLeads}), 1);
}

void SoundTest::menuClicksOnlyForChoices()
{
    Form2::get().show();
    QVERIFY(heard_.isEmpty()); // loading the menu selects the options in code: no sound
    Form2Controls& menu = Form2::get().ui();
    QTest::mouseClick(menu.Option1[2], Qt::LeftButton);
    QTest::mouseClick(menu.Option2[1], Qt::LeftButton);
    QTest::mouseClick(menu.Label2[2], Qt::LeftButton);
    QCOMPARE(heard_, (Cues{{Cue::Choice}, {Cue::Choice}, {Cue::Choice}}));
}

void SoundTest::mKeyMutesEveryScreenAndIsRemembered()
{
    QWidget first;
    sounds_.setOutput(nullptr);
    startSoundsAfterFirstPaint(sounds_, &first, false);
    first.show();
    QTRY_VERIFY(sounds_.output());
    sounds_.setOutput(std::make_unique<Recording>(heard_));
    raceUpToTheStart(15, 5);
    heard_.clear();

    // M in the answer box mutes and never becomes part of the answer.
    QTest::keyClick(race().Text1, Qt::Key_M);
    QVERIFY(sounds_.isMuted());
    QCOMPARE(race().Text1->text(), QString());
    QVERIFY(isSilentFor(heard_, [] { typeAndEnter(answerOnScreen()); }));
    QVERIFY(isSilentFor(heard_, [] { typeAndEnter("x"); }));
    QCOMPARE(race().Image2->left(), 600.0f); // the muted answer still counted

    // Shift+M too; Ctrl+M is not the key.
    QTest::keyClick(race().Text1, Qt::Key_M, Qt::ShiftModifier);
    QVERIFY(!sounds_.isMuted());
    QTest::keyClick(race().Text1, Qt::Key_M, Qt::ControlModifier);
    QVERIFY(!sounds_.isMuted());
    Form1::get().Timer3_Timer();
    typeAndEnter(answerOnScreen());
    QCOMPARE(heard_, (Cues{{Cue::Right, 2}}));

    // On the menu the same player, the same choice.
    Form1::get().Command2_Click();
    QTest::keyClick(&Form2::get().window(), Qt::Key_M);
    QVERIFY(sounds_.isMuted());
    QVERIFY(isSilentFor(heard_,
                        [] { QTest::mouseClick(Form2::get().ui().Option1[1], Qt::LeftButton); }));
    // Kept where the player's settings are: ~/.config/Numblaze/Numblaze.conf.
    const QString kept = config_.filePath(QStringLiteral("Numblaze/Numblaze.conf"));
    QCOMPARE(QSettings(kept, QSettings::IniFormat).value(QLatin1String(settings::MutedKey)),
             QVariant(true));
    QTest::keyClick(&Form2::get().window(), Qt::Key_M);
    QCOMPARE(QSettings(kept, QSettings::IniFormat).value(QLatin1String(settings::MutedKey)),
             QVariant(false));
}

void SoundTest::muteOptionSilencesThisRunOnly_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<bool>("remembered");
    QTest::addColumn<bool>("muted");
    QTest::newRow("nothing asked") << QStringList{"numblaze"} << false << false;
    QTest::newRow("remembered mute") << QStringList{"numblaze"} << true << true;
    QTest::newRow("--mute") << QStringList{"numblaze", "--mute"} << false << true;
    QTest::newRow("--mute, remembered") << QStringList{"numblaze", "--mute"} << true << true;
}

void SoundTest::muteOptionSilencesThisRunOnly()
{
    QFETCH(QStringList, arguments);
    QFETCH(bool, remembered);
    QFETCH(bool, muted);
    const CommandLineReply reply = CommandLine::read(arguments);
    QVERIFY(reply.play);
    settings::setMuted(remembered);

    Sounds sounds;
    QWidget window;
    startSoundsAfterFirstPaint(sounds, &window, reply.mute);
    QVERIFY(!sounds.output()); // nothing before the first paint
    window.show();
    QTRY_VERIFY(sounds.output());
    QCOMPARE(sounds.isMuted(), muted);
    QCOMPARE(QSettings().value(QLatin1String(settings::MutedKey)), QVariant(remembered));
}

void SoundTest::leadSoundOnlyForARealChangeOfLead_data()
{
    // A race scripted in right answers ("r") and ticks of the opponent's timer ("t12"); the
    // ticks, counted from the start, on which the lead sound is heard. The player's ball moves
    // 480 twips an answer from 120; the opponent's `speed` twips a tick.
    QTest::addColumn<int>("speed");
    QTest::addColumn<QString>("script");
    QTest::addColumn<QList<int>>("leadHeardOn");
    QTest::newRow("the opponent passes once") << 25 << "r t40" << QList<int>{20};
    // Ronald passes the player's 600 on tick 14; the player answers on tick 24 and leads by
    // 240, and Ronald passes back on tick 28, four ticks later: the lead never really changed.
    QTest::newRow("passed back within half a second of the chime")
        << 35 << "r t24 r t20" << QList<int>{14};
    // The player answers twice on tick 24 and holds the lead until Ronald passes on tick 42.
    QTest::newRow("passed again after the player held the lead")
        << 35 << "r t24 r r t40" << QList<int>{14, 42};
    // Ronald is ahead before the player leaves the start: nothing changed.
    QTest::newRow("ahead when the player leaves the start") << 35 << "t20 r t30" << QList<int>{};
}

void SoundTest::leadSoundOnlyForARealChangeOfLead()
{
    QFETCH(int, speed);
    QFETCH(QString, script);
    QFETCH(QList<int>, leadHeardOn);
    raceUpToTheStart(speed, 5);
    QList<int> heardOn;
    int tick = 0;
    for (const QString& step : script.split(QLatin1Char(' '))) {
        if (step == QLatin1String("r")) {
            answerRightly();
            continue;
        }
        for (int n = step.mid(1).toInt(); n > 0; --n) {
            const qsizetype before = heard_.count(SoundCue{Cue::OpponentLeads});
            Form1::get().Timer2_Timer();
            ++tick;
            if (heard_.count(SoundCue{Cue::OpponentLeads}) > before)
                heardOn << tick;
        }
    }
    QCOMPARE(heardOn, leadHeardOn);
}

void SoundTest::besideAPhraseSoundsWaitOrDuck_data()
{
    QTest::addColumn<Cue>("cue");
    QTest::addColumn<bool>("reader");
    QTest::addColumn<bool>("waits");
    // The race going on by itself waits; what answers the player plays at once, ducked.
    QTest::newRow("countdown tone") << Cue::Countdown << true << true;
    QTest::newRow("knock") << Cue::OpponentTenth << true << true;
    QTest::newRow("lead") << Cue::OpponentLeads << true << true;
    QTest::newRow("chime") << Cue::Right << true << false;
    QTest::newRow("wrong") << Cue::Wrong << true << false;
    QTest::newRow("go") << Cue::Go << true << false;
    QTest::newRow("record") << Cue::Record << true << false;
    QTest::newRow("menu click") << Cue::Choice << true << false;
    // Without a reader the phrases go nowhere: nothing waits, nothing is ducked.
    QTest::newRow("knock, no reader") << Cue::OpponentTenth << false << false;
    QTest::newRow("chime, no reader") << Cue::Right << false << false;
}

void SoundTest::besideAPhraseSoundsWaitOrDuck()
{
    QFETCH(Cue, cue);
    QFETCH(bool, reader);
    QFETCH(bool, waits);
    sounds_.readerListens = [reader] { return reader; };
    QElapsedTimer clock;
    clock.start();
    sounds_.besidePhrase(400);
    QCOMPARE(duckedMs_ > 300, reader);
    sounds_.play(cue, 3);
    QCOMPARE(heard_.isEmpty(), waits);
    QTRY_COMPARE(heard_, (Cues{{cue, 3}}));
    if (waits)
        QVERIFY2(clock.elapsed() >= 390, qPrintable(QString::number(clock.elapsed())));
}

void SoundTest::waitingKnocksGiveWayToTheNewestAndGrowStale()
{
    sounds_.readerListens = [] { return true; };
    QElapsedTimer clock;
    clock.start();
    sounds_.besidePhrase(300);
    sounds_.play(Cue::OpponentTenth, 1);
    sounds_.play(Cue::OpponentLeads);
    sounds_.play(Cue::OpponentTenth, 2);
    // After the phrase, one after the other: the lead, then only the newest knock.
    QTRY_COMPARE(heard_.size(), 1);
    QCOMPARE(heard_.first(), SoundCue{Cue::OpponentLeads});
    const qint64 first = clock.elapsed();
    QTRY_COMPARE(heard_, (Cues{{Cue::OpponentLeads}, {Cue::OpponentTenth, 2}}));
    QVERIFY(clock.elapsed() - first >= Sounds::WaitedApartMs - 10);

    // Phrases that keep a knock waiting too long leave it untold.
    heard_.clear();
    sounds_.besidePhrase(Sounds::LongestWaitMs + 300);
    sounds_.play(Cue::OpponentTenth, 3);
    QTest::qWait(Sounds::LongestWaitMs + 600);
    QCOMPARE(heard_, Cues{});
    // Muting forgets what waits.
    sounds_.besidePhrase(200);
    sounds_.play(Cue::OpponentTenth, 4);
    sounds_.setMuted(true);
    sounds_.setMuted(false);
    QTest::qWait(400);
    QCOMPARE(heard_, Cues{});
}

void SoundTest::countdownToneFollowsTheSpokenNumber()
{
    sounds_.readerListens = [] { return true; };
    Form2::get().show();
    Form1& form = Form1::get();
    form.enemy_speed = 15;
    form.ui().Label3->setCaption(QStringLiteral("+"));
    form.Highest = 5;
    form.show();
    QVERIFY(QTest::qWaitForWindowActive(race().window));
    auto* voice = race().window->findChild<Voice*>();
    QVERIFY(voice);
    // With a reader the count goes in step with it: the count waits until "3" is said, its
    // tone comes once "3" has been said, and "2" a second after "3" began.
    QElapsedTimer clock;
    clock.start();
    while (!voice->said().contains("3") && clock.elapsed() < 5000)
        QTest::qWait(5);
    clock.restart();
    QCOMPARE(heard_, Cues{});
    QTRY_COMPARE_WITH_TIMEOUT(heard_, (Cues{{Cue::Countdown}}), 5000);
    QVERIFY2(clock.elapsed() >= Voice::speakingTime(QStringLiteral("3")) - 60,
             qPrintable(QString::number(clock.elapsed())));
    while (!voice->said().contains("2") && clock.elapsed() < 5000)
        QTest::qWait(5);
    QVERIFY2(clock.elapsed() >= 950, qPrintable(QString::number(clock.elapsed())));
    clock.restart();
    QCOMPARE(heard_.size(), 1);
    while (heard_.size() < 2 && clock.elapsed() < 5000)
        QTest::qWait(5);
    QCOMPARE(heard_, (Cues{{Cue::Countdown}, {Cue::Countdown}}));
    QVERIFY2(clock.elapsed() >= Voice::speakingTime(QStringLiteral("2")) - 60,
             qPrintable(QString::number(clock.elapsed())));
}

QTEST_MAIN(SoundTest)
#include "test_sound.moc"
