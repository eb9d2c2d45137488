// SPDX-FileCopyrightText: The Numblaze developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "widgets/soundstream.h"

#include <QCoreApplication>
#include <algorithm>
#include <chrono>
#include <condition_variable>
#include <cstdio>
#include <dlfcn.h>
#include <mutex>
#include <optional>
#include <pthread.h>
#include <pulse/pulseaudio.h>
#include <sched.h>
#include <sys/resource.h>
#include <thread>
#include <unistd.h>
#include <utility>
#include <vector>

namespace numblaze
{

namespace
{
using Clock = std::chrono::steady_clock;

constexpr int Rate = 16000;
constexpr size_t FrameBytes = 2;

// The functions of PulseAudio's client library the stream uses, looked up when it is loaded.
#define NUMBLAZE_PULSE_FUNCTIONS(F)                                                                \
    F(pa_mainloop_new)                                                                             \
    F(pa_mainloop_free)                                                                            \
    F(pa_mainloop_get_api)                                                                         \
    F(pa_mainloop_prepare)                                                                         \
    F(pa_mainloop_poll)                                                                            \
    F(pa_mainloop_dispatch)                                                                        \
    F(pa_mainloop_wakeup)                                                                          \
    F(pa_proplist_new)                                                                             \
    F(pa_proplist_sets)                                                                            \
    F(pa_proplist_free)                                                                            \
    F(pa_context_new_with_proplist)                                                                \
    F(pa_context_set_state_callback)                                                               \
    F(pa_context_connect)                                                                          \
    F(pa_context_disconnect)                                                                       \
    F(pa_context_get_state)                                                                        \
    F(pa_context_get_server_info)                                                                  \
    F(pa_context_unref)                                                                            \
    F(pa_operation_unref)                                                                          \
    F(pa_stream_new_with_proplist)                                                                 \
    F(pa_stream_set_state_callback)                                                                \
    F(pa_stream_set_write_callback)                                                                \
    F(pa_stream_set_underflow_callback)                                                            \
    F(pa_stream_connect_playback)                                                                  \
    F(pa_stream_disconnect)                                                                        \
    F(pa_stream_get_state)                                                                         \
    F(pa_stream_get_buffer_attr)                                                                   \
    F(pa_stream_writable_size)                                                                     \
    F(pa_stream_write)                                                                             \
    F(pa_stream_unref)

/// PulseAudio's client library, loaded once for the run; every function is there, or none is.
struct Pulse {
#define NUMBLAZE_DECLARE(name) decltype(&::name) name = nullptr;
    NUMBLAZE_PULSE_FUNCTIONS(NUMBLAZE_DECLARE)
#undef NUMBLAZE_DECLARE

    /// The library, or nothing when this system lacks it. It stays loaded to the end of the
    /// process.
    static const Pulse* load()
    {
        static const std::optional<Pulse> pulse = [] {
            std::optional<Pulse> loaded;
            void* library = dlopen("libpulse.so.0", RTLD_NOW | RTLD_LOCAL);
            if (!library)
                return loaded;
            Pulse p;
            bool complete = true;
#define NUMBLAZE_LOOK_UP(name)                                                                     \
    p.name = reinterpret_cast<decltype(p.name)>(dlsym(library, #name));                            \
    complete = complete && p.name;
            NUMBLAZE_PULSE_FUNCTIONS(NUMBLAZE_LOOK_UP)
#undef NUMBLAZE_LOOK_UP
            if (complete)
                loaded = p;
            return loaded;
        }();
        return pulse ? &*pulse : nullptr;
    }
};

void say(const char* why)
{
    std::fprintf(stderr, "numblaze: %s\n", qPrintable(QCoreApplication::translate("Sound", why)));
}

const char* const NoDevice =
    QT_TRANSLATE_NOOP("Sound", "no sound device found; playing without sound");
const char* const Stopped =
    QT_TRANSLATE_NOOP("Sound", "the sound device stopped working; playing on without sound");
const char* const Reopened = QT_TRANSLATE_NOOP(
    "Sound", "the sound server stopped taking the game's sound; its stream was opened again");

/// The silence before a sound written into a dry stream: what PulseAudio drops of it.
constexpr int LeadInMs = 10;

/// After the server went away, how long before a new sound tries it again.
constexpr auto RetryAfter = std::chrono::seconds(3);

/// Raises the calling thread's priority as far as the system allows it: a real-time round-robin
/// priority low among real-time threads (audio servers take higher ones), else a raised nice
/// level. Returns what it got. Children started from the thread would not inherit it.
QString raisePriority()
{
    sched_param realTime{};
    realTime.sched_priority = std::min(5, sched_get_priority_max(SCHED_RR));
    if (sched_setscheduler(0, SCHED_RR | SCHED_RESET_ON_FORK, &realTime) == 0)
        return QStringLiteral("real-time, priority %1").arg(realTime.sched_priority);
    for (int nice = -10; nice < 0; nice += 5)
        if (setpriority(PRIO_PROCESS, gettid(), nice) == 0)
            return QStringLiteral("nice %1").arg(nice);
    return QStringLiteral("normal");
}

/// How long `frames` at `rate` take to play.
StreamQueue::Clock::duration playing(size_t frames, int rate)
{
    return std::chrono::duration_cast<StreamQueue::Clock::duration>(
        std::chrono::duration<double>(double(frames) / rate));
}
} // namespace

void StreamQueue::written(Clock::time_point now, size_t queuedFrames, size_t frames, int rate)
{
    drainsAt_ = now + playing(queuedFrames + frames, rate);
    dryNoticed_ = false;
}

void StreamQueue::serverHolds(Clock::time_point now, size_t queuedFrames, int rate)
{
    drainsAt_ = std::max(drainsAt_, now + playing(queuedFrames, rate));
}

void StreamQueue::serverRanDry(Clock::time_point now)
{
    if (now + NoticeEarly >= drainsAt_)
        dryNoticed_ = true;
}

/// The sound thread and everything it owns. Shared with the SoundStream that started it, so that
/// a thread left running at the end of the game still finds it.
class SoundStream::Worker
{
  public:
    explicit Worker(std::shared_ptr<SoundFeed> feed) : keptFeed_(std::move(feed)), feed_(*keptFeed_)
    {
    }

    void run();

    void wake()
    {
        std::lock_guard guard(lock_);
        if (mainloop_)
            pulse_->pa_mainloop_wakeup(mainloop_);
    }

    /// Asks the thread to end; true once it has, within the time given.
    bool stop(std::chrono::milliseconds within)
    {
        quit_ = true;
        wake();
        std::unique_lock guard(lock_);
        return ended_.wait_for(guard, within, [this] { return done_; });
    }

    std::atomic<bool> open{false};
    std::atomic<int> shortfalls{0};

    QString schedule() const
    {
        std::lock_guard guard(lock_);
        return schedule_;
    }

  private:
    void connect();
    /// Opens the stream on the given output, or where the server puts it.
    void openStream(const char* output = nullptr);
    void closeStream();
    void lost();
    void reopen();
    void write();
    void afterWake();
    /// The wait for the next event, in microseconds; -1 for none.
    int timeout() const;
    /// The server took samples or asked for more: it is taking the stream.
    void progress();
    /// The frames the server still holds, as its requests say, with `writableBytes` asked for.
    size_t queuedFrames(size_t writableBytes) const
    {
        return bufferBytes_ > writableBytes ? (bufferBytes_ - writableBytes) / FrameBytes : 0;
    }

    static void onContextState(pa_context* context, void* self);
    static void onServerInfo(pa_context*, const pa_server_info* info, void* self);
    static void onStreamState(pa_stream* stream, void* self);
    static void onWritable(pa_stream*, size_t, void* self);
    static void onUnderflow(pa_stream*, void* self);

    const std::shared_ptr<SoundFeed> keptFeed_;
    SoundFeed& feed_;
    const Pulse* pulse_ = nullptr;
    pa_mainloop* mainloop_ = nullptr;
    pa_context* context_ = nullptr;
    pa_stream* stream_ = nullptr;
    size_t bufferBytes_ = 0;
    std::vector<qint16> samples_;
    /// When the server, taking no samples while a sound plays, is taken to have stopped.
    std::optional<Clock::time_point> stallAt_;
    /// When a new sound may try the server again after it went away.
    std::optional<Clock::time_point> retryAt_;
    bool everReady_ = false;
    /// Whether the stream has run dry.
    StreamQueue queue_;
    /// Whether the last write left a sound playing, to be continued by the next.
    bool midSound_ = false;
    /// What the library's callbacks found, acted on once they have returned: a stream or a
    /// context must not be freed inside its own callback.
    bool lostFound_ = false, stallFound_ = false;
    bool toldNoDevice_ = false, toldStopped_ = false, toldReopened_ = false;

    std::atomic<bool> quit_{false};
    mutable std::mutex lock_;
    std::condition_variable ended_;
    bool done_ = false;
    QString schedule_;
};

void SoundStream::Worker::run()
{
    pthread_setname_np(pthread_self(), "numblaze-sound");
    const QString schedule = raisePriority();
    {
        std::lock_guard guard(lock_);
        schedule_ = schedule;
    }
    feed_.prepare();
    pulse_ = Pulse::load();
    if (pulse_) {
        {
            std::lock_guard guard(lock_);
            mainloop_ = pulse_->pa_mainloop_new();
        }
        connect();
        while (!quit_) {
            pulse_->pa_mainloop_prepare(mainloop_, timeout());
            pulse_->pa_mainloop_poll(mainloop_);
            pulse_->pa_mainloop_dispatch(mainloop_);
            afterWake();
        }
        closeStream();
        if (context_) {
            pulse_->pa_context_disconnect(context_);
            pulse_->pa_context_unref(context_);
        }
        std::lock_guard guard(lock_);
        pulse_->pa_mainloop_free(mainloop_);
        mainloop_ = nullptr;
    } else {
        say(NoDevice);
    }
    std::lock_guard guard(lock_);
    done_ = true;
    ended_.notify_all();
}

void SoundStream::Worker::connect()
{
    pa_proplist* properties = pulse_->pa_proplist_new();
    pulse_->pa_proplist_sets(properties, PA_PROP_APPLICATION_NAME, "Numblaze");
    pulse_->pa_proplist_sets(properties, PA_PROP_APPLICATION_ICON_NAME, "numblaze");
    context_ = pulse_->pa_context_new_with_proplist(pulse_->pa_mainloop_get_api(mainloop_),
                                                    "Numblaze", properties);
    pulse_->pa_proplist_free(properties);
    pulse_->pa_context_set_state_callback(context_, &Worker::onContextState, this);
    // The game never starts a sound server of its own: the desktop's, or silence.
    if (pulse_->pa_context_connect(context_, nullptr, PA_CONTEXT_NOAUTOSPAWN, nullptr) < 0)
        lost();
}

void SoundStream::Worker::openStream(const char* output)
{
    const pa_sample_spec format{PA_SAMPLE_S16LE, Rate, 1};
    pa_proplist* properties = pulse_->pa_proplist_new();
    pulse_->pa_proplist_sets(properties, PA_PROP_MEDIA_ROLE, "game");
    stream_ = pulse_->pa_stream_new_with_proplist(context_, "Numblaze sounds", &format, nullptr,
                                                  properties);
    pulse_->pa_proplist_free(properties);
    if (!stream_)
        lostFound_ = true;
    if (!stream_)
        return;
    queue_ = StreamQueue();
    midSound_ = false;
    pulse_->pa_stream_set_state_callback(stream_, &Worker::onStreamState, this);
    pulse_->pa_stream_set_write_callback(stream_, &Worker::onWritable, this);
    pulse_->pa_stream_set_underflow_callback(stream_, &Worker::onUnderflow, this);
    // One frame is enough to start playing, so a sound shorter than the buffer plays at once,
    // and after running dry the stream starts again with the next sound's first frames.
    const pa_buffer_attr buffer{uint32_t(-1), uint32_t(Rate * BufferMs / 1000 * FrameBytes),
                                uint32_t(FrameBytes), uint32_t(-1), uint32_t(-1)};
    if (pulse_->pa_stream_connect_playback(stream_, output, &buffer, PA_STREAM_ADJUST_LATENCY,
                                           nullptr, nullptr) < 0)
        lostFound_ = true;
}

void SoundStream::Worker::closeStream()
{
    open = false;
    stallAt_.reset();
    if (!stream_)
        return;
    pulse_->pa_stream_set_state_callback(stream_, nullptr, nullptr);
    pulse_->pa_stream_set_write_callback(stream_, nullptr, nullptr);
    pulse_->pa_stream_set_underflow_callback(stream_, nullptr, nullptr);
    pulse_->pa_stream_disconnect(stream_);
    pulse_->pa_stream_unref(stream_);
    stream_ = nullptr;
}

/// The server cannot be reached or went away: silence until a later sound finds it again.
void SoundStream::Worker::lost()
{
    closeStream();
    if (context_) {
        pulse_->pa_context_set_state_callback(context_, nullptr, nullptr);
        pulse_->pa_context_disconnect(context_);
        pulse_->pa_context_unref(context_);
        context_ = nullptr;
    }
    feed_.drop();
    retryAt_ = Clock::now() + RetryAfter;
    if (!everReady_ && !toldNoDevice_ && !toldStopped_)
        say(NoDevice), toldNoDevice_ = true;
    else if (everReady_ && !toldStopped_ && !toldNoDevice_)
        say(Stopped), toldStopped_ = true;
}

void SoundStream::Worker::reopen()
{
    closeStream();
    feed_.drop();
    if (!toldReopened_)
        say(Reopened), toldReopened_ = true;
    if (!context_ || pulse_->pa_context_get_state(context_) != PA_CONTEXT_READY)
        return lost();
    // On the default output: the one the stream was on, perhaps moved there by the player or
    // remembered for games by the server, is the one that stopped taking it.
    if (pa_operation* asking =
            pulse_->pa_context_get_server_info(context_, &Worker::onServerInfo, this))
        pulse_->pa_operation_unref(asking);
    else
        openStream();
}

void SoundStream::Worker::onServerInfo(pa_context*, const pa_server_info* info, void* self)
{
    auto* worker = static_cast<Worker*>(self);
    if (!worker->stream_)
        worker->openStream(info ? info->default_sink_name : nullptr);
}

void SoundStream::Worker::progress()
{
    stallAt_.reset();
    if (feed_.hasSound())
        stallAt_ = Clock::now() + std::chrono::milliseconds(StallMs);
}

void SoundStream::Worker::write()
{
    if (!open || !feed_.hasSound())
        return;
    const size_t bytes = pulse_->pa_stream_writable_size(stream_);
    const size_t frames = bytes == size_t(-1) ? 0 : bytes / FrameBytes;
    if (!stallAt_)
        stallAt_ = Clock::now() + std::chrono::milliseconds(StallMs);
    if (frames == 0)
        return;
    // A stream that has run dry has gone on reading past its last sample; PulseAudio then
    // drops the first milliseconds of what comes next, so a sound would start cut, with a click.
    // Into a dry stream the sound goes after a little silence, written where the server reads:
    // at most the last milliseconds of what was last written can still be waiting there, the
    // silence after the last sound or its faded end.
    const Clock::time_point now = Clock::now();
    const bool startsDry = queue_.isDry(now);
    const size_t queued = startsDry ? 0 : queuedFrames(bytes);
    const size_t lead = startsDry ? size_t(Rate * LeadInMs / 1000) : 0;
    samples_.assign(lead + frames, 0);
    feed_.fill(samples_.data() + lead, frames, double(queued + lead) * 1000 / Rate);
    if (pulse_->pa_stream_write(stream_, samples_.data(), samples_.size() * FrameBytes, nullptr, 0,
                                startsDry ? PA_SEEK_RELATIVE_ON_READ : PA_SEEK_RELATIVE) < 0)
        stallFound_ = true;
    queue_.written(now, queued, lead + frames, Rate);
    // A sound went on into a dry stream: the server played past the end of what it had.
    if (startsDry && midSound_)
        ++shortfalls;
    midSound_ = feed_.hasSound();
}

void SoundStream::Worker::afterWake()
{
    if (quit_)
        return;
    if (std::exchange(lostFound_, false))
        lost();
    if (!feed_.hasSound())
        stallAt_.reset();
    else if (open && stallAt_ && Clock::now() >= *stallAt_)
        stallFound_ = true;
    if (std::exchange(stallFound_, false) && context_)
        reopen();
    if (!context_) {
        if (feed_.hasSound() && retryAt_ && Clock::now() >= *retryAt_) {
            retryAt_.reset();
            connect();
        } else {
            feed_.drop();
        }
        return;
    }
    write();
}

int SoundStream::Worker::timeout() const
{
    if (!open || !stallAt_)
        return -1;
    const auto left =
        std::chrono::duration_cast<std::chrono::microseconds>(*stallAt_ - Clock::now());
    return int(std::max<qint64>(0, left.count()));
}

void SoundStream::Worker::onContextState(pa_context* context, void* self)
{
    auto* worker = static_cast<Worker*>(self);
    switch (worker->pulse_->pa_context_get_state(context)) {
    case PA_CONTEXT_READY:
        worker->openStream();
        break;
    case PA_CONTEXT_FAILED:
    case PA_CONTEXT_TERMINATED:
        worker->lostFound_ = true;
        break;
    default:
        break;
    }
}

void SoundStream::Worker::onStreamState(pa_stream* stream, void* self)
{
    auto* worker = static_cast<Worker*>(self);
    switch (worker->pulse_->pa_stream_get_state(stream)) {
    case PA_STREAM_READY:
        if (const pa_buffer_attr* buffer = worker->pulse_->pa_stream_get_buffer_attr(stream))
            worker->bufferBytes_ = buffer->tlength;
        worker->everReady_ = true;
        worker->open = true;
        worker->write();
        break;
    case PA_STREAM_FAILED:
        worker->stallFound_ = true;
        break;
    default:
        break;
    }
}

void SoundStream::Worker::onWritable(pa_stream* stream, size_t, void* self)
{
    auto* worker = static_cast<Worker*>(self);
    const size_t bytes = worker->pulse_->pa_stream_writable_size(stream);
    if (bytes != size_t(-1))
        worker->queue_.serverHolds(Clock::now(), worker->queuedFrames(bytes), Rate);
    worker->progress();
    worker->write();
}

void SoundStream::Worker::onUnderflow(pa_stream*, void* self)
{
    auto* worker = static_cast<Worker*>(self);
    worker->queue_.serverRanDry(Clock::now());
    worker->progress();
}

SoundStream::SoundStream(std::shared_ptr<SoundFeed> feed)
    : worker_(std::make_shared<Worker>(std::move(feed))),
      thread_([worker = worker_] { worker->run(); })
{
}

SoundStream::~SoundStream()
{
    if (worker_->stop(std::chrono::milliseconds(2000)))
        thread_.join();
    else
        thread_.detach();
}

void SoundStream::wake()
{
    worker_->wake();
}

bool SoundStream::isOpen() const
{
    return worker_->open;
}

QString SoundStream::schedule() const
{
    return worker_->schedule();
}

int SoundStream::shortfalls() const
{
    return worker_->shortfalls;
}

} // namespace numblaze
