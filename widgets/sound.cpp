// SPDX-FileCopyrightText: The Numblaze developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "widgets/sound.h"

#include <QAudioSink>
#include <QCoreApplication>
#include <QFile>
#include <QMediaDevices>
#include <QThread>
#include <QTimer>
#include <QtEndian>
#include <atomic>
#include <chrono>
#include <cstdio>
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
constexpr int SampleRate = 16000;
/// The stream's buffer: short, so a sound starts soon after it is asked for, and long enough
/// that the pump below keeps it from running dry.
constexpr int BufferMs = 20;
constexpr int PumpMs = 5;
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
    const QByteArray bytes = file.readAll();
    if (bytes.size() < 12 || !bytes.startsWith("RIFF") || bytes.mid(8, 4) != "WAVE")
        return {};
    bool formatFits = false;
    for (qsizetype at = 12; at + 8 <= bytes.size();) {
        const QByteArray id = bytes.mid(at, 4);
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

void sayNoSound(const char* why)
{
    std::fprintf(stderr, "numblaze: %s\n", qPrintable(QCoreApplication::translate("Sound", why)));
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

Sounds::Sounds(QObject* parent) : QObject(parent) {}

Sounds::~Sounds() = default;

void Sounds::play(Cue cue, int step)
{
    if (output_ && !muted_)
        output_->play({cue, step});
}

void Sounds::setMuted(bool muted)
{
    muted_ = muted;
}

void Sounds::setOutput(std::unique_ptr<SoundOutput> output)
{
    output_ = std::move(output);
}

// --- The mixer -----------------------------------------------------------------------------

/// Lives in the sound thread: holds the decoded sounds and the stream, and mixes the sounds
/// that play into it, silence when none does.
class SoundMixer : public QObject
{
    Q_OBJECT

  public:
    /// Asks for a sound; called from any thread.
    void enqueue(SoundCue cue)
    {
        std::lock_guard guard(lock_);
        pending_.push_back({cue, Clock::now()});
    }

    std::optional<SoundDevice::Latency> lastLatency() const
    {
        std::lock_guard guard(lock_);
        return latency_;
    }

    std::atomic<bool> isOpen{false};

    void open()
    {
        for (const SoundCue& cue : everyCue()) {
            const QString file = soundFile(cue);
            sounds_[file] = readWav(file);
        }
        const QAudioDevice device = QMediaDevices::defaultAudioOutput();
        QAudioFormat format;
        format.setSampleRate(SampleRate);
        format.setChannelCount(1);
        format.setSampleFormat(QAudioFormat::Int16);
        if (device.isNull() || !device.isFormatSupported(format))
            return stop(QT_TRANSLATE_NOOP("Sound", "no sound device found; playing without sound"));
        sink_ = new QAudioSink(device, format, this);
        sink_->setBufferSize(format.bytesForDuration(BufferMs * 1000));
        connect(sink_, &QAudioSink::stateChanged, this, &SoundMixer::checkStream);
        stream_ = sink_->start();
        if (!stream_ || sink_->error() == QAudio::OpenError)
            return stop(QT_TRANSLATE_NOOP("Sound", "no sound device found; playing without sound"));
        pump_ = new QTimer(this);
        pump_->setTimerType(Qt::PreciseTimer);
        connect(pump_, &QTimer::timeout, this, &SoundMixer::fill);
        isOpen = true;
        fill();
    }

    /// Writes as much as the stream takes of the sounds that play, mixed. When none plays and
    /// none waits, the pump rests and the stream runs dry: an idle game costs nothing, and the
    /// next sound finds the whole buffer free.
    void fill()
    {
        if (!stream_)
            return;
        const qsizetype frames = sink_->bytesFree() / 2;
        if (!takePending(frames) && voices_.empty()) {
            rest();
            return;
        }
        if (!pump_->isActive()) {
            pump_->start(PumpMs);
            sink_->resume();
        }
        if (frames <= 0)
            return;
        std::vector<int> mix(size_t(frames), 0);
        for (Voice& voice : voices_) {
            const size_t count = std::min(mix.size(), voice.samples->size() - voice.at);
            for (size_t i = 0; i < count; ++i)
                mix[i] += (*voice.samples)[voice.at + i];
            voice.at += count;
        }
        std::erase_if(voices_, [](const Voice& v) { return v.at >= v.samples->size(); });
        QByteArray bytes(frames * 2, Qt::Uninitialized);
        for (size_t i = 0; i < mix.size(); ++i)
            qToLittleEndian<qint16>(qint16(std::clamp(mix[i], -32768, 32767)),
                                    bytes.data() + 2 * i);
        if (stream_->write(bytes) < 0)
            stop(QT_TRANSLATE_NOOP("Sound", "the sound device stopped working; playing on "
                                            "without sound"));
    }

  private:
    /// Nothing plays: the pump stops and, once what was written has been heard, the stream is
    /// paused, so an idle game wakes neither itself nor the audio server.
    void rest()
    {
        pump_->stop();
        if (sink_->state() == QAudio::ActiveState || sink_->state() == QAudio::IdleState)
            QTimer::singleShot(BufferMs * 2, this, [this] {
                if (stream_ && !pump_->isActive())
                    sink_->suspend();
            });
    }

    struct Pending {
        SoundCue cue;
        Clock::time_point asked;
    };
    struct Voice {
        const std::vector<qint16>* samples;
        size_t at;
    };

    /// Starts the sounds asked for since the last write, which begin with the frames written
    /// now, and drops those that waited too long. Returns whether any still waits for room.
    bool takePending(qsizetype frames)
    {
        std::lock_guard guard(lock_);
        const Clock::time_point now = Clock::now();
        std::erase_if(pending_,
                      [now](const Pending& p) { return msBetween(p.asked, now) > LateMs; });
        if (frames <= 0)
            return !pending_.empty();
        const double queued = double(sink_->bufferSize() / 2 - frames) * 1000 / SampleRate;
        for (const Pending& p : pending_) {
            const std::vector<qint16>& samples = sounds_[soundFile(p.cue)];
            if (samples.empty())
                continue;
            voices_.push_back({&samples, 0});
            latency_ = SoundDevice::Latency{msBetween(p.asked, now), queued};
        }
        pending_.clear();
        return false;
    }

    void checkStream(QAudio::State)
    {
        const QAudio::Error error = sink_->error();
        if (error == QAudio::OpenError || error == QAudio::IOError || error == QAudio::FatalError)
            stop(QT_TRANSLATE_NOOP("Sound", "the sound device stopped working; playing on "
                                            "without sound"));
    }

    /// Silence from here on, said once.
    void stop(const char* why)
    {
        if (pump_)
            pump_->stop();
        stream_ = nullptr;
        isOpen = false;
        if (!told_)
            sayNoSound(why);
        told_ = true;
        voices_.clear();
        if (sink_)
            sink_->disconnect(this);
    }

    mutable std::mutex lock_;
    std::vector<Pending> pending_;
    std::optional<SoundDevice::Latency> latency_;
    std::map<QString, std::vector<qint16>> sounds_;
    std::vector<Voice> voices_;
    QAudioSink* sink_ = nullptr;
    QIODevice* stream_ = nullptr;
    QTimer* pump_ = nullptr;
    bool told_ = false;
};

SoundDevice::SoundDevice() : thread_(new QThread), mixer_(new SoundMixer)
{
    thread_->setObjectName(QStringLiteral("sound"));
    mixer_->moveToThread(thread_);
    SoundMixer* mixer = mixer_;
    QObject::connect(thread_, &QThread::started, mixer, &SoundMixer::open);
    // Runs in the sound thread as it ends, so the stream is closed where it was opened.
    QObject::connect(
        thread_, &QThread::finished, mixer, [mixer] { delete mixer; }, Qt::DirectConnection);
    thread_->start();
}

SoundDevice::~SoundDevice()
{
    thread_->quit();
    // An audio server that hangs must not hold up the end of the game: the thread is then left
    // to the end of the process.
    if (thread_->wait(QDeadlineTimer(2000)))
        delete thread_;
}

void SoundDevice::play(SoundCue cue)
{
    mixer_->enqueue(cue);
    QMetaObject::invokeMethod(mixer_, &SoundMixer::fill, Qt::QueuedConnection);
}

std::optional<SoundDevice::Latency> SoundDevice::lastLatency() const
{
    return mixer_->lastLatency();
}

bool SoundDevice::isOpen() const
{
    return mixer_->isOpen;
}

} // namespace numblaze

#include "sound.moc"
