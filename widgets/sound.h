// SPDX-FileCopyrightText: The Numblaze developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QObject>
#include <QString>
#include <memory>
#include <optional>

class QThread;

namespace numblaze
{

class SoundMixer;

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
    /// Starts the cue's sound at once, over any still playing, or not at all. Returns at once.
    virtual void play(SoundCue cue) = 0;
};

/**
 * The game's sounds, as the screens ask for them. It decides whether they are heard: not while
 * the player has muted them, and not before the sound device is ready. One object serves the whole
 * run; the screens reach it through the pointer app/ gives each screen object (Screen::useSounds),
 * so the mute choice is one for every screen and a test can hear what the screens ask for.
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

  private:
    std::unique_ptr<SoundOutput> output_;
    bool muted_ = false;
};

/**
 * The sound device: every cue's sound is mixed by the game itself into one long-lived audio
 * stream (Qt Multimedia's QAudioSink in push mode), paused while nothing plays. Qt 6.4's
 * QSoundEffect opened a stream but played silence here; one stream opened once also starts each
 * sound without a new stream's start-up delay (a fresh stream took 20 ms to 2 s to take its
 * first samples here). A sound that cannot start within 100 ms of its event is dropped. The stream,
 * the decoding of the sounds and the mixing run in a thread of their own, so the user-interface
 * thread never waits on the audio server. Without a sound device, with a broken audio server or one
 * that goes away, the game plays on in silence, with one line on standard error.
 */
class SoundDevice : public SoundOutput
{
  public:
    /// Opens the default audio output in the sound thread; returns at once.
    SoundDevice();
    ~SoundDevice() override;

    void play(SoundCue cue) override;

    /// How long the last cue waited, for the benchmark.
    struct Latency {
        double untilWrittenMs = 0; ///< from play() to its first sample written to the stream
        double queuedAheadMs = 0;  ///< audio already in the stream's buffer ahead of that sample
    };
    /// The last played cue's wait, once its first sample has been written.
    std::optional<Latency> lastLatency() const;
    /// True once the stream is open and carrying silence or sound.
    bool isOpen() const;

  private:
    QThread* thread_ = nullptr;
    SoundMixer* mixer_ = nullptr;
};

} // namespace numblaze
