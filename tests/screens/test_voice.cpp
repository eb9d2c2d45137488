// SPDX-FileCopyrightText: The Numblaze developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The spoken channel: when each kind of phrase is said, what waits, what is dropped, and that
// a phrase is never cut off by the next.

#include "widgets/voice.h"

#include <QElapsedTimer>
#include <QPushButton>
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
        window->resize(100, 100);
        voice = new Voice(window.get());
        voice->speak = [this](const QString& phrase) { heard << Heard{clock.elapsed(), phrase}; };
        clock.start();
    }
    void showActive()
    {
        window->show();
        window->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(window.get()));
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

    // A reader pauses at the stops of every script as at a full stop: the sentence ends of
    // Chinese and Japanese, Hindi and Arabic, and the Arabic and ideographic commas.
    void pausesAtTheStopsOfEveryScript_data()
    {
        QTest::addColumn<QString>("mark");
        QTest::newRow("ideographic full stop") << QStringLiteral(u"\u3002");
        QTest::newRow("full-width exclamation mark") << QStringLiteral(u"\uFF01");
        QTest::newRow("full-width question mark") << QStringLiteral(u"\uFF1F");
        QTest::newRow("danda") << QStringLiteral(u"\u0964");
        QTest::newRow("Arabic question mark") << QStringLiteral(u"\u061F");
        QTest::newRow("Arabic comma") << QStringLiteral(u"\u060C");
        QTest::newRow("ideographic comma") << QStringLiteral(u"\u3001");
        QTest::newRow("question mark") << QStringLiteral("?");
    }
    void pausesAtTheStopsOfEveryScript()
    {
        QFETCH(QString, mark);
        const QString words = QStringLiteral("Right");
        QCOMPARE(Voice::speakingTime(words + mark), Voice::speakingTime(words + '.'));
        QVERIFY(Voice::speakingTime(words + mark) > Voice::speakingTime(words + 'x'));
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

    // Nothing goes out before the window is active; then everything, in order.
    void waitsForTheActiveWindow()
    {
        voice->say(QStringLiteral("3"), Voice::Kind::Reply);
        QTest::qWait(100);
        QVERIFY(heard.isEmpty());
        showActive();
        QTRY_COMPARE(phrases(), QStringList{QStringLiteral("3")});
        QVERIFY(heard.first().at >= Voice::SettleAfterActivation);
    }

    // Each phrase has its time to be said to its end before the next one starts.
    void neverCutsItselfOff()
    {
        showActive();
        const QStringList said{QStringLiteral("Right. You 4, Bobby Blue 6. 3 plus 8."),
                               QStringLiteral("You won!"), QStringLiteral("2")};
        for (const QString& phrase : said)
            voice->say(phrase, Voice::Kind::Reply);
        QTRY_COMPARE_WITH_TIMEOUT(phrases(), said, 10000);
        for (qsizetype i = 1; i < heard.size(); ++i)
            QVERIFY2(heard[i].at - heard[i - 1].at >= Voice::speakingTime(heard[i - 1].phrase),
                     qPrintable(heard[i].phrase));
    }

    // After a prompt, news the player did not ask for waits for the quiet time; a reply (the
    // player acted) does not wait for it, and drops the news still waiting.
    void quietAfterAPrompt_data()
    {
        QTest::addColumn<bool>("playerActs");
        QTest::newRow("the player waits") << false;
        QTest::newRow("the player answers") << true;
    }
    void quietAfterAPrompt()
    {
        QFETCH(bool, playerActs);
        showActive();
        QTRY_VERIFY(clock.elapsed() > Voice::SettleAfterActivation + 50);
        const QString prompt = QStringLiteral("Go! 3 plus 4.");
        voice->say(prompt, Voice::Kind::Prompt);
        voice->say(QStringLiteral("Bobby Blue is ahead."), Voice::Kind::Note);
        if (playerActs)
            voice->say(QStringLiteral("Right. 5 plus 1."), Voice::Kind::Prompt);
        QTest::qWait(Voice::speakingTime(prompt) + Voice::QuietAfterPrompt + 300);
        if (playerActs) {
            QCOMPARE(phrases(), (QStringList{prompt, QStringLiteral("Right. 5 plus 1.")}));
            QVERIFY(heard[1].at - heard[0].at < Voice::speakingTime(prompt) + 200);
        } else {
            QCOMPARE(phrases(), (QStringList{prompt, QStringLiteral("Bobby Blue is ahead.")}));
            QVERIFY(heard[1].at - heard[0].at >=
                    Voice::speakingTime(prompt) + Voice::QuietAfterPrompt);
        }
    }

    // A result waits for the quiet time like news, but a reply coming after it neither drops
    // it nor goes before it.
    void aResultIsNeverDropped()
    {
        showActive();
        const QStringList said{QStringLiteral("Go! 3 plus 4."),
                               QStringLiteral("You lost! Bobby Blue got there first."),
                               QStringLiteral("2")};
        voice->say(said[0], Voice::Kind::Prompt);
        voice->say(said[1], Voice::Kind::Result);
        voice->say(said[2], Voice::Kind::Reply);
        QTRY_COMPARE_WITH_TIMEOUT(phrases(), said, 10000);
        QVERIFY(heard[1].at - heard[0].at >=
                Voice::speakingTime(said[0]) + Voice::QuietAfterPrompt);
    }

    // When the player moves the focus, the reader names the control it reached: a reply waits
    // until it has (it would cut the name off, or be cut off by it), a prompt goes at once. The
    // focus a window gets as it becomes active holds nothing back.
    void waitsForTheReaderToNameTheFocus_data()
    {
        QTest::addColumn<Voice::Kind>("kind");
        QTest::addColumn<bool>("waits");
        QTest::newRow("a reply") << Voice::Kind::Reply << true;
        QTest::newRow("a prompt") << Voice::Kind::Prompt << false;
    }
    void waitsForTheReaderToNameTheFocus()
    {
        QFETCH(Voice::Kind, kind);
        QFETCH(bool, waits);
        auto* first = new QPushButton(QStringLiteral("Race!"), window.get());
        auto* second = new QPushButton(QStringLiteral("Hall of Fame"), window.get());
        second->move(0, 40);
        first->setFocus();
        showActive();
        QTRY_VERIFY(clock.elapsed() > Voice::SettleAfterActivation + 50);
        voice->say(QStringLiteral("Addition: 5."), Voice::Kind::Reply);
        QTRY_COMPARE(heard.size(), 1);

        second->setFocus();
        const qint64 moved = clock.elapsed();
        voice->say(QStringLiteral("Subtraction: 6."), kind);
        // A prompt is said as it comes; a reply only once the naming time has passed.
        QCOMPARE(heard.size(), waits ? 1 : 2);
        QTRY_COMPARE_WITH_TIMEOUT(heard.size(), 2, Voice::namingTime(second) + 5000);
        if (waits) {
            const qint64 after = heard[1].at - moved;
            QVERIFY2(after >= Voice::namingTime(second), qPrintable(QString::number(after)));
        }
    }

    // A newer phrase on the same topic replaces the one still waiting: quick arrows through
    // the choices say only where they stopped.
    void aTopicSaysOnlyItsLatest()
    {
        showActive();
        voice->say(QStringLiteral("Extra time on."), Voice::Kind::Reply);
        for (const char* record : {"Subtraction: 5.", "Multiplication: 6.", "Division: 7."})
            voice->say(QString::fromLatin1(record), Voice::Kind::Reply, QStringLiteral("record"));
        QTRY_COMPARE_WITH_TIMEOUT(
            phrases(),
            (QStringList{QStringLiteral("Extra time on."), QStringLiteral("Division: 7.")}), 5000);
    }
};

QTEST_MAIN(TestVoice)
#include "test_voice.moc"
