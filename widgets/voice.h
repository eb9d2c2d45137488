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
#include <optional>

class QWidget;

namespace numblaze
{

/**
 * One spoken channel for a screen: the phrases the game wants a reader to say, told one at a
 * time through the window's news, wherever the focus is. The channel follows what the reader
 * says of its own, as a screen reader such as Orca does: it names a window as it becomes active
 * and each control the focus moves to, after whatever it is saying; a key the player presses
 * stops it at once, and it echoes the key. A phrase goes out only once the reader has said all
 * that, and has its estimated speaking time before the next one, so the channel never cuts
 * itself off and the game knows when each phrase ends. Nothing is said before the window is
 * active, when a reader would not take it. Says nothing when no reader listens.
 */
class Voice : public QObject
{
    Q_OBJECT

  public:
    /// What a phrase is, which decides when it may be said.
    enum class Kind {
        /// Follows from something the player did: said as soon as the reader is free.
        Reply,
        /// Like a reply, and the player needs it to go on (an equation): a newer prompt replaces
        /// one still waiting.
        Prompt,
        /// The end of a race: like a reply, and said again when a key cut it off.
        Result,
    };

    /// What the game learns of a phrase as the reader says it: when it starts, and when it has
    /// been said to its end or a key has cut it off. Neither comes for a phrase forgotten before
    /// it was said.
    struct Moments {
        std::function<void()> started;
        std::function<void()> ended;
    };

    explicit Voice(QWidget* window);

    /// Queues a phrase. A phrase of the same kind and topic still waiting is replaced by it.
    void say(const QString& phrase, Kind kind, const QString& topic = {}, Moments moments = {});
    /// Forgets every phrase not yet said; the one being said goes on to its end.
    void clear();
    /// True while the reader is saying one of the channel's phrases, by its estimate.
    bool isSaying() const { return saying_.has_value(); }
    /// The phrases said so far, oldest first (for tests and the race's own record).
    const QStringList& said() const { return said_; }

    /**
     * How long a reader takes to say a phrase at its usual rate, in milliseconds. Measured
     * against espeak-ng, the voice Orca speaks with, at its usual 175 words a minute: each
     * letter, each number by the words it is said in, and a pause at each full stop or comma
     * within the phrase. The one place where the length of speech is worked out.
     */
    static int speakingTime(const QString& phrase);

    /// How long a reader takes to begin what it is given, in milliseconds: Orca passing it to
    /// speech-dispatcher, and the voice setting in there (measured on a two-core machine).
    static constexpr int ReaderDelay = 150;
    /// How long a reader takes to turn to a window that has just become active, before it
    /// names it: Orca takes in the news of every control the window shows (0.2 to 0.5 s
    /// measured for the race screen).
    static constexpr int TurnToWindow = 400;

    /// How long a reader takes to name a control the focus has just moved to, or a window that
    /// has just become active: its name, its kind and state ("push button", "selected radio
    /// button") and its description, in milliseconds.
    static int namingTime(const QWidget* control);

    /// Where a phrase goes when it is said; by default, the window's news for readers.
    std::function<void(const QString&)> speak;

  signals:
    /// The reader speaks from now for about `estimatedMs`: a phrase of the game's going out (its
    /// start and speakingTime) or the reader's echo of a key, so the game's sounds can make room
    /// for it.
    void phraseStarted(int estimatedMs);

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    struct Phrase {
        QString text;
        Kind kind;
        QString topic;
        Moments moments;
    };
    /// Ends the phrase being said when its time is up, says what may be said now, and sets the
    /// timer for what comes next.
    void next();
    /// The reader stopped speaking (a key, the window left) and says its own words for the next
    /// milliseconds: the phrase being said ends here.
    void cutOff(int ownWordsMs);
    /// The reader is busy for the next milliseconds after whatever it is saying already.
    void queueOwnWords(int ms);
    qint64 now() const { return clock_.elapsed(); }

    QPointer<QWidget> window_;
    std::deque<Phrase> waiting_;
    /// The phrase the reader is saying, when it was given to the reader, and when it ends, on
    /// clock_.
    std::optional<Phrase> saying_;
    qint64 sayingStarted_ = 0;
    qint64 sayingEnds_ = 0;
    QStringList said_;
    QElapsedTimer clock_;
    QTimer timer_{this};
    /// When the reader has said everything it was given, ours and its own, on clock_.
    qint64 busyUntil_ = 0;
    /// The window is active, and the reader has been told so once.
    bool active_ = false;
};

} // namespace numblaze
