// SPDX-FileCopyrightText: The Numblaze developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QElapsedTimer>
#include <QObject>
#include <QPointer>
#include <QString>
#include <QTimer>
#include <deque>
#include <functional>

class QWidget;

namespace numblaze
{

/**
 * One spoken channel for a screen: the phrases the game wants a reader to say, told one at a
 * time through the window's news, wherever the focus is. Each phrase is given the time a reader
 * takes to say it before the next one goes out, so the channel never cuts itself off. After a
 * prompt (an equation the player must hear) nothing more is said for a while unless the player
 * acts: the player is thinking. Nothing is said before the window is active, when a reader
 * would not take it. When the focus moves in the window, the reader names the control it
 * reached, and only a prompt goes before the reader has done so: any other phrase would cut the
 * name off, or be cut off by it. Says nothing when no reader listens.
 */
class Voice : public QObject
{
    Q_OBJECT

  public:
    /// What a phrase is, which decides when it may be said.
    enum class Kind {
        /// Follows from something the player did: said as soon as the channel is free.
        Reply,
        /// Like a reply, and the player needs it to go on (an equation): a quiet time follows.
        Prompt,
        /// News the player did not ask for: waits for the quiet time after a prompt, and is
        /// dropped when a reply comes first (the reply tells what matters).
        Note,
        /// Like a note, never dropped (the end of a race).
        Result,
    };

    explicit Voice(QWidget* window);

    /// Queues a phrase. A phrase of the same kind and topic still waiting is replaced by it.
    void say(const QString& phrase, Kind kind, const QString& topic = {});
    /// Says nothing for the next milliseconds: the reader is busy with the window itself.
    void holdFor(int ms);
    /// Forgets every phrase not yet said.
    void clear();
    /// The phrases said so far, oldest first (for tests and the race's own record).
    const QStringList& said() const { return said_; }

    /// How long a reader takes to say a phrase at its usual rate, in milliseconds.
    static int speakingTime(const QString& phrase);
    /// The quiet time after a prompt has been said, in milliseconds.
    static constexpr int QuietAfterPrompt = 2000;

    /// Time a reader takes to turn to a window that has just become active, in milliseconds.
    static constexpr int SettleAfterActivation = 600;

    /// How long a reader takes to name a control the focus has just moved to: its name, its
    /// kind and state ("push button", "selected radio button") and its description, in
    /// milliseconds.
    static int namingTime(const QWidget* control);

    /// Where a phrase goes when it is said; by default, the window's news for readers.
    std::function<void(const QString&)> speak;

  signals:
    /// A phrase goes out now and takes a reader about `estimatedMs` to say (speakingTime), so
    /// the game's sounds can make room for it.
    void phraseStarted(int estimatedMs);

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    struct Phrase {
        QString text;
        Kind kind;
        QString topic;
    };
    /// Says what may be said now and sets the timer for the rest.
    void next();
    qint64 now() const { return clock_.elapsed(); }

    QPointer<QWidget> window_;
    std::deque<Phrase> waiting_;
    QStringList said_;
    QElapsedTimer clock_;
    QTimer timer_{this};
    /// When the phrase being said ends, on clock_.
    qint64 busyUntil_ = 0;
    /// When the quiet time after the last prompt ends, on clock_.
    qint64 quietUntil_ = 0;
    /// When the reader has named the control the focus last moved to, on clock_.
    qint64 namingUntil_ = 0;
};

} // namespace numblaze
