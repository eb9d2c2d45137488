// SPDX-FileCopyrightText: The Numblaze developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QString>
#include <QtGlobal>
#include <atomic>
#include <chrono>
#include <memory>
#include <thread>

namespace numblaze
{

/// What a SoundStream plays. Every member is called in the sound thread.
class SoundFeed
{
  public:
    virtual ~SoundFeed() = default;
    /// Called first, before the stream opens: loads what the feed plays.
    virtual void prepare() = 0;
    /// Whether a sound plays or has been asked for.
    virtual bool hasSound() = 0;
    /// The next `frames` frames of 16-bit mono at 16000 Hz; `queuedMs` of audio are already in
    /// the stream ahead of them.
    virtual void fill(qint16* out, size_t frames, double queuedMs) = 0;
    /// Forgets every sound playing or asked for: the stream could not take them.
    virtual void drop() = 0;
};

/**
 * Whether the game's stream has run dry: whether what is written next goes where the server reads
 * (a sound after silence, which would otherwise lose its first milliseconds) or follows what is
 * still waiting to be played (the rest of a sound, which must not be written over).
 *
 * The server says when the stream ran dry, but its word comes after the stream has run out and
 * may reach the game after it has written a new sound into the stream: taken then, the next part
 * of that sound would be written over the part before it, a hole in the sound. What the game wrote
 * and when tells it the same, never later: the stream runs out once what was queued ahead of the
 * last write, and the write itself, have been played. (Measured on PulseAudio and on PipeWire: the
 * server's word came 0.1 to 5 ms after that moment, never before it.) So the stream is dry from
 * that moment on, or once the server says so; and the server's word is taken only once what was
 * written could have run out.
 */
class StreamQueue
{
  public:
    using Clock = std::chrono::steady_clock;

    /// Whether the stream has run dry by `now`.
    bool isDry(Clock::time_point now) const { return dryNoticed_ || now >= drainsAt_; }
    /// `frames` at `rate` were written at `now`, behind `queuedFrames` still waiting to be played.
    void written(Clock::time_point now, size_t queuedFrames, size_t frames, int rate);
    /// The server asked for more at `now`, holding `queuedFrames`. A server that stood still for
    /// a while (its requests stop, and then it asks for only a little) still holds what the game
    /// reckoned played out, and writing where it reads would write over it.
    void serverHolds(Clock::time_point now, size_t queuedFrames, int rate);
    /// The server says the stream ran dry; said before what was written could have run out, it
    /// is about the stream before the last write, which has filled it again.
    void serverRanDry(Clock::time_point now);

    /// How much earlier than the game's reckoning the server's word is still taken.
    static constexpr std::chrono::milliseconds NoticeEarly{3};

  private:
    /// When what has been written will have been played; a new stream is empty.
    Clock::time_point drainsAt_{};
    bool dryNoticed_ = false;
};

/**
 * The game's one audio stream, fed from a thread of its own, so that the user-interface thread
 * never waits on the audio server and a busy user-interface thread never starves the stream.
 *
 * It talks to the sound server through PulseAudio's client library, which PulseAudio serves and
 * PipeWire serves too (pipewire-pulse, on GNOME since Debian 12). The library is loaded in the
 * sound thread when the stream opens, not linked: with its codecs and their libraries it is a
 * dozen shared libraries that the menu's first paint would otherwise wait for. Qt Multimedia's
 * QAudioSink was the first way here; it is not used, for that cost and because its stream,
 * paused when idle and resumed for each sound, stopped being taken by PipeWire after a few
 * resumes.
 *
 * The stream is never paused. While nothing plays nothing is written: the stream runs dry, the
 * server asks for nothing more, and the thread sleeps until a sound is asked for, so an idle
 * game costs no CPU. A sound is written as soon as it is asked for, into a short buffer (40 ms)
 * that the server drains at once; while sounds play the thread keeps that buffer full. The
 * thread runs at a real-time priority where the system allows it (root, an rtprio limit), else
 * at a raised nice level where allowed, so that a busy machine does not leave holes in a sound.
 *
 * If the server stops taking the stream's samples while a sound plays, the stream is opened
 * again, said once on standard error. Without a server, or when it goes away, the game plays
 * on in silence, said once; the next sound after a few seconds tries the server again.
 */
class SoundStream
{
  public:
    /// Starts the sound thread, which opens the stream to the default output; returns at once.
    /// The thread shares the feed, so that a thread left running at the end still has it.
    explicit SoundStream(std::shared_ptr<SoundFeed> feed);
    /// Closes the stream and ends the thread. An audio server that hangs must not hold up the
    /// end of the game: after two seconds the thread is left to the end of the process.
    ~SoundStream();

    /// A sound has been asked for: the thread writes it now. Callable from any thread.
    void wake();
    /// True once the stream is open.
    bool isOpen() const;
    /// How the sound thread is scheduled ("real-time, priority 5", "nice -10", "normal"),
    /// once it has started.
    QString schedule() const;
    /// How many times the stream ran dry in the middle of a sound, since it started: the game
    /// wrote too late, or the server played faster than it was given samples.
    int shortfalls() const;

    /// The stream's buffer, and how long the server may take no samples while a sound plays
    /// before the stream is opened again.
    static constexpr int BufferMs = 40;
    static constexpr int StallMs = 500;

  private:
    class Worker;
    std::shared_ptr<Worker> worker_;
    std::thread thread_;
};

} // namespace numblaze
