// SPDX-FileCopyrightText: The Numblaze developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The game's estimate of how long a reader takes to say each phrase, against the length of
// espeak-ng's real speech at its usual 175 words a minute (the voice Orca speaks with): every
// phrase the game says in English, gathered from the menu, races of each math kind, with the
// sound on and off, won and lost, and the Hall of Fame, is within a quarter of espeak-ng's
// length. Prints the table of both.

#include "halloffame/form3.h"
#include "menu/form2.h"
#include "race/form1.h"
#include "tests/screens/racing.h"
#include "tests/support.h"

#include <QDir>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QtEndian>

using namespace numblaze;
using namespace numblaze::testing;

namespace
{
/// Takes the sounds the race asks for, so that the race knows they are heard.
class Silence : public SoundOutput
{
  public:
    void play(SoundCue) override {}
};

/// The length of the speech in a WAV file espeak-ng wrote, in milliseconds; -1 when unreadable.
double wavLength(const QByteArray& wav)
{
    // RIFF header, then chunks: "fmt " holds the byte rate, "data" the samples.
    if (wav.size() < 12 || !wav.startsWith("RIFF"))
        return -1;
    quint32 byteRate = 0;
    for (qsizetype at = 12; at + 8 <= wav.size();) {
        const QByteArray id = wav.mid(at, 4);
        const quint32 size = qFromLittleEndian<quint32>(wav.constData() + at + 4);
        if (id == "fmt " && at + 20 <= wav.size())
            byteRate = qFromLittleEndian<quint32>(wav.constData() + at + 16);
        // espeak-ng writes to a pipe or file without knowing the length at first: a data chunk
        // of size 0 or 0xffffffff runs to the end of the file.
        if (id == "data" && byteRate) {
            const qsizetype bytes = size == 0 || size == 0xffffffff || at + 8 + size > wav.size()
                                        ? wav.size() - at - 8
                                        : qsizetype(size);
            return 1000.0 * double(bytes) / byteRate;
        }
        at += 8 + size + (size & 1);
    }
    return -1;
}

constexpr int Wait = 20000;
} // namespace

class TestSpeakingTime : public QObject
{
    Q_OBJECT

    QTemporaryDir folder_;
    QString espeak_;
    QStringList phrases_;
    Sounds sounds_;

    void keep(const QStringList& said)
    {
        for (const QString& phrase : said)
            if (!phrases_.contains(phrase))
                phrases_ << phrase;
    }

    /// Answers the equation on the race screen, rightly or not, and waits until the next one
    /// has been said.
    void answer(bool right)
    {
        const int before = int(said(Form1::get()).size());
        typeAndEnter(right ? answerOnScreen() : answerOnScreen() + "1");
        QTRY_VERIFY_WITH_TIMEOUT(said(Form1::get()).size() > before, Wait);
        Form1::get().Timer3_Timer();
    }

  private slots:
    void initTestCase()
    {
        espeak_ = QStandardPaths::findExecutable(QStringLiteral("espeak-ng"));
        QVERIFY2(!espeak_.isEmpty(), "espeak-ng is missing: run scripts/setup.sh tests");
        QVERIFY(folder_.isValid());
        // Records of one, two and three digits, as a player's grow.
        QByteArray records;
        for (const char* record :
             {"5", "13", "27", "105", "8", "40", "6", "12", "9", "31", "7", "18"})
            records += QByteArray(record) + "\r\n";
        QVERIFY(put(QDir(folder_.path()).filePath("Progress.txt"), records + "0\r\n0\r\n"));
        playWithRecordsIn(folder_.path());
        sounds_.setOutput(std::make_unique<Silence>());
    }

    void cleanup()
    {
        if (!Form1::get().isLoaded())
            return;
        keep(said(Form1::get()));
        Form1::get().discard();
    }

    // The menu: the record as it comes up, the hints, a record for each math kind and opponent,
    // extra time and listening time switched on and off.
    void menuPhrases()
    {
        Form2& menu = Form2::get();
        menu.ExtraTime = false;
        menu.ListeningTime.reset();
        menu.show();
        QVERIFY(QTest::qWaitForWindowActive(menu.ui().window));
        QTRY_COMPARE_WITH_TIMEOUT(said(menu).size(), 4, 4 * Wait);
        for (const auto& [math, opponent] : {std::pair{1, 2}, {2, 1}, {3, 2}, {1, 0}}) {
            menu.ui().Option1[math]->select();
            menu.ui().Option2[opponent]->select();
            QTRY_VERIFY_WITH_TIMEOUT(lastSaid(menu).startsWith(mathKinds[math].name()) &&
                                         lastSaid(menu).contains(opponentName(opponent)),
                                     Wait);
        }
        for (const char* told : {"Extra time on.", "Extra time off."}) {
            menu.toggleExtraTime();
            QTRY_COMPARE_WITH_TIMEOUT(lastSaid(menu), QString::fromLatin1(told), Wait);
        }
        for (const char* told : {"Listening time on.", "Listening time off."}) {
            menu.toggleListeningTime();
            QTRY_COMPARE_WITH_TIMEOUT(lastSaid(menu), QString::fromLatin1(told), Wait);
        }
        keep(said(menu));
        // The Hall of Fame reads out its table as it opens.
        QString table;
        QTimer::singleShot(0, [&table] {
            table = Form3::get().ui().window->describe();
            Form3::get().unload();
        });
        menu.Command4_Click();
        QVERIFY(table.startsWith(QStringLiteral("Addition: Bobby Blue 5, ")));
        keep({table});
        menu.hide();
    }

    // Races of each math kind: the countdown, the first equation, wrong and right answers with
    // the sound on and off, the news of the race, the standing asked for, won and lost.
    void racePhrases_data()
    {
        QTest::addColumn<QString>("sign");
        QTest::addColumn<int>("highest");
        QTest::addColumn<int>("speed");
        QTest::addColumn<bool>("soundHeard");
        QTest::addColumn<bool>("won");
        QTest::newRow("addition, won") << "+" << 5 << 15 << true << true;
        QTest::newRow("subtraction, lost") << "-" << 30 << 35 << false << false;
        QTest::newRow("multiplication, won") << "*" << 12 << 25 << false << true;
        QTest::newRow("division, lost") << "/" << 40 << 15 << true << false;
    }
    void racePhrases()
    {
        QFETCH(QString, sign);
        QFETCH(int, highest);
        QFETCH(int, speed);
        QFETCH(bool, soundHeard);
        QFETCH(bool, won);
        Form1& form = Form1::get();
        form.useSounds(soundHeard ? &sounds_ : nullptr);
        launch(sign, Loose(highest), speed);
        QVERIFY(QTest::qWaitForWindowActive(race().window));
        for (int tick = 0; tick < 3; ++tick)
            form.Timer1_Timer();
        race().Timer2->setEnabled(false); // the test moves the opponent
        QTRY_VERIFY_WITH_TIMEOUT(lastSaid(form).startsWith(QStringLiteral("Go! ")), Wait);
        answer(false);
        answer(true);
        answer(true);
        form.tellStanding();
        QTRY_VERIFY_WITH_TIMEOUT(lastSaid(form).startsWith(QStringLiteral("You 2, ")), Wait);
        // The opponent goes ahead and near the finish: the next answer says so.
        while (form.ui().Image3->left() < Form1::StartLine + 9 * 480)
            form.Timer2_Timer();
        answer(true);
        if (won) {
            form.Win();
        } else {
            while (race().Command1->caption() == Form1::Racing)
                form.Timer2_Timer();
        }
        QTRY_VERIFY_WITH_TIMEOUT(lastSaid(form).startsWith(QStringLiteral("You ")) &&
                                     lastSaid(form).contains(QLatin1Char('!')),
                                 Wait);
        form.useSounds(nullptr);
    }

    void cleanupTestCase()
    {
        discardAllScreens();
        // Said in a later run, or by the sound's key, which tells the focused control's news.
        keep({QStringLiteral("Extra time is on: press F2 to switch it off."),
              QStringLiteral("Sound off"), QStringLiteral("Sound on")});
        QTemporaryDir wavs;
        const QString wav = wavs.filePath(QStringLiteral("phrase.wav"));
        int beyond = 0;
        qInfo("%8s %8s %6s  %s", "espeak", "estimate", "off", "phrase");
        for (const QString& phrase : std::as_const(phrases_)) {
            QProcess espeak;
            espeak.start(espeak_, {QStringLiteral("-w"), wav, phrase});
            QVERIFY(espeak.waitForFinished(30000) && espeak.exitCode() == 0);
            QFile file(wav);
            QVERIFY(file.open(QIODevice::ReadOnly));
            const double spoken = wavLength(file.readAll());
            QVERIFY2(spoken > 0, qPrintable(phrase));
            const int estimate = Voice::speakingTime(phrase);
            const double off = (estimate - spoken) / spoken;
            if (std::abs(off) > 0.25)
                ++beyond;
            qInfo("%6.0f ms %5d ms %+5.0f%%  %s", spoken, estimate, 100 * off, qPrintable(phrase));
        }
        QVERIFY2(phrases_.size() > 40, qPrintable(phrases_.join(QLatin1Char('|'))));
        QCOMPARE(beyond, 0);
    }
};

QTEST_MAIN(TestSpeakingTime)
#include "test_speakingtime.moc"
