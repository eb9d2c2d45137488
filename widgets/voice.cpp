// SPDX-FileCopyrightText: The Numblaze developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "widgets/voice.h"

#include "widgets/accessibility.h"

#include <QAccessible>
#include <QApplication>
#include <QEvent>
#include <QKeyEvent>
#include <QKeySequence>
#include <QWidget>
#include <algorithm>
#include <cmath>

namespace numblaze
{

namespace
{
/// The reader's own words for a kind of control, as Orca says them in English after the name.
/// They only measure how long the naming takes, so they are not translated.
QString kindInWords(const QAccessibleInterface* read)
{
    switch (read->role()) {
    case QAccessible::Window:
        return QStringLiteral("frame");
    case QAccessible::Dialog:
        return QStringLiteral("dialog");
    case QAccessible::EditableText:
        return QStringLiteral("text");
    case QAccessible::RadioButton:
        return read->state().checked ? QStringLiteral("selected radio button")
                                     : QStringLiteral("not selected radio button");
    case QAccessible::CheckBox:
        return QStringLiteral("check box");
    case QAccessible::Grouping:
        return QStringLiteral("panel");
    default:
        return QStringLiteral("push button");
    }
}

/// What a reader says as it echoes a key: the character it types, or the key's name.
QString keyInWords(const QKeyEvent* key)
{
    const QString text = key->text();
    if (text.size() == 1 && text.at(0).isPrint() && !text.at(0).isSpace())
        return text;
    return QKeySequence(key->key()).toString(QKeySequence::PortableText);
}
} // namespace

Voice::Voice(QWidget* window) : QObject(window), window_(window)
{
    clock_.start();
    timer_.setSingleShot(true);
    timer_.setTimerType(Qt::PreciseTimer);
    connect(&timer_, &QTimer::timeout, this, &Voice::next);
    prepareNews(window);
    window->installEventFilter(this);
    // A key pressed anywhere in the window reaches the application first.
    qApp->installEventFilter(this);
    speak = [this](const QString& phrase) {
        if (window_)
            announce(window_, phrase);
    };
    // The focus moved within the window: the reader names the control it reached once it has
    // said what it was saying. (The focus a window gets as it becomes active is named with the
    // window.)
    connect(qApp, &QApplication::focusChanged, this, [this](QWidget* old, QWidget* now) {
        if (old && now && window_ && old->window() == window_ && now->window() == window_)
            queueOwnWords(namingTime(now));
    });
}

namespace
{
/// The marks a reader pauses at: the ends of sentences in every script the game may speak
/// (the ideographic and full-width stops of Chinese and Japanese, the Devanagari danda, the
/// Arabic question mark and full stop) and the commas, colons and semicolons.
bool isPause(char32_t c)
{
    static constexpr char32_t pauses[] = {
        U'.',      U'!',      U'?',      U'\u3002', U'\uFF0E', U'\uFF01', U'\uFF1F',
        U'\u0964', U'\u0965', U'\u061F', U'\u06D4', U',',      U':',      U';',
        U'\u060C', U'\u061B', U'\u3001', U'\uFF0C', U'\uFF1A', U'\uFF1B',
    };
    return std::find(std::begin(pauses), std::end(pauses), c) != std::end(pauses);
}

/// The marks of a shorter pause than a full stop's.
bool isComma(char32_t c)
{
    static constexpr char32_t commas[] = {U',',      U':',      U';',      U'\u060C', U'\u061B',
                                          U'\u3001', U'\uFF0C', U'\uFF1A', U'\uFF1B'};
    return std::find(std::begin(commas), std::end(commas), c) != std::end(commas);
}

/**
 * How many Latin letters' time a character takes to say. A Chinese character is a whole
 * syllable, a Korean block or a Japanese kana most of one; an Arabic letter carries a vowel that
 * is not written. Measured with espeak-ng at its usual rate: about 57 ms a character of English,
 * 400 of Chinese, 170 of Japanese kana and of Korean, 111 of Arabic, 88 of Persian, 77 of Hebrew
 * and 78 of Hindi.
 */
double letterTimes(char32_t c)
{
    switch (QChar::script(c)) {
    case QChar::Script_Han:
        return 7;
    case QChar::Script_Hangul:
    case QChar::Script_Hiragana:
    case QChar::Script_Katakana:
        return 3;
    case QChar::Script_Arabic:
        return 2;
    case QChar::Script_Hebrew:
    case QChar::Script_Devanagari:
    case QChar::Script_Bengali:
        return 1.4;
    default:
        return 1;
    }
}

} // namespace

int Voice::speakingTime(const QString& phrase)
{
    // Fitted to the length of espeak-ng's speech at 175 words a minute over the game's
    // phrases, numbers from 0 to 1234 among them: within 17 % of each, 4 % on average.
    constexpr int StartAndEnd = 400;  // the voice sets in, and pauses after the last word
    constexpr int Letter = 60;        // a Latin letter of a word, wherever it is
    constexpr int Number = 250;       // a number's first digit: "six"
    constexpr int FurtherDigit = 200; // each further digit makes it longer ("sixty")...
    constexpr int FurtherWord = 290;  // ...and one more word unless it is 0 ("sixty-two")
    constexpr int FullStop = 400;     // a pause within the phrase: ". ", "! ", "? ", "。"
    constexpr int Comma = 225;        // a shorter one: ", ", ": ", "; ", "،"
    const QList<uint> text = phrase.toUcs4();
    // A mark is a pause within the phrase when more follows: after a space in the scripts that
    // write one, at once in those that do not (the last mark is part of the phrase's end).
    const auto pauseAfter = [&text](qsizetype i) {
        return i + 1 < text.size() && (QChar::isSpace(text[i + 1]) || text[i] > 0x7F);
    };
    double ms = StartAndEnd;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const char32_t c = text[i];
        if (QChar::isDigit(c)) {
            // Any script's digits, said as numbers: "١٢" is twelve as "12" is.
            qsizetype end = i + 1;
            while (end < text.size() && QChar::isDigit(text[end]))
                ++end;
            ms += Number;
            for (qsizetype d = i + 1; d < end; ++d) {
                // A number from 10 to 19 is one word: "eleven", "zwölf", "quinze".
                const bool teen = d == end - 1 && QChar::digitValue(text[d - 1]) == 1;
                ms += FurtherDigit + (QChar::digitValue(text[d]) != 0 && !teen ? FurtherWord : 0);
            }
            i = end - 1;
        } else if (QChar::isLetter(c)) {
            ms += Letter * letterTimes(c);
        } else if (isPause(c) && pauseAfter(i)) {
            ms += isComma(c) ? Comma : FullStop;
        }
    }
    return int(std::lround(ms));
}

int Voice::namingTime(const QWidget* control)
{
    const QAccessibleInterface* read =
        QAccessible::queryAccessibleInterface(const_cast<QWidget*>(control));
    if (!read)
        return speakingTime(QStringLiteral("push button"));
    const QString description = read->text(QAccessible::Description);
    return speakingTime(read->text(QAccessible::Name) + QLatin1Char(' ') + kindInWords(read) +
                        QLatin1Char('.')) +
           (description.isEmpty() ? 0 : speakingTime(description));
}

void Voice::say(const QString& phrase, Kind kind, const QString& topic, Moments moments)
{
    if (phrase.isEmpty())
        return;
    std::erase_if(waiting_, [&](const Phrase& p) {
        return p.kind == kind && (kind == Kind::Prompt || (!topic.isEmpty() && p.topic == topic));
    });
    waiting_.push_back({phrase, kind, topic, std::move(moments)});
    next();
}

void Voice::clear()
{
    waiting_.clear();
    next();
}

void Voice::queueOwnWords(int ms)
{
    busyUntil_ = std::max(busyUntil_, now()) + ReaderDelay + ms;
    next();
}

void Voice::cutOff(int ownWordsMs)
{
    busyUntil_ = now() + ownWordsMs;
    // The reader's echo of a key is speech too: the game's sounds make room for it as well.
    if (ownWordsMs > 0)
        emit phraseStarted(ownWordsMs);
    if (!saying_)
        return;
    if (now() - sayingStarted_ < ReaderDelay) {
        // Given to the reader a moment ago, the phrase reached it after the key: it is said
        // whole, after the reader's own words.
        sayingEnds_ = busyUntil_ + ReaderDelay + speakingTime(saying_->text);
        busyUntil_ = sayingEnds_;
        return;
    }
    Phrase cut = std::move(*saying_);
    saying_.reset();
    // The end of a race is heard whole: it is said again once the reader is free.
    if (cut.kind == Kind::Result)
        waiting_.push_front(std::move(cut));
    else if (cut.moments.ended)
        cut.moments.ended();
}

bool Voice::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == window_ && event->type() == QEvent::WindowActivate && !active_) {
        // A reader turns to a window as it becomes active: it names the window and its focus.
        active_ = true;
        const QWidget* focus = window_->focusWidget();
        queueOwnWords(TurnToWindow + namingTime(window_) +
                      (focus ? ReaderDelay + namingTime(focus) : 0));
        QTimer::singleShot(0, this, &Voice::next);
    } else if (watched == window_ && event->type() == QEvent::WindowDeactivate) {
        active_ = false;
        cutOff(0);
        next();
    } else if (event->type() == QEvent::ShortcutOverride && window_ && window_->isActiveWindow()) {
        // Every key press is offered to the focus as a possible shortcut first, once: the reader
        // stops speaking and echoes the key.
        auto* widget = qobject_cast<QWidget*>(watched);
        const auto* key = static_cast<QKeyEvent*>(event);
        if (widget && widget->window() == window_ && !key->isAutoRepeat()) {
            cutOff(ReaderDelay + speakingTime(keyInWords(key)));
            next();
        }
    }
    return QObject::eventFilter(watched, event);
}

void Voice::next()
{
    if (saying_ && now() >= sayingEnds_) {
        const Phrase done = std::move(*saying_);
        saying_.reset();
        if (done.moments.ended)
            done.moments.ended();
    }
    // A reader takes no news from a window before it is active: the news waits for it.
    const bool canSay = window_ && window_->isActiveWindow() && !saying_ && !waiting_.empty();
    if (canSay && now() >= busyUntil_) {
        Phrase phrase = std::move(waiting_.front());
        waiting_.pop_front();
        said_ << phrase.text;
        sayingStarted_ = now();
        sayingEnds_ = sayingStarted_ + ReaderDelay + speakingTime(phrase.text);
        busyUntil_ = sayingEnds_;
        // The game's sounds make room for the phrase from now to its end.
        emit phraseStarted(int(sayingEnds_ - sayingStarted_));
        const auto started = phrase.moments.started;
        saying_ = std::move(phrase);
        if (speak)
            speak(saying_->text);
        if (started)
            started();
    }
    if (saying_)
        timer_.start(int(std::max<qint64>(0, sayingEnds_ - now())));
    else if (canSay)
        timer_.start(int(std::max<qint64>(0, busyUntil_ - now())));
    else
        timer_.stop();
}

} // namespace numblaze
