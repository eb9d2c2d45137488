// SPDX-FileCopyrightText: The Numblaze developers
// SPDX-License-Identifier: GPL-3.0-or-later

// Races heard on real audio servers: a private PulseAudio, and a private PipeWire with its
// PulseAudio service and session manager (pipewire, pipewire-pulse, wireplumber) as GNOME runs
// them, each with nothing but a null sink, recorded through its monitor with parec while the
// game (numblaze_test_game) races on an X server. Each sound the game plays is found in the
// recording by its own waveform: a won race and a lost race whole, without holes, clipping or
// a late sound; the same won race on a machine whose two cores are kept busy; the sounds making
// room for the game's own phrases while a reader listens; silence while muted; the game playing
// on when the server goes; the stream opened again when the server stops taking it; the sound
// thread stopped however the game ends.
#include "tests/support.h"
#include "tests/system/gameprocess.h"
#include "widgets/sound.h"
#include "widgets/soundmixer.h"
#include "widgets/soundstream.h"

#include <QDir>
#include <QFileInfo>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <QtEndian>
#include <chrono>
#include <cmath>
#include <csignal>
#include <map>

namespace
{

using numblaze::Cue;
using numblaze::SoundCue;
using numblaze::testing::Game;
using numblaze::testing::Patience;
using Clock = std::chrono::steady_clock;
constexpr int Rate = 16000;
constexpr int SilenceLevel = 33; // -60 dBFS

double msBetween(Clock::time_point from, Clock::time_point to)
{
    return std::chrono::duration<double, std::milli>(to - from).count();
}

Clock::time_point fromNs(qint64 ns)
{
    return Clock::time_point(std::chrono::nanoseconds(ns));
}

double dbfs(double level)
{
    return 20 * std::log10(level / 32768);
}

/// Runs a command to its end; its standard output, or nothing when it failed.
std::optional<QByteArray> run(const QString& program, const QStringList& arguments,
                              const QProcessEnvironment& environment)
{
    QProcess process;
    process.setProcessEnvironment(environment);
    process.start(program, arguments);
    if (!process.waitForFinished(Patience) || process.exitStatus() != QProcess::NormalExit ||
        process.exitCode() != 0)
        return std::nullopt;
    return process.readAllStandardOutput();
}

/// A private audio server in its own runtime folder, whose default output is a null sink named
/// "null".
class AudioServer
{
  public:
    AudioServer(bool pipeWire, const QString& folder) : pipeWire_(pipeWire), folder_(folder)
    {
        const QString runtime = folder + "/runtime";
        QDir().mkpath(runtime);
        QFile::setPermissions(runtime, QFileDevice::ReadOwner | QFileDevice::WriteOwner |
                                           QFileDevice::ExeOwner);
        environment_ = QProcessEnvironment::systemEnvironment();
        environment_.insert("XDG_RUNTIME_DIR", runtime);
        environment_.insert("HOME", runtime);
        environment_.insert("XDG_CONFIG_HOME", folder + "/config");
        environment_.remove("PULSE_SERVER");
        if (pipeWire) {
            // PipeWire, its session manager that links the streams, and its PulseAudio service.
            start("pipewire", {});
            start("wireplumber", {});
            start("pipewire-pulse", {});
            socket_ = runtime + "/pulse/native";
        } else {
            socket_ = runtime + "/native";
            start("pulseaudio",
                  {"-n", "--daemonize=no", "--exit-idle-time=-1", "--use-pid-file=no",
                   "--load=module-null-sink",
                   "--load=module-native-protocol-unix auth-anonymous=1 socket=" + socket_});
        }
        if (!QTest::qWaitFor([this] { return QFileInfo::exists(socket_); }, Patience)) {
            fail("its PulseAudio socket never appeared");
            return;
        }
        environment_.insert("PULSE_SERVER", "unix:" + socket_);
        // PipeWire's null sink can be made as soon as its PulseAudio service answers, but made
        // the default only once the session manager, which also links the streams to it, has set
        // up where defaults are kept, a moment after it starts: until then the service answers
        // "Not supported".
        if (pipeWire) {
            bool made = false;
            const bool chosen = QTest::qWaitFor(
                [&] {
                    if (!made)
                        made = pactl({"load-module", "module-null-sink", "sink_name=null"})
                                   .has_value();
                    return made && pactl({"set-default-sink", "null"});
                },
                Patience);
            if (!chosen) {
                fail(made ? "its null sink never became the default output"
                          : "it never made a null sink");
                return;
            }
        }
        const bool listed = QTest::qWaitFor(
            [this] {
                const std::optional<QByteArray> info = pactl({"info"});
                return info && info->contains("Default Sink: null\n");
            },
            Patience);
        if (!listed) {
            fail("its null sink is not the default output");
            return;
        }
        ready_ = true;
    }
    ~AudioServer() { kill(); }

    bool ready() const { return ready_; }
    /// Why the server is not ready, with what its programs said.
    const QString& failure() const { return failure_; }
    const QProcessEnvironment& environment() const { return environment_; }
    const char* name() const { return pipeWire_ ? "PipeWire" : "PulseAudio"; }

    std::optional<QByteArray> pactl(const QStringList& arguments) const
    {
        return run(QStringLiteral("pactl"), arguments, environment_);
    }

    /// Stops the server that takes the game's stream (PipeWire's PulseAudio service) from running,
    /// or lets it run again.
    void pause(bool paused)
    {
        ::kill(pid_t(processes_.back()->processId()), paused ? SIGSTOP : SIGCONT);
    }

    /// Ends the server at once, as a crash would.
    void kill()
    {
        for (auto& process : processes_) {
            process->kill();
            process->waitForFinished(5000);
        }
        processes_.clear();
    }

  private:
    void start(const QString& program, const QStringList& arguments)
    {
        auto process = std::make_unique<QProcess>();
        process->setProcessEnvironment(environment_);
        process->setStandardOutputFile(QProcess::nullDevice());
        process->setStandardErrorFile(folder_ + '/' + program + ".log");
        process->start(program, arguments);
        process->waitForStarted();
        processes_.push_back(std::move(process));
    }

    void fail(const QString& why)
    {
        failure_ = QString::fromLatin1(name()) + ": " + why;
        for (const QString& log : QDir(folder_).entryList({"*.log"})) {
            QFile file(folder_ + '/' + log);
            if (file.open(QIODevice::ReadOnly))
                failure_ += "\n" + log + ":\n" + QString::fromUtf8(file.readAll().right(2000));
        }
    }

    bool pipeWire_;
    QString folder_;
    QString failure_;
    QString socket_;
    QProcessEnvironment environment_;
    std::vector<std::unique_ptr<QProcess>> processes_;
    bool ready_ = false;
};

/// What the monitor of the null sink carried (its left channel, so that the server's own mixing
/// of two channels into one does not change the level), sample by sample, with the moment the
/// server mixed each sample into its output. A chunk reaches us after its last sample was
/// mixed, so the earliest arrival of any chunk, less its samples, is the latest moment sample 0
/// can have been mixed. A latency measured here runs from the game's event to the server's mix:
/// a sound card would add its own output latency, which a null sink does not have; PipeWire's
/// monitor adds a cycle of its graph to it.
class Recorder
{
  public:
    void start(const QProcessEnvironment& environment)
    {
        parec_.setProcessEnvironment(environment);
        QObject::connect(&parec_, &QProcess::readyReadStandardOutput, [this] { take(); });
        parec_.start(QStringLiteral("parec"),
                     {"--device=null.monitor", "--format=s16le", "--channels=2",
                      QStringLiteral("--rate=%1").arg(Rate), "--latency-msec=10"});
    }
    ~Recorder() { stop(); }
    bool waitForSound()
    {
        return QTest::qWaitFor([this] { return !samples_.empty(); }, Patience);
    }
    /// Ends the recording; nothing more is taken in, even from a test that failed half-way.
    void stop()
    {
        parec_.disconnect();
        parec_.kill();
        parec_.waitForFinished(5000);
    }

    const std::vector<qint16>& samples() const { return samples_; }
    Clock::time_point timeOf(size_t i) const
    {
        return *zero_ + std::chrono::microseconds(qint64(i) * 1000000 / Rate);
    }
    size_t indexAt(Clock::time_point moment) const
    {
        if (!zero_ || moment <= *zero_)
            return 0;
        return std::min(samples_.size(), size_t(msBetween(*zero_, moment) * Rate / 1000));
    }
    /// The loudest sample between two moments.
    int peakBetween(Clock::time_point from, Clock::time_point to) const
    {
        int peak = 0;
        for (size_t i = indexAt(from); i < samples_.size() && timeOf(i) < to; ++i)
            peak = std::max(peak, std::abs(int(samples_[i])));
        return peak;
    }
    /// True once the recording reaches the moment.
    bool reaches(Clock::time_point moment) const
    {
        return !samples_.empty() && timeOf(samples_.size() - 1) >= moment;
    }

  private:
    void take()
    {
        const Clock::time_point arrived = Clock::now();
        pending_ += parec_.readAllStandardOutput();
        qsizetype used = 0;
        for (; used + 3 < pending_.size(); used += 4)
            samples_.push_back(qFromLittleEndian<qint16>(pending_.constData() + used));
        pending_.remove(0, used);
        const Clock::time_point zero =
            arrived - std::chrono::microseconds(qint64(samples_.size()) * 1000000 / Rate);
        if (!zero_ || zero < *zero_)
            zero_ = zero;
    }

    QProcess parec_;
    QByteArray pending_;
    std::vector<qint16> samples_;
    std::optional<Clock::time_point> zero_;
};

/// A sound file of the game by its name ("right-03"), as the game plays it.
const std::vector<qint16>& reference(const QString& name)
{
    static std::map<QString, std::vector<qint16>> files;
    std::vector<qint16>& samples = files[name];
    if (samples.empty()) {
        // soundFile() registers the game's sound resources on its first call.
        Q_UNUSED(numblaze::soundFile({Cue::Choice}));
        const QByteArray bytes = numblaze::testing::contents(":/sounds/" + name + ".wav");
        for (qsizetype at = 44; at + 1 < bytes.size(); at += 2)
            samples.push_back(qFromLittleEndian<qint16>(bytes.constData() + at));
    }
    return samples;
}

/// One sound the game gave its device, and what the recording made of it.
struct Played {
    QString name;
    Clock::time_point asked;
    /// From the moment it was given to the device to the first sample heard; nothing when it
    /// was not heard.
    std::optional<double> latencyMs;
    /// Its level in the recording against the file's.
    double gain = 0;
    /// The longest run inside its body where the recording fell silent while the file is loud.
    double longestHoleMs = 0;
    /// The loudest sample of the recording while it played.
    int peak = 0;
    size_t at = 0;
};

/// Finds a sound in the recording, at most `withinMs` after it was given to the device: where
/// the opening 20 ms of its file line up best with what is left of the recording once the sounds
/// found before it are taken out (normalised correlation at least 0.6, whatever the level).
/// Then measures it there, and takes it out of `left` in its turn.
void find(const Recorder& recording, std::vector<double>& left, Played& played, double withinMs)
{
    const std::vector<qint16>& file = reference(played.name);
    const std::vector<qint16>& heard = recording.samples();
    const size_t opening = std::min<size_t>(320, file.size());
    double fileEnergy = 0;
    for (size_t k = 0; k < opening; ++k)
        fileEnergy += double(file[k]) * file[k];
    const size_t first = recording.indexAt(played.asked);
    const size_t last = first + size_t(withinMs * Rate / 1000);
    std::vector<double> likeness;
    for (size_t at = first; at <= last && at + opening < left.size(); ++at) {
        double product = 0, energy = 0;
        for (size_t k = 0; k < opening; ++k) {
            product += left[at + k] * file[k];
            energy += left[at + k] * left[at + k];
        }
        likeness.push_back(energy > 0 ? product / std::sqrt(energy * fileEnergy) : 0);
    }
    const double best = likeness.empty() ? 0 : *std::max_element(likeness.begin(), likeness.end());
    if (best < 0.6)
        return;
    // A steady tone lines up nearly as well a period earlier or later: of the places where the
    // opening lines up nearly as well as anywhere, the sound is where the whole file does best.
    auto wholeLikeness = [&](size_t at) {
        double product = 0, energy = 0, ownEnergy = 0;
        for (size_t k = 0; k < file.size() && at + k < left.size(); ++k) {
            product += left[at + k] * file[k];
            energy += left[at + k] * left[at + k];
            ownEnergy += double(file[k]) * file[k];
        }
        return energy > 0 ? product / std::sqrt(energy * ownEnergy) : 0;
    };
    size_t at = first;
    double bestWhole = -1;
    for (size_t i = 0; i < likeness.size(); ++i)
        if (likeness[i] >= 0.95 * best)
            if (const double whole = wholeLikeness(first + i); whole > bestWhole)
                bestWhole = whole, at = first + i;
    played.at = at;
    played.latencyMs = msBetween(played.asked, recording.timeOf(at));
    double product = 0;
    for (size_t k = 0; k < opening; ++k)
        product += left[at + k] * file[k];
    played.gain = product / fileEnergy;
    for (size_t k = 0; k < file.size() && at + k < left.size(); ++k)
        left[at + k] -= played.gain * file[k];
    // A hole: 2 ms or more where the file is well above its tail and the recording is silent.
    int filePeak = 0;
    for (qint16 s : file)
        filePeak = std::max(filePeak, std::abs(int(s)));
    size_t run = 0;
    for (size_t k = 0; k < file.size() && at + k < heard.size(); ++k) {
        const bool loud = std::abs(int(file[k])) > filePeak / 8;
        const bool silent = std::abs(int(heard[at + k])) < std::max(SilenceLevel, filePeak / 200);
        run = loud && silent ? run + 1 : (loud ? 0 : run);
        played.longestHoleMs = std::max(played.longestHoleMs, run * 1000.0 / Rate);
        played.peak = std::max(played.peak, std::abs(int(heard[at + k])));
    }
}

/// Whether the sound's opening lines up with the recording anywhere after sample `from`, however
/// the recording's own timing fared.
bool occursAfter(const Recorder& recording, const QString& name, size_t from)
{
    const std::vector<qint16>& file = reference(name);
    const std::vector<qint16>& heard = recording.samples();
    const size_t opening = std::min<size_t>(320, file.size());
    double fileEnergy = 0;
    for (size_t k = 0; k < opening; ++k)
        fileEnergy += double(file[k]) * file[k];
    for (size_t at = from; at + opening < heard.size(); ++at) {
        double product = 0, energy = 0;
        for (size_t k = 0; k < opening; ++k) {
            product += double(heard[at + k]) * file[k];
            energy += double(heard[at + k]) * heard[at + k];
        }
        if (energy > 0 && product / std::sqrt(energy * fileEnergy) > 0.9)
            return true;
    }
    return false;
}

/// Every "sound NAME NS" the game reported.
std::vector<Played> soundsPlayed(const Game& game)
{
    std::vector<Played> played;
    static const QRegularExpression line(QStringLiteral("^sound (\\S+) (\\d+)$"));
    for (const QString& report : game.seen())
        if (const QRegularExpressionMatch m = line.match(report); m.hasMatch())
            played.push_back({m.captured(1), fromNs(m.captured(2).toLongLong()), {}});
    return played;
}

/// Every "phrase MS NS": when each phrase began and when a reader will have said it.
std::vector<std::pair<Clock::time_point, Clock::time_point>> phrasesSaid(const Game& game)
{
    std::vector<std::pair<Clock::time_point, Clock::time_point>> phrases;
    static const QRegularExpression line(QStringLiteral("^phrase (\\d+) (\\d+)$"));
    for (const QString& report : game.seen())
        if (const QRegularExpressionMatch m = line.match(report); m.hasMatch()) {
            const Clock::time_point start = fromNs(m.captured(2).toLongLong());
            phrases.push_back({start, start + std::chrono::milliseconds(m.captured(1).toInt())});
        }
    return phrases;
}

int count(const std::vector<Played>& played, const QString& prefix)
{
    return int(std::count_if(played.begin(), played.end(),
                             [&](const Played& p) { return p.name.startsWith(prefix); }));
}

const Played* last(const std::vector<Played>& played, const QString& name)
{
    for (auto p = played.rbegin(); p != played.rend(); ++p)
        if (p->name == name)
            return &*p;
    return nullptr;
}

QString figures(const std::vector<double>& values)
{
    if (values.empty())
        return QStringLiteral("none");
    std::vector<double> sorted = values;
    std::sort(sorted.begin(), sorted.end());
    return QStringLiteral("median %1 ms, max %2 ms (%3)")
        .arg(sorted[sorted.size() / 2], 0, 'f', 1)
        .arg(sorted.back(), 0, 'f', 1)
        .arg(sorted.size());
}

/// Two processes that keep both cores of the machine busy while they live.
class BusyCores
{
  public:
    BusyCores()
    {
        for (QProcess& loop : loops_)
            loop.start(QStringLiteral("sh"), {"-c", "while :; do :; done"});
    }
    ~BusyCores()
    {
        for (QProcess& loop : loops_) {
            loop.kill();
            loop.waitForFinished(5000);
        }
    }

  private:
    QProcess loops_[2];
};

/// Sends the order and waits for the report.
bool perform(Game& game, const QByteArray& order, const QString& report)
{
    game.order(order);
    return !game.expect(report).isEmpty();
}

} // namespace

class AudioTest : public QObject
{
    Q_OBJECT

  private slots:
    void initTestCase();
    void init();
    void cleanup();

    void wonRaceIsHeardWhole_data();
    void wonRaceIsHeardWhole();
    void lostRaceIsHeardWhole_data();
    void lostRaceIsHeardWhole();
    void soundsMakeRoomForTheReadersPhrases_data();
    void soundsMakeRoomForTheReadersPhrases();
    void silentWhileMutedAndPlaysOnWhenTheServerGoes_data();
    void silentWhileMutedAndPlaysOnWhenTheServerGoes();
    void streamOpensAgainWhenTheServerStopsTakingIt_data();
    void streamOpensAgainWhenTheServerStopsTakingIt();
    void suddenEndStopsTheSoundThread_data();
    void suddenEndStopsTheSoundThread();

  private:
    void serverRows();
    /// The game on the server, every record 5, Addition against opponent `opponent`, sounds
    /// written down and open; with a reader listening or not, and ending through exit() or not.
    std::unique_ptr<Game> startGame(int opponent, bool reader, bool endsSuddenly = false);
    /// Waits for the recording to hold every sound played and finds each in it.
    std::vector<Played> hear(Game& game, double withinMs = 150);
    void checkWholeRace(Game& game, const std::vector<Played>& played);

    std::unique_ptr<QTemporaryDir> scratch_;
    std::unique_ptr<AudioServer> server_;
    std::unique_ptr<QProcess> keepAwake_;
    std::unique_ptr<Recorder> recording_;
};

void AudioTest::initTestCase()
{
    for (const char* tool :
         {"pulseaudio", "parec", "pacat", "pactl", "pipewire", "pipewire-pulse", "wireplumber"})
        QVERIFY2(!QStandardPaths::findExecutable(QLatin1String(tool)).isEmpty(),
                 "run scripts/setup.sh tests");
}

void AudioTest::serverRows()
{
    QTest::addColumn<bool>("pipeWire");
    QTest::newRow("PulseAudio") << false;
    QTest::newRow("PipeWire") << true;
}

void AudioTest::init()
{
    QFETCH(bool, pipeWire);
    scratch_ = std::make_unique<QTemporaryDir>();
    QVERIFY(scratch_->isValid());
    server_ = std::make_unique<AudioServer>(pipeWire, scratch_->filePath("server"));
    QVERIFY2(server_->ready(), qPrintable(server_->failure()));
    // Silence played into the sink keeps it running, so the recording starts with the game.
    keepAwake_ = std::make_unique<QProcess>();
    keepAwake_->setProcessEnvironment(server_->environment());
    keepAwake_->setStandardInputFile("/dev/zero");
    keepAwake_->start("pacat", {"--device=null", "--latency-msec=20"});
    QVERIFY(keepAwake_->waitForStarted());
    recording_ = std::make_unique<Recorder>();
    recording_->start(server_->environment());
    QVERIFY(recording_->waitForSound());
    // The start of a recording can carry what the server had before it: let it pass.
    QTest::qWait(500);
}

void AudioTest::cleanup()
{
    recording_.reset();
    if (keepAwake_) {
        keepAwake_->kill();
        keepAwake_->waitForFinished(5000);
    }
    keepAwake_.reset();
    server_.reset();
    scratch_.reset();
}

std::unique_ptr<Game> AudioTest::startGame(int opponent, bool reader, bool endsSuddenly)
{
    const QString folder = scratch_->filePath("game");
    QDir().mkpath(folder);
    QByteArray progress;
    for (int line = 0; line < 12; ++line)
        progress += "5\r\n";
    progress += "0\r\n" + QByteArray::number(opponent) + "\r\n";
    if (!numblaze::testing::put(folder + "/Progress.txt", progress))
        return nullptr;
    // A screen reader listens when the desktop says so on the accessibility bus, as GNOME's
    // screen reader switch does.
    if (!run(QStringLiteral("dbus-send"),
             {"--session", "--print-reply", "--dest=org.a11y.Bus", "/org/a11y/bus",
              "org.freedesktop.DBus.Properties.Set", "string:org.a11y.Status",
              "string:ScreenReaderEnabled",
              QStringLiteral("variant:boolean:%1").arg(reader ? "true" : "false")},
             QProcessEnvironment::systemEnvironment()))
        return nullptr;
    QProcessEnvironment environment = server_->environment();
    if (endsSuddenly) {
        // exit() leaves Qt's fonts and windows to the system: LeakSanitizer would count them.
        const QString asan = environment.value("ASAN_OPTIONS");
        environment.insert("ASAN_OPTIONS", asan + (asan.isEmpty() ? "" : ":") + "detect_leaks=0");
    }
    auto game = std::make_unique<Game>(QStringList{"--folder", folder}, environment);
    if (game->expect("ready").isEmpty() || !perform(*game, "logsounds", "logging"))
        return nullptr;
    return game;
}

std::vector<Played> AudioTest::hear(Game& game, double withinMs)
{
    game.order("label");
    game.expect("label:");
    std::vector<Played> played = soundsPlayed(game);
    if (played.empty())
        return played;
    const Clock::time_point end = played.back().asked + std::chrono::milliseconds(1500);
    if (!QTest::qWaitFor([&] { return recording_->reaches(end); }, Patience))
        return {};
    // Each sound is found with the sounds before it taken out; then again with all the others
    // taken out, those after it too, which may have begun before it ended.
    std::vector<double> left(recording_->samples().begin(), recording_->samples().end());
    auto window = [withinMs](const Played& p) {
        return p.name == "win" || p.name == "record" || p.name == "loss"
                   ? numblaze::SoundMixer::MaxWaitFrames * 1000.0 / Rate + withinMs
                   : withinMs;
    };
    for (Played& p : played)
        find(*recording_, left, p, window(p));
    for (Played& p : played) {
        if (!p.latencyMs)
            continue;
        const std::vector<qint16>& file = reference(p.name);
        for (size_t k = 0; k < file.size() && p.at + k < left.size(); ++k)
            left[p.at + k] += p.gain * file[k];
        p = Played{p.name, p.asked, {}};
        find(*recording_, left, p, window(p));
    }
    return played;
}

/// Every sound heard, whole, never clipping, each soon after its event; the end of the race
/// after the sound before it.
void AudioTest::checkWholeRace(Game& game, const std::vector<Played>& played)
{
    QString missing;
    std::vector<double> latencies;
    QStringList holes;
    double longestHole = 0;
    int peak = 0;
    for (const Played& p : played) {
        if (!p.latencyMs) {
            missing += p.name + " ";
            continue;
        }
        if (!p.name.startsWith("win") && !p.name.startsWith("record") && !p.name.startsWith("loss"))
            latencies.push_back(*p.latencyMs);
        if (p.longestHoleMs >= 2)
            holes << QStringLiteral("%1 ms in %2").arg(p.longestHoleMs, 0, 'f', 1).arg(p.name);
        longestHole = std::max(longestHole, p.longestHoleMs);
        peak = std::max(peak, p.peak);
    }
    game.order("shortfalls");
    const QString shortfalls = game.expect("shortfalls:").section(' ', 1);
    qInfo("%s: %d sounds played, %d heard; event to sound %s; peak %.2f dBFS; longest hole "
          "%.1f ms; stream dry inside a sound: %s",
          server_->name(), int(played.size()), int(played.size() - missing.count(' ')),
          qPrintable(figures(latencies)), dbfs(peak), longestHole, qPrintable(shortfalls));
    QVERIFY2(missing.isEmpty(), qPrintable("not heard: " + missing));
    // The game's share: its stream never ran dry inside a sound, whatever the load.
    QCOMPARE(shortfalls, QStringLiteral("0"));
    // With the stream full, a hole is the server's: it lost samples it had been given. Under load
    // a server on this virtual machine now and then misses one of its periods (PipeWire's is 512
    // frames at 48 kHz, 10.7 ms): recorded here in 3 of 100 loaded races on PipeWire, 3.5 to
    // 4.0 ms. In the two looked into, the game had answered every request of the server at once
    // and its stream held 19 ms or more; in one, the samples lost were in what it wrote. One such
    // hole in a race, shorter than a period, is the server's; more, or longer, fail the game.
    QVERIFY2(holes.size() <= 1 && longestHole < 10.7, qPrintable(holes.join(", ")));
    if (!holes.isEmpty())
        qInfo("the server lost samples it had been given: %s", qPrintable(holes.join(", ")));
    // What is heard never passes -1 dBFS, after the servers' resampling too.
    QVERIFY2(dbfs(peak) <= -1.0, qPrintable(QString::number(dbfs(peak))));
    for (double latency : latencies)
        QVERIFY2(latency <= 100, qPrintable(QString::number(latency)));
    // The end of the race follows the sound before it instead of covering it.
    for (size_t i = 1; i < played.size(); ++i) {
        const QString& name = played[i].name;
        if (name == "win" || name == "record" || name == "loss") {
            const Played& before = played[i - 1];
            const double beforeEnds =
                *before.latencyMs + reference(before.name).size() * 1000.0 / Rate;
            const double starts = *played[i].latencyMs + msBetween(before.asked, played[i].asked);
            QVERIFY2(starts >= beforeEnds - 10,
                     qPrintable(QStringLiteral("%1 at %2 ms, %3 ends at %4 ms")
                                    .arg(name)
                                    .arg(starts)
                                    .arg(before.name)
                                    .arg(beforeEnds)));
        }
    }
}

void AudioTest::wonRaceIsHeardWhole_data()
{
    QTest::addColumn<bool>("pipeWire");
    QTest::addColumn<bool>("loaded");
    QTest::newRow("PulseAudio") << false << false;
    QTest::newRow("PulseAudio, both cores busy") << false << true;
    QTest::newRow("PipeWire") << true << false;
    QTest::newRow("PipeWire, both cores busy") << true << true;
}

void AudioTest::wonRaceIsHeardWhole()
{
    QFETCH(bool, loaded);
    // Bobby Blue: the player answers once, Bobby passes (the lead sound) and knocks, a wrong
    // answer, then ten right answers to the finish and a record (every record is 5).
    std::unique_ptr<Game> game = startGame(0, false);
    QVERIFY(game);
    std::optional<BusyCores> busy;
    if (loaded)
        busy.emplace();
    QVERIFY(perform(*game, "start", "started"));
    QVERIFY(!game->expect("sound go").isEmpty());
    QVERIFY(perform(*game, "right-on-beat", "right"));
    QVERIFY(!game->expect("sound lead").isEmpty());
    QVERIFY(!game->expect("sound opponent-01").isEmpty());
    QTest::qWait(150);
    QVERIFY(perform(*game, "wrong", "wrong"));
    QTest::qWait(300);
    for (int i = 0; i < 10; ++i) {
        QVERIFY(perform(*game, "right-on-beat", "right"));
        QTest::qWait(300);
    }
    const std::vector<Played> played = hear(*game);
    busy.reset();
    QCOMPARE(count(played, "countdown"), 3);
    QCOMPARE(count(played, "go"), 1);
    QCOMPARE(count(played, "right-"), 11);
    QCOMPARE(count(played, "wrong"), 1);
    QCOMPARE(count(played, "lead"), 1);
    QVERIFY(count(played, "opponent-") >= 1);
    QCOMPARE(played.back().name, QStringLiteral("record"));
    checkWholeRace(*game, played);
}

void AudioTest::lostRaceIsHeardWhole_data()
{
    serverRows();
}

void AudioTest::lostRaceIsHeardWhole()
{
    // Ronald Red: two right answers, then Ronald passes, knocks every tenth and wins.
    std::unique_ptr<Game> game = startGame(2, false);
    QVERIFY(game);
    QVERIFY(perform(*game, "start", "started"));
    QVERIFY(!game->expect("sound go").isEmpty());
    for (int i = 0; i < 2; ++i) {
        QVERIFY(perform(*game, "right-on-beat", "right"));
        QTest::qWait(200);
    }
    QVERIFY(!game->expect("sound loss").isEmpty());
    const std::vector<Played> played = hear(*game);
    QCOMPARE(count(played, "countdown"), 3);
    QCOMPARE(count(played, "right-"), 2);
    QCOMPARE(count(played, "lead"), 1);
    QCOMPARE(count(played, "opponent-"), 10);
    QCOMPARE(played.back().name, QStringLiteral("loss"));
    checkWholeRace(*game, played);
}

void AudioTest::soundsMakeRoomForTheReadersPhrases_data()
{
    serverRows();
}

void AudioTest::soundsMakeRoomForTheReadersPhrases()
{
    // Bobby Blue with a reader listening: the countdown, one right answer whose next equation
    // is said while Bobby passes and knocks.
    std::unique_ptr<Game> game = startGame(0, true);
    QVERIFY(game);
    QVERIFY(perform(*game, "start", "started"));
    QVERIFY(!game->expect("sound go").isEmpty());
    QTest::qWait(2000); // the first equation has been said
    QVERIFY(perform(*game, "right-on-beat", "right"));
    QVERIFY(!game->expect("sound opponent-01").isEmpty());
    const std::vector<Played> played = hear(*game, 300);
    const auto phrases = phrasesSaid(*game);
    QVERIFY(phrases.size() >= 4); // "3", "2", "1", the first equation, the second
    auto heardDuring = [&](const Played& p) {
        const Clock::time_point starts =
            p.asked + std::chrono::microseconds(qint64(*p.latencyMs * 1000));
        const Clock::time_point ends =
            starts + std::chrono::microseconds(qint64(reference(p.name).size()) * 1000000 / Rate);
        for (const auto& [from, to] : phrases)
            if (starts < to && ends > from)
                return true;
        return false;
    };
    for (const Played& p : played) {
        QVERIFY2(p.latencyMs, qPrintable(p.name + " not heard"));
        // The countdown's tones, the knocks and the lead stay off the phrases; the chime of the
        // answer, said over at once by the next equation, is ducked.
        if (p.name == "countdown" || p.name.startsWith("opponent-") || p.name == "lead")
            QVERIFY2(!heardDuring(p), qPrintable(p.name + " over a phrase"));
        if (p.name.startsWith("right-"))
            QVERIFY2(p.gain < 0.4, qPrintable(QStringLiteral("chime at %1").arg(p.gain)));
    }
    qInfo("%s: %d phrases said; %d sounds, the chime at %.1f dB", server_->name(),
          int(phrases.size()), int(played.size()),
          20 * std::log10(last(played, "right-01") ? last(played, "right-01")->gain : 1));
}

void AudioTest::silentWhileMutedAndPlaysOnWhenTheServerGoes_data()
{
    serverRows();
}

void AudioTest::silentWhileMutedAndPlaysOnWhenTheServerGoes()
{
    std::unique_ptr<Game> game = startGame(0, false);
    QVERIFY(game);
    QVERIFY(perform(*game, "race", "racing"));
    QTest::qWait(800); // the countdown, played at once here, dies away
    // Muted: two right answers and the opponent's ticks, and not a sound.
    const Clock::time_point muted = Clock::now();
    QVERIFY(perform(*game, "mute", "pressed m"));
    for (int i = 0; i < 2; ++i) {
        QVERIFY(perform(*game, "right", "right"));
        QTest::qWait(400);
    }
    const Clock::time_point unmuted = Clock::now();
    QVERIFY(perform(*game, "mute", "pressed m"));
    QTRY_VERIFY(recording_->reaches(unmuted));
    const int peak = recording_->peakBetween(muted + std::chrono::milliseconds(300), unmuted);
    QVERIFY2(peak <= SilenceLevel, qPrintable(QStringLiteral("peak %1 while muted").arg(peak)));
    QVERIFY(perform(*game, "right", "right"));
    QTest::qWait(300);
    const std::vector<Played> played = hear(*game);
    QVERIFY(last(played, "right-03"));
    QVERIFY2(last(played, "right-03")->latencyMs, "no sound after unmuting");

    // The server is killed mid-race: the game answers, wins and ends as ever, with one line.
    server_->kill();
    QTest::qWait(300);
    for (int answered = 3; answered < 11; ++answered)
        QVERIFY(perform(*game, "right", "right"));
    QVERIFY(perform(*game, "back", "menu"));
    game->order("label");
    QCOMPARE(game->expect("label:"), QStringLiteral("label: Your highest number is 6."));
    game->order("exit");
    QCOMPARE(game->expect("sound thread still running"), QString());
    QCOMPARE(game->end(), 0);
    const QList<QByteArray> lines = game->errors().trimmed().split('\n');
    QVERIFY2(lines.size() <= 1, lines.join('\n').constData());
}

void AudioTest::streamOpensAgainWhenTheServerStopsTakingIt_data()
{
    serverRows();
}

void AudioTest::streamOpensAgainWhenTheServerStopsTakingIt()
{
    QFETCH(bool, pipeWire);
    std::unique_ptr<Game> game = startGame(0, false);
    QVERIFY(game);
    QVERIFY(perform(*game, "race", "racing"));
    QTest::qWait(800);
    const size_t before = recording_->samples().size();
    if (pipeWire) {
        // PipeWire's PulseAudio service stops for a while, the game's stream with it (and the
        // recording: its timing is not to be trusted after this).
        server_->pause(true);
        QVERIFY(perform(*game, "right", "right"));
        QTest::qWait(numblaze::SoundStream::StallMs + 500);
        server_->pause(false);
    } else {
        // The game's stream moves to a second sink, suspended: the server takes nothing more
        // from it, and never will.
        QVERIFY(server_->pactl({"load-module", "module-null-sink", "sink_name=parked"}));
        QVERIFY(server_->pactl({"suspend-sink", "parked", "1"}));
        const std::optional<QByteArray> inputs = server_->pactl({"list", "sink-inputs"});
        QVERIFY(inputs);
        QString ours;
        for (const QString& block :
             QString::fromUtf8(*inputs).split(QStringLiteral("Sink Input #")))
            if (block.contains(QStringLiteral("application.name = \"Numblaze\"")))
                ours = block.left(block.indexOf(QLatin1Char('\n'))).trimmed();
        QVERIFY2(!ours.isEmpty(), inputs->constData());
        QVERIFY(server_->pactl({"move-sink-input", ours, "parked"}));
        QVERIFY(perform(*game, "right", "right"));
        QTest::qWait(numblaze::SoundStream::StallMs + 500);
    }
    // Opened again on the default output: the next answers are heard.
    for (int i = 0; i < 2; ++i) {
        QVERIFY(perform(*game, "right", "right"));
        QTest::qWait(400);
    }
    // The recording went through the stopped server too: give it time to catch up.
    const bool heard =
        QTest::qWaitFor([&] { return occursAfter(*recording_, "right-03", before); }, 5000);
    if (!heard) {
        game->order("exit-suddenly");
        game->end();
        QFAIL(
            qPrintable("nothing heard after the server stopped taking the stream; the game said " +
                       game->seen().join(QLatin1String(" | ")) + "; on stderr " +
                       QString::fromUtf8(game->errors())));
    }
    game->order("exit-suddenly");
    game->end();
    const QString errors = QString::fromUtf8(game->errors());
    QCOMPARE(errors.count(QStringLiteral("its stream was opened again")), 1);
}

void AudioTest::suddenEndStopsTheSoundThread_data()
{
    serverRows();
}

void AudioTest::suddenEndStopsTheSoundThread()
{
    // The game ends through exit() while a sound plays, as when the display is lost.
    std::unique_ptr<Game> game = startGame(0, false, true);
    QVERIFY(game);
    QVERIFY(perform(*game, "race", "racing"));
    QVERIFY(perform(*game, "right", "right"));
    game->order("exit-suddenly");
    QCOMPARE(game->expect("sound thread still running"), QString());
    QCOMPARE(game->end(), 0);
    QCOMPARE(game->errors(), QByteArray());
}

QTEST_MAIN(AudioTest)
#include "test_audio.moc"
