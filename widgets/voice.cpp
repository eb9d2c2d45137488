// SPDX-FileCopyrightText: The Numblaze developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "widgets/voice.h"

#include "widgets/accessibility.h"

#include <QAccessible>
#include <QApplication>
#include <QEvent>
#include <QWidget>
#include <algorithm>
#include <cmath>

namespace numblaze
{

Voice::Voice(QWidget* window) : QObject(window), window_(window)
{
    clock_.start();
    timer_.setSingleShot(true);
    connect(&timer_, &QTimer::timeout, this, &Voice::next);
    prepareNews(window);
    window->installEventFilter(this);
    speak = [this](const QString& phrase) {
        if (window_)
            announce(window_, phrase);
    };
    // The focus moved within the window: the reader names the control it reached, and says
    // nothing else of ours meanwhile unless it is a prompt the player needs at once. (The focus a
    // window gets as it becomes active is named as the reader turns to the window.)
    connect(qApp, &QApplication::focusChanged, this, [this](QWidget* old, QWidget* now) {
        if (old && now && window_ && old->window() == window_ && now->window() == window_) {
            // The reader stops whatever it was saying to name the control.
            busyUntil_ = std::min(busyUntil_, this->now());
            namingUntil_ = std::max(namingUntil_, this->now() + namingTime(now));
            next();
        }
    });
}

namespace
{
/// The marks a reader pauses at as at a full stop: the ends of sentences in every script the game
/// may speak (the ideographic and full-width stops of Chinese and Japanese, the Devanagari danda,
/// the Arabic question mark), and the Arabic and ideographic commas.
bool isPause(char32_t c)
{
    static constexpr char32_t pauses[] = {
        U'.',      U'!',      U'?',      U'\u3002', U'\uFF0E', U'\uFF01', U'\uFF1F', U'\u0964',
        U'\u0965', U'\u061F', U'\u06D4', U'\u060C', U'\u061B', U'\u3001', U'\uFF0C',
    };
    return std::find(std::begin(pauses), std::end(pauses), c) != std::end(pauses);
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

/// The pauses in a phrase.
int pausesIn(const QString& phrase)
{
    const QList<uint> characters = phrase.toUcs4();
    return int(std::count_if(characters.begin(), characters.end(), isPause));
}

/// The phrase's length in Latin letters' time.
double spokenLength(const QString& phrase)
{
    double length = 0;
    for (const char32_t c : phrase.toUcs4())
        length += letterTimes(c);
    return length;
}
} // namespace

int Voice::speakingTime(const QString& phrase)
{
    // A reader at its usual rate says about fifteen letters, digits or spaces a second, and
    // pauses at each full stop.
    return 300 + int(std::lround(65 * spokenLength(phrase))) + 150 * pausesIn(phrase);
}

int Voice::namingTime(const QWidget* control)
{
    // The kind and state of a control are two or three words a reader adds to its name.
    constexpr int KindAndState = 1000;
    const QAccessibleInterface* read =
        QAccessible::queryAccessibleInterface(const_cast<QWidget*>(control));
    if (!read)
        return KindAndState;
    const QString description = read->text(QAccessible::Description);
    return speakingTime(read->text(QAccessible::Name)) + KindAndState +
           (description.isEmpty() ? 0 : speakingTime(description));
}

void Voice::say(const QString& phrase, Kind kind, const QString& topic)
{
    if (phrase.isEmpty())
        return;
    if (kind == Kind::Reply || kind == Kind::Prompt)
        std::erase_if(waiting_, [](const Phrase& p) { return p.kind == Kind::Note; });
    if (!topic.isEmpty())
        std::erase_if(waiting_,
                      [&](const Phrase& p) { return p.kind == kind && p.topic == topic; });
    waiting_.push_back({phrase, kind, topic});
    next();
}

void Voice::holdFor(int ms)
{
    busyUntil_ = std::max(busyUntil_, now() + ms);
    next();
}

void Voice::clear()
{
    waiting_.clear();
    timer_.stop();
}

bool Voice::eventFilter(QObject* watched, QEvent* event)
{
    // A reader turns to a window as it becomes active: the news waits until it has.
    if (watched == window_ && event->type() == QEvent::WindowActivate)
        QTimer::singleShot(0, this, [this] { holdFor(SettleAfterActivation); });
    return QObject::eventFilter(watched, event);
}

void Voice::next()
{
    // A reader takes no news from a window before it is active: the news waits for it.
    if (!window_ || !window_->isActiveWindow())
        return;
    while (!waiting_.empty()) {
        const Phrase& first = waiting_.front();
        const bool waits = first.kind == Kind::Note || first.kind == Kind::Result;
        const qint64 at = std::max(
            {busyUntil_, waits ? quietUntil_ : 0, first.kind == Kind::Prompt ? 0 : namingUntil_});
        if (at > now()) {
            timer_.start(int(at - now()));
            return;
        }
        const Phrase phrase = first;
        waiting_.pop_front();
        said_ << phrase.text;
        busyUntil_ = now() + speakingTime(phrase.text);
        if (phrase.kind == Kind::Prompt) {
            quietUntil_ = busyUntil_ + QuietAfterPrompt;
            // The prompt cut the reader's naming of a control short: nothing waits for it.
            namingUntil_ = 0;
        }
        if (speak)
            speak(phrase.text);
    }
}

} // namespace numblaze
