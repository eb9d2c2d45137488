// SPDX-FileCopyrightText: The Numblaze developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The spoken channel: when each phrase is said, what waits for the reader's own words (the
// window's and the focus's names, a key's echo), what a key cuts off, and that a phrase is never
// cut off by the next.

#include "widgets/voice.h"

#include <QElapsedTimer>
#include <QLineEdit>
#include <QPushButton>
#include <QShortcut>
#include <QTest>
#include <QWidget>

using namespace numblaze;

Q_DECLARE_METATYPE(numblaze::Voice::Kind)

namespace
{
struct Heard {
    qint64 at;
    QString phrase;
};
} // namespace

class TestVoice : public QObject
{
    Q_OBJECT

    std::unique_ptr<QWidget> window;
    Voice* voice = nullptr;
    QList<Heard> heard;
    QElapsedTimer clock;

    void start()
    {
        window = std::make_unique<QWidget>();
        window->setAccessibleName(QStringLiteral("Numblaze"));
        window->resize(100, 100);
        voice = new Voice(window.get());
        voice->speak = [this](const QString& phrase) { heard << Heard{clock.elapsed(), phrase}; };
        clock.start();
    }
    /// Shows the window, and waits until the reader has named it and its focus.
    void showActive()
    {
        window->show();
        window->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(window.get()));
        const QWidget* focus = window->focusWidget();
        QTest::qWait(Voice::namingTime(window.get()) + (focus ? Voice::namingTime(focus) : 0) + 50);
    }
    QStringList phrases() const
    {
        QStringList all;
        for (const Heard& h : heard)
            all << h.phrase;
        return all;
    }

  private slots:
    void init()
    {
        heard.clear();
        start();
    }
    void cleanup() { window.reset(); }

    // A reader pauses within a phrase at the stops of every script: the sentence ends of Chinese
    // and Japanese, Hindi and Arabic as at a full stop, the Arabic and ideographic commas as at a
    // comma.
    void pausesAtTheStopsOfEveryScript_data()
    {
        QTest::addColumn<QString>("mark");
        QTest::addColumn<QString>("likeLatin");
        QTest::newRow("ideographic full stop") << QStringLiteral(u"\u3002") << ".";
        QTest::newRow("full-width exclamation mark") << QStringLiteral(u"\uFF01") << ".";
        QTest::newRow("full-width question mark") << QStringLiteral(u"\uFF1F") << ".";
        QTest::newRow("danda") << QStringLiteral(u"\u0964") << ".";
        QTest::newRow("Arabic question mark") << QStringLiteral(u"\u061F") << ".";
        QTest::newRow("Arabic comma") << QStringLiteral(u"\u060C") << ",";
        QTest::newRow("ideographic comma") << QStringLiteral(u"\u3001") << ",";
        QTest::newRow("question mark") << QStringLiteral("?") << ".";
    }
    void pausesAtTheStopsOfEveryScript()
    {
        QFETCH(QString, mark);
        QFETCH(QString, likeLatin);
        const QString words = QStringLiteral("Right");
        const QString more = QStringLiteral(" 3 plus 4");
        QCOMPARE(Voice::speakingTime(words + mark + more),
                 Voice::speakingTime(words + likeLatin + more));
        QVERIFY(Voice::speakingTime(words + mark + more) > Voice::speakingTime(words + more));
        // A mark of a script written without spaces is a pause without one after it too.
        if (mark.at(0).unicode() > 0x7F)
            QCOMPARE(Voice::speakingTime(words + mark + more.mid(1)),
                     Voice::speakingTime(words + mark + more));
    }

    // A Chinese character is a syllable, a Korean block or a kana most of one, an Arabic letter
    // carries a vowel it does not write: each is given more time than a Latin letter, as
    // espeak-ng takes it (about 400, 170, 170 and 111 ms a character against 57 for English).
    void givesEachScriptItsTimeACharacter_data()
    {
        QTest::addColumn<QString>("character");
        QTest::addColumn<int>("atLeastMs"); // for one character, as espeak-ng says it
        QTest::newRow("Chinese") << QStringLiteral(u"\u8D62") << 390;
        QTest::newRow("Japanese kana") << QStringLiteral(u"\u3072") << 160;
        QTest::newRow("Korean") << QStringLiteral(u"\uC774") << 150;
        QTest::newRow("Arabic") << QStringLiteral(u"\u0628") << 110;
        QTest::newRow("Hebrew") << QStringLiteral(u"\u05D1") << 77;
        QTest::newRow("Latin") << QStringLiteral("b") << 57;
    }
    void givesEachScriptItsTimeACharacter()
    {
        QFETCH(QString, character);
        QFETCH(int, atLeastMs);
        const int twenty = Voice::speakingTime(character.repeated(20)) - Voice::speakingTime({});
        QVERIFY2(twenty >= 20 * atLeastMs, qPrintable(QString::number(twenty)));
    }

    // The estimate is within a quarter of the length of espeak-ng's speech (at 175 words a
    // minute, as Orca speaks), for the game's phrases and the reader's own words.
    void speakingTimeIsTheLengthOfSpeech_data()
    {
        QTest::addColumn<QString>("phrase");
        QTest::addColumn<int>("espeakMs");
        // Measured with espeak-ng 1.51: espeak-ng -w file.wav PHRASE, then the file's length.
        QTest::newRow("a count") << "3" << 612;
        QTest::newRow("go") << "Go! 3 minus 1." << 1814;
        QTest::newRow("two digits") << "Go! 12 times 7." << 2154;
        QTest::newRow("a teen") << "17 divided by 1." << 1895;
        QTest::newRow("three digits") << "115 plus 1." << 2059;
        QTest::newRow("an equation") << "3 plus 4." << 1164;
        QTest::newRow("standing") << "Right. You 3, Bobby Blue 1. 2 plus 1." << 3520;
        QTest::newRow("lead") << "Bobby Blue is ahead." << 1266;
        QTest::newRow("won") << "You won! Your highest number for Addition against Bobby Blue "
                                "is now 6."
                             << 4219;
        QTest::newRow("lost") << "You lost! Ronald Red got there first." << 2350;
        QTest::newRow("record") << "Division against Patty Purple: your highest number is 13."
                                << 3614;
        QTest::newRow("hint") << "For extra time, press F2: the opponents go at half speed."
                              << 4152;
        QTest::newRow("key echo") << "return" << 782;
        QTest::newRow("window name") << "Numblaze race frame." << 1426;
        QTest::newRow("option name") << "selected radio button" << 1665;
    }
    void speakingTimeIsTheLengthOfSpeech()
    {
        QFETCH(QString, phrase);
        QFETCH(int, espeakMs);
        const int estimate = Voice::speakingTime(phrase);
        QVERIFY2(std::abs(estimate - espeakMs) <= espeakMs / 4,
                 qPrintable(QStringLiteral("%1 ms for %2 ms").arg(estimate).arg(espeakMs)));
    }

    // Nothing goes out before the window is active; then, once the reader has named the window
    // and its focus, everything, in order.
    void waitsForTheActiveWindow()
    {
        auto* box = new QLineEdit(window.get());
        box->setAccessibleName(QStringLiteral("Answer"));
        box->setFocus();
        voice->say(QStringLiteral("3"), Voice::Kind::Reply);
        QTest::qWait(100);
        QVERIFY(heard.isEmpty());
        window->show();
        window->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(window.get()));
        const qint64 active = clock.elapsed();
        QTRY_COMPARE_WITH_TIMEOUT(phrases(), QStringList{QStringLiteral("3")}, 10000);
        QVERIFY(heard.first().at - active >=
                Voice::namingTime(window.get()) + Voice::namingTime(box) - 50);
    }

    // Each phrase has its time to be said to its end before the next one starts, and the game
    // hears when each starts and ends.
    void neverCutsItselfOff()
    {
        showActive();
        const QStringList said{QStringLiteral("Right. You 4, Bobby Blue 6. 3 plus 8."),
                               QStringLiteral("You won!"), QStringLiteral("2")};
        QList<qint64> started, ended;
        for (const QString& phrase : said)
            voice->say(phrase, Voice::Kind::Reply, {},
                       {[&] { started << clock.elapsed(); }, [&] { ended << clock.elapsed(); }});
        QTRY_COMPARE_WITH_TIMEOUT(ended.size(), said.size(), 15000);
        QCOMPARE(phrases(), said);
        for (qsizetype i = 0; i < heard.size(); ++i) {
            QVERIFY(started[i] - heard[i].at <= 5);
            QVERIFY(ended[i] - started[i] >= Voice::speakingTime(said[i]));
            if (i > 0)
                QVERIFY2(heard[i].at >= ended[i - 1], qPrintable(heard[i].phrase));
        }
    }

    // A key stops the reader at once and it echoes the key: the phrase being said ends there,
    // and the next one waits for the echo. The end of a race is said again, whole.
    void aKeyCutsThePhraseOff_data()
    {
        QTest::addColumn<Voice::Kind>("kind");
        QTest::addColumn<bool>("saidAgain");
        QTest::newRow("an equation") << Voice::Kind::Prompt << false;
        QTest::newRow("a result") << Voice::Kind::Result << true;
    }
    void aKeyCutsThePhraseOff()
    {
        QFETCH(Voice::Kind, kind);
        QFETCH(bool, saidAgain);
        auto* box = new QLineEdit(window.get());
        box->setFocus();
        showActive();
        const QString phrase = QStringLiteral("You lost! Ronald Red got there first.");
        qint64 ended = -1;
        voice->say(phrase, kind, {}, {{}, [&] { ended = clock.elapsed(); }});
        QTRY_COMPARE(heard.size(), 1);
        QTest::qWait(300);
        QVERIFY(voice->isSaying());
        const qint64 pressed = clock.elapsed();
        QTest::keyClick(box, Qt::Key_Return);
        QVERIFY(!voice->isSaying());
        if (!saidAgain)
            QVERIFY(ended >= pressed && ended - pressed < 100);
        voice->say(QStringLiteral("2 plus 2."), Voice::Kind::Prompt);
        QTRY_VERIFY_WITH_TIMEOUT(heard.size() >= 2, 10000);
        QVERIFY(heard[1].at - pressed >= Voice::speakingTime(QStringLiteral("Return")));
        QCOMPARE(heard[1].phrase, saidAgain ? phrase : QStringLiteral("2 plus 2."));
        if (saidAgain) {
            QCOMPARE(ended, -1);
            QTRY_VERIFY_WITH_TIMEOUT(ended >= heard[1].at + Voice::speakingTime(phrase), 10000);
            QTRY_COMPARE_WITH_TIMEOUT(heard.size(), 3, 10000);
        }
    }

    // Each key is echoed, whether the focus takes it or a shortcut does.
    void eachKeyIsEchoed_data()
    {
        QTest::addColumn<int>("key");
        QTest::newRow("a digit") << int(Qt::Key_7);
        QTest::newRow("Enter") << int(Qt::Key_Return);
        QTest::newRow("a function key") << int(Qt::Key_F3);
    }
    void eachKeyIsEchoed()
    {
        QFETCH(int, key);
        auto* box = new QLineEdit(window.get());
        box->setFocus();
        auto* shortcut = new QShortcut(QKeySequence(Qt::Key_F3), window.get());
        Q_UNUSED(shortcut)
        showActive();
        QTest::keyClick(box, Qt::Key(key));
        const qint64 pressed = clock.elapsed();
        voice->say(QStringLiteral("3 plus 4."), Voice::Kind::Prompt);
        QTRY_COMPARE_WITH_TIMEOUT(heard.size(), 1, 5000);
        const qint64 echo = Voice::speakingTime(QKeySequence(key).toString());
        const qint64 waited = heard[0].at - pressed;
        QVERIFY2(waited >= echo - 20, qPrintable(QString::number(waited)));
    }

    // When the focus moves, the reader names the control it reached after what it is saying:
    // a phrase waits until it has.
    void waitsForTheReaderToNameTheFocus_data()
    {
        QTest::addColumn<Voice::Kind>("kind");
        QTest::newRow("a reply") << Voice::Kind::Reply;
        QTest::newRow("a prompt") << Voice::Kind::Prompt;
    }
    void waitsForTheReaderToNameTheFocus()
    {
        QFETCH(Voice::Kind, kind);
        auto* first = new QPushButton(QStringLiteral("Race!"), window.get());
        auto* second = new QPushButton(QStringLiteral("Hall of Fame"), window.get());
        second->move(0, 40);
        first->setFocus();
        showActive();
        second->setFocus();
        const qint64 moved = clock.elapsed();
        voice->say(QStringLiteral("Subtraction: 6."), kind);
        QVERIFY(heard.isEmpty());
        QTRY_COMPARE_WITH_TIMEOUT(heard.size(), 1, Voice::namingTime(second) + 5000);
        const qint64 after = heard[0].at - moved;
        QVERIFY2(after >= Voice::namingTime(second) - 20, qPrintable(QString::number(after)));
    }

    // A newer phrase on the same topic replaces the one still waiting: quick arrows through
    // the choices say only where they stopped. A newer equation replaces one still waiting.
    void theLatestReplacesWhatWaits()
    {
        showActive();
        voice->say(QStringLiteral("Extra time on."), Voice::Kind::Reply);
        for (const char* record : {"Subtraction: 5.", "Multiplication: 6.", "Division: 7."})
            voice->say(QString::fromLatin1(record), Voice::Kind::Reply, QStringLiteral("record"));
        voice->say(QStringLiteral("Wrong. 3 plus 4."), Voice::Kind::Prompt);
        voice->say(QStringLiteral("5 plus 1."), Voice::Kind::Prompt);
        QTRY_COMPARE_WITH_TIMEOUT(
            phrases(),
            (QStringList{QStringLiteral("Extra time on."), QStringLiteral("Division: 7."),
                         QStringLiteral("5 plus 1.")}),
            10000);
    }
};

QTEST_MAIN(TestVoice)
#include "test_voice.moc"
