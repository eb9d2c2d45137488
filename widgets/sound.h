// SPDX-FileCopyrightText: The Numblaze developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QElapsedTimer>
#include <QObject>
#include <QString>
#include <QTimer>
#include <functional>
#include <memory>
#include <optional>
#include <vector>

namespace numblaze
{

class SoundStream;

/// The moments the game marks with a sound.
enum class Cue {
    Countdown,     ///< "3", "2" and "1" of the countdown
    Go,            ///< the race starts
    Right,         ///< a right answer; its step is the player's ball's steps from the start, 1-11
    Wrong,         ///< a wrong answer, with the red flash
    OpponentTenth, ///< the opponent's ball passed a tenth of the track; its step is that tenth,
                   ///< 1-10
    OpponentLeads, ///< the opponent's ball passed the player's
    Won,           ///< a won race
    Record,        ///< a won race that sets the best record of the whole Hall of Fame
    Lost,          ///< a lost race
    Choice,        ///< a click on a choice of the menu
};

/// One sound asked for: the cue and, where the pitch tells how far a ball is, its step.
struct SoundCue {
    Cue cue = Cue::Choice;
    int step = 0;

    bool operator==(const SoundCue&) const = default;
};

/// The file in the game's resources that holds a cue's sound (":/sounds/right-03.wav"); a
/// step out of range takes the nearest one.
QString soundFile(SoundCue cue);

/// Where the game's sounds go to be heard: the sound device, or a test's record of them.
class SoundOutput
{
  public:
    virtual ~SoundOutput() = default;
    /// Starts the cue's sound at once, over any still playing, or not at all; the end of a race
    /// waits for the sounds already playing to end. Returns at once.
    virtual void play(SoundCue cue) = 0;
    /// A phrase is being said to a reader for the next `ms` milliseconds: the sounds playing
    /// meanwhile go quieter.
    virtual void duckFor(int ms) { Q_UNUSED(ms) }
};

/**
 * The game's sounds, as the screens ask for them. It decides whether they are heard: not while
 * the player has muted them, and not before the sound device is ready. One object serves the whole
 * run; the screens reach it through the pointer app/ gives each screen object (Screen::useSounds),
 * so the mute choice is one for every screen and a test can hear what the screens ask for.
 *
 * Beside speech: while a reader listens, the game's own phrases come first. During a phrase the
 * sounds that tell of the race going on by itself (a countdown tone, the opponent's knocks, the
 * opponent taking the lead) wait until it has been said; the others, which answer what the player
 * just did, play at once but ducked.
 */
class Sounds : public QObject
{
    Q_OBJECT

  public:
    explicit Sounds(QObject* parent = nullptr);
    ~Sounds() override;

    /// Plays the cue on the output, unless muted or without an output.
    void play(Cue cue, int step = 0);

    bool isMuted() const { return muted_; }
    /// Mutes or unmutes, as the player chose (the M key, the choice remembered, or --mute).
    void setMuted(bool muted);

    /// Where the sounds go from now on; nothing silences them.
    void setOutput(std::unique_ptr<SoundOutput> output);
    SoundOutput* output() const { return output_.get(); }

    /// The game's voice is saying a phrase to a reader, which takes about `estimatedMs`.
    /// Nothing changes when no reader listens.
    void besidePhrase(int estimatedMs);
    /// Whether a reader listens; by default, whether assistive technology is active.
    std::function<bool()> readerListens;

    /// A sound that waited for a phrase is dropped when the phrases kept it this long: what it
    /// told is no longer news.
    static constexpr int LongestWaitMs = 2500;
    /// Sounds that waited for the same phrase follow one another this far apart.
    static constexpr int WaitedApartMs = 150;

  private:
    struct Waiting {
        SoundCue cue;
        qint64 askedAt;
    };
    void playWaiting();

    std::unique_ptr<SoundOutput> output_;
    bool muted_ = false;
    QElapsedTimer clock_;
    /// When the phrase being said ends, on clock_.
    qint64 phraseEnds_ = 0;
    std::vector<Waiting> waiting_;
    QTimer waitTimer_;
};

/**
 * The sound device: every cue's sound is mixed by the game itself (SoundMixer) into one
 * long-lived audio stream (SoundStream), which plays on PulseAudio and on PipeWire alike. One
 * stream opened once starts each sound without a new stream's start-up delay. A sound that cannot
 * start within 100 ms of its event is dropped. The decoding of the sounds, the mixing and the
 * stream run in a thread of their own, so the user-interface thread never waits on the audio
 * server. Without a sound device, with a broken audio server or one that goes away, the game
 * plays on in silence, with one line on standard error.
 */
class SoundDevice : public SoundOutput
{
  public:
    /// Opens the default audio output in the sound thread; returns at once.
    SoundDevice();
    /// Stops the sound thread (see SoundStream).
    ~SoundDevice() override;

    void play(SoundCue cue) override;
    void duckFor(int ms) override;

    /// How long the last cue waited, for the benchmark.
    struct Latency {
        double untilWrittenMs = 0; ///< from play() to its first sample written to the stream
        double queuedAheadMs = 0;  ///< audio already in the stream's buffer ahead of that sample
    };
    /// The last played cue's wait, once its first sample has been written.
    std::optional<Latency> lastLatency() const;
    /// How many times the stream ran dry in the middle of a sound.
    int shortfalls() const;
    /// True once the stream is open and takes sound.
    bool isOpen() const;
    /// How the sound thread is scheduled (see SoundStream::schedule).
    QString schedule() const;

  private:
    class Feed;
    std::shared_ptr<Feed> feed_;
    std::unique_ptr<SoundStream> stream_;
};

} // namespace numblaze
