// SPDX-FileCopyrightText: The Numblaze developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "widgets/voice.h"

#include "widgets/accessibility.h"

#include <QAccessible>
#include <QApplication>
#include <QEvent>
#include <QWidget>
#include <algorithm>

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

int Voice::speakingTime(const QString& phrase)
{
    // A reader at its usual rate says about fifteen letters, digits or spaces a second, and
    // pauses at each full stop.
    const auto stops = phrase.count(QLatin1Char('.')) + phrase.count(QLatin1Char('!'));
    return 300 + 65 * int(phrase.size()) + 150 * int(stops);
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
        emit phraseStarted(speakingTime(phrase.text));
        if (speak)
            speak(phrase.text);
    }
}

} // namespace numblaze
