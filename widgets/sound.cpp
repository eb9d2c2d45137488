// SPDX-FileCopyrightText: The Numblaze developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "widgets/sound.h"

#include "widgets/soundmixer.h"
#include "widgets/soundstream.h"

#include <QAccessible>
#include <QFile>
#include <QtEndian>
#include <chrono>
#include <map>
#include <mutex>
#include <vector>

// The sounds are resources of the game library; an executable keeps them only when this
// registration refers to them.
static void initialiseSoundResources()
{
    Q_INIT_RESOURCE(sounds);
}

namespace numblaze
{

namespace
{
using Clock = std::chrono::steady_clock;

/// Every sound file is 16-bit mono at this rate (tools/synthsounds writes them so).
constexpr int SampleRate = SoundMixer::Rate;
/// A sound that could not start this long after its event is dropped: late, it would tell of
/// something else. (A fresh stream can take a while before it takes its first samples.)
constexpr double LateMs = 100;

double msBetween(Clock::time_point from, Clock::time_point to)
{
    return std::chrono::duration<double, std::milli>(to - from).count();
}

int clampedStep(int step, int steps)
{
    return std::clamp(step, 1, steps);
}

/// The samples of a 16-bit mono PCM WAV file at SampleRate; empty for anything else. Qt reads
/// WAV files only through QAudioDecoder, which decodes asynchronously through a media back end;
/// these files are the game's own and simple enough to read here.
std::vector<qint16> readWav(const QString& name)
{
    QFile file(name);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    // Read into storage of the file's own size, never Qt's shared empty array: the compiler
    // cannot see that the size checks keep every read inside it.
    const std::vector<char> contents = [&file] {
        const QByteArray all = file.readAll();
        return std::vector<char>(all.begin(), all.end());
    }();
    const QByteArrayView bytes(contents.data(), qsizetype(contents.size()));
    if (bytes.size() < 12 || !bytes.startsWith("RIFF") || bytes.sliced(8, 4) != "WAVE")
        return {};
    bool formatFits = false;
    for (qsizetype at = 12; at + 8 <= bytes.size();) {
        const QByteArrayView id = bytes.sliced(at, 4);
        const qsizetype size = qFromLittleEndian<quint32>(bytes.constData() + at + 4);
        const char* body = bytes.constData() + at + 8;
        if (size > bytes.size() - at - 8)
            return {};
        if (id == "fmt " && size >= 16)
            formatFits = qFromLittleEndian<quint16>(body) == 1 &&
                         qFromLittleEndian<quint16>(body + 2) == 1 &&
                         qFromLittleEndian<quint32>(body + 4) == SampleRate &&
                         qFromLittleEndian<quint16>(body + 14) == 16;
        if (id == "data" && formatFits) {
            std::vector<qint16> samples(size_t(size / 2));
            for (size_t i = 0; i < samples.size(); ++i)
                samples[i] = qFromLittleEndian<qint16>(body + 2 * i);
            return samples;
        }
        at += 8 + size + (size & 1);
    }
    return {};
}

/// Every cue with every step it takes.
std::vector<SoundCue> everyCue()
{
    std::vector<SoundCue> cues;
    for (Cue cue : {Cue::Countdown, Cue::Go, Cue::Wrong, Cue::OpponentLeads, Cue::Won, Cue::Record,
                    Cue::Lost, Cue::Choice})
        cues.push_back({cue, 0});
    for (int step = 1; step <= 11; ++step)
        cues.push_back({Cue::Right, step});
    for (int step = 1; step <= 10; ++step)
        cues.push_back({Cue::OpponentTenth, step});
    return cues;
}

/// The sounds that tell of the race going on by itself: beside a phrase they wait for its end.
bool waitsForPhrases(Cue cue)
{
    return cue == Cue::Countdown || cue == Cue::OpponentTenth || cue == Cue::OpponentLeads;
}

/// The sounds that end a race: they follow the last chime or knock instead of covering it.
bool endsRace(Cue cue)
{
    return cue == Cue::Won || cue == Cue::Record || cue == Cue::Lost;
}
} // namespace

QString soundFile(SoundCue cue)
{
    static const bool registered = (initialiseSoundResources(), true);
    Q_UNUSED(registered)
    auto file = [](const char* name) { return QStringLiteral(":/sounds/%1.wav").arg(name); };
    auto rung = [](const char* name, int step) {
        return QStringLiteral(":/sounds/%1-%2.wav").arg(name).arg(step, 2, 10, QLatin1Char('0'));
    };
    switch (cue.cue) {
    case Cue::Countdown:
        return file("countdown");
    case Cue::Go:
        return file("go");
    case Cue::Right:
        return rung("right", clampedStep(cue.step, 11));
    case Cue::Wrong:
        return file("wrong");
    case Cue::OpponentTenth:
        return rung("opponent", clampedStep(cue.step, 10));
    case Cue::OpponentLeads:
        return file("lead");
    case Cue::Won:
        return file("win");
    case Cue::Record:
        return file("record");
    case Cue::Lost:
        return file("loss");
    case Cue::Choice:
        break;
    }
    return file("click");
}

// --- Sounds --------------------------------------------------------------------------------

Sounds::Sounds(QObject* parent) : QObject(parent)
{
    readerListens = [] { return QAccessible::isActive(); };
    clock_.start();
    waitTimer_.setSingleShot(true);
    // A coarse timer may fire a few hundredths early, on the end of the phrase.
    waitTimer_.setTimerType(Qt::PreciseTimer);
    connect(&waitTimer_, &QTimer::timeout, this, &Sounds::playWaiting);
}

Sounds::~Sounds() = default;

void Sounds::play(Cue cue, int step)
{
    if (!output_ || muted_)
        return;
    const SoundCue sound{cue, step};
    if (waitsForPhrases(cue) && clock_.elapsed() < phraseEnds_ && readerListens &&
        readerListens()) {
        // Only the newest knock still tells where the opponent is.
        if (cue == Cue::OpponentTenth)
            std::erase_if(waiting_,
                          [](const Waiting& w) { return w.cue.cue == Cue::OpponentTenth; });
        waiting_.push_back({sound, clock_.elapsed()});
        waitTimer_.start(int(phraseEnds_ - clock_.elapsed()));
        return;
    }
    output_->play(sound);
}

void Sounds::setMuted(bool muted)
{
    muted_ = muted;
    if (muted)
        waiting_.clear();
}

void Sounds::setOutput(std::unique_ptr<SoundOutput> output)
{
    output_ = std::move(output);
    waiting_.clear();
}

void Sounds::besidePhrase(int estimatedMs)
{
    if (estimatedMs <= 0 || !readerListens || !readerListens())
        return;
    phraseEnds_ = std::max(phraseEnds_, clock_.elapsed() + estimatedMs);
    if (output_ && !muted_)
        output_->duckFor(int(phraseEnds_ - clock_.elapsed()));
    if (!waiting_.empty())
        waitTimer_.start(int(phraseEnds_ - clock_.elapsed()));
}

void Sounds::playWaiting()
{
    std::erase_if(waiting_, [this](const Waiting& w) {
        return clock_.elapsed() - w.askedAt > LongestWaitMs;
    });
    if (waiting_.empty() || !output_ || muted_)
        return;
    output_->play(waiting_.front().cue);
    waiting_.erase(waiting_.begin());
    if (!waiting_.empty())
        waitTimer_.start(WaitedApartMs);
}

// --- The sound device ----------------------------------------------------------------------

/// What the sound device plays: the cues asked for, mixed. Cues are asked for in the
/// user-interface thread; everything else runs in the sound thread.
class SoundDevice::Feed : public SoundFeed
{
  public:
    /// Asks for a sound; called from any thread.
    void enqueue(SoundCue cue)
    {
        std::lock_guard guard(lock_);
        const Clock::time_point now = Clock::now();
        // Without a stream nothing takes the cues: those too old to play go.
        std::erase_if(pending_,
                      [now](const Pending& p) { return msBetween(p.asked, now) > LateMs; });
        pending_.push_back({cue, now});
    }

    void duckUntil(Clock::time_point until)
    {
        std::lock_guard guard(lock_);
        duckUntil_ = std::max(duckUntil_, until);
    }

    std::optional<SoundDevice::Latency> lastLatency() const
    {
        std::lock_guard guard(lock_);
        return latency_;
    }

    void prepare() override
    {
        for (const SoundCue& cue : everyCue()) {
            const QString file = soundFile(cue);
            sounds_[file] = readWav(file);
        }
    }

    bool hasSound() override
    {
        std::lock_guard guard(lock_);
        return !pending_.empty() || mixer_.isPlaying();
    }

    void fill(qint16* out, size_t frames, double queuedMs) override
    {
        {
            std::lock_guard guard(lock_);
            const Clock::time_point now = Clock::now();
            // The frames mixed now are heard queuedMs from now.
            const double duckMs = msBetween(now, duckUntil_) - queuedMs;
            mixer_.duck(duckMs > 0 ? int(duckMs * SampleRate / 1000) : 0);
            for (const Pending& p : pending_)
                start(p, now, queuedMs);
            pending_.clear();
        }
        mixer_.mix(out, frames);
    }

    void drop() override
    {
        std::lock_guard guard(lock_);
        pending_.clear();
        mixer_.clear();
    }

  private:
    struct Pending {
        SoundCue cue;
        Clock::time_point asked;
    };

    /// Starts a sound asked for, unless it waited too long.
    void start(const Pending& p, Clock::time_point now, double queuedMs)
    {
        const std::vector<qint16>& samples = sounds_[soundFile(p.cue)];
        if (samples.empty() || msBetween(p.asked, now) > LateMs)
            return;
        if (endsRace(p.cue.cue)) {
            mixer_.start(samples, SoundMixer::Entry::AfterOthers);
            return;
        }
        mixer_.start(samples);
        latency_ = SoundDevice::Latency{msBetween(p.asked, now), queuedMs};
    }

    mutable std::mutex lock_;
    std::vector<Pending> pending_;
    Clock::time_point duckUntil_;
    std::optional<SoundDevice::Latency> latency_;
    std::map<QString, std::vector<qint16>> sounds_;
    SoundMixer mixer_;
};

SoundDevice::SoundDevice()
    : feed_(std::make_shared<Feed>()), stream_(std::make_unique<SoundStream>(feed_))
{
}

SoundDevice::~SoundDevice() = default;

void SoundDevice::play(SoundCue cue)
{
    feed_->enqueue(cue);
    stream_->wake();
}

void SoundDevice::duckFor(int ms)
{
    feed_->duckUntil(Clock::now() + std::chrono::milliseconds(ms));
    stream_->wake();
}

std::optional<SoundDevice::Latency> SoundDevice::lastLatency() const
{
    return feed_->lastLatency();
}

int SoundDevice::shortfalls() const
{
    return stream_->shortfalls();
}

bool SoundDevice::isOpen() const
{
    return stream_->isOpen();
}

QString SoundDevice::schedule() const
{
    return stream_->schedule();
}

} // namespace numblaze
