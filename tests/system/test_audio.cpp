// SPDX-FileCopyrightText: The Numblaze developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The race heard on a real audio server: a private PulseAudio whose only output is a null sink,
// recorded through its monitor with parec while the game (numblaze_test_game) races on an X
// server. Each right answer is heard within 100 ms, nothing while muted, and the game plays on
// when the server is killed mid-race.
#include "tests/support.h"
#include "tests/system/gameprocess.h"

#include <QDir>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <QtEndian>
#include <chrono>
#include <cmath>

namespace
{

using numblaze::testing::Game;
using numblaze::testing::Patience;
using Clock = std::chrono::steady_clock;
constexpr int Rate = 16000;
/// The chime of a right answer starts 3 dB below full scale; nothing else in a race but the
/// countdown and the finish comes near -10 dBFS (the opponent's knocks peak at -16 dBFS).
constexpr int ChimeLevel = 10362; // -10 dBFS
constexpr int SilenceLevel = 33;  // -60 dBFS

double msSince(Clock::time_point from, Clock::time_point to)
{
    return std::chrono::duration<double, std::milli>(to - from).count();
}

/// What the monitor of the null sink carried, sample by sample, with the moment the server
/// mixed each sample into its output. A chunk reaches us after its last sample was mixed, so the
/// earliest arrival of any chunk, less its samples, is the latest moment sample 0 can have been
/// mixed. A latency measured here runs from the game's event to the server's mix: a sound card
/// would add its own output latency, which a null sink does not have.
class Recorder
{
  public:
    void start(const QProcessEnvironment& environment)
    {
        parec_.setProcessEnvironment(environment);
        QObject::connect(&parec_, &QProcess::readyReadStandardOutput, [this] { take(); });
        parec_.start(QStringLiteral("parec"),
                     {"--device=null.monitor", "--format=s16le", "--channels=1",
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

    /// The first moment at or after `from`, within `within` ms, when the sound reaches `level`.
    std::optional<double> onsetAfter(Clock::time_point from, double within, int level) const
    {
        for (size_t i = indexAt(from); i < samples_.size(); ++i) {
            const double at = msSince(from, timeOf(i));
            if (at > within)
                break;
            if (std::abs(samples_[i]) >= level)
                return at;
        }
        return std::nullopt;
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
        for (qsizetype i = 0; i + 1 < pending_.size(); i += 2)
            samples_.push_back(qFromLittleEndian<qint16>(pending_.constData() + i));
        pending_ = pending_.right(pending_.size() % 2);
        const Clock::time_point zero =
            arrived - std::chrono::microseconds(qint64(samples_.size()) * 1000000 / Rate);
        if (!zero_ || zero < *zero_)
            zero_ = zero;
    }
    Clock::time_point timeOf(size_t i) const
    {
        return *zero_ + std::chrono::microseconds(qint64(i) * 1000000 / Rate);
    }
    size_t indexAt(Clock::time_point moment) const
    {
        if (!zero_ || moment <= *zero_)
            return 0;
        return size_t(msSince(*zero_, moment) * Rate / 1000);
    }

    QProcess parec_;
    QByteArray pending_;
    std::vector<qint16> samples_;
    std::optional<Clock::time_point> zero_;
};

/// Sends the order and waits for the report; the moment the order was sent, once reported.
std::optional<Clock::time_point> orderAt(Game& game, const QByteArray& line, const QString& report)
{
    const Clock::time_point sent = Clock::now();
    game.order(line);
    if (game.expect(report).isEmpty())
        return std::nullopt;
    return sent;
}

} // namespace

class AudioTest : public QObject
{
    Q_OBJECT

  private slots:
    void initTestCase();
    void cleanupTestCase();
    void raceIsHeardMutedAndSurvivesTheServer();

  private:
    QTemporaryDir scratch_;
    QProcess server_;
    QProcess keepAwake_;
    QProcessEnvironment environment_;
};

void AudioTest::initTestCase()
{
    for (const char* tool : {"pulseaudio", "parec", "pacat"})
        QVERIFY2(!QStandardPaths::findExecutable(QLatin1String(tool)).isEmpty(),
                 "run scripts/setup.sh tests");
    QVERIFY(scratch_.isValid());
    const QString runtime = scratch_.filePath("runtime");
    QVERIFY(QDir().mkpath(runtime));
    QFile::setPermissions(runtime,
                          QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    const QString socket = runtime + "/native";

    // A private server that no desktop shares: its own runtime folder, home and socket.
    environment_ = QProcessEnvironment::systemEnvironment();
    environment_.insert("XDG_RUNTIME_DIR", runtime);
    environment_.insert("HOME", runtime);
    environment_.insert("XDG_CONFIG_HOME", scratch_.filePath("config"));
    environment_.remove("PULSE_SERVER");
    server_.setProcessEnvironment(environment_);
    server_.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    server_.start("pulseaudio",
                  {"-n", "--daemonize=no", "--exit-idle-time=-1", "--use-pid-file=no",
                   "--load=module-null-sink",
                   "--load=module-native-protocol-unix auth-anonymous=1 socket=" + socket});
    QVERIFY(server_.waitForStarted());
    QTRY_VERIFY_WITH_TIMEOUT(QFileInfo::exists(socket), Patience);
    environment_.insert("PULSE_SERVER", "unix:" + socket);

    // Silence played into the sink keeps it running, so the recording starts with the game.
    keepAwake_.setProcessEnvironment(environment_);
    keepAwake_.setStandardInputFile("/dev/zero");
    keepAwake_.start("pacat", {"--device=null", "--latency-msec=20"});
    QVERIFY(keepAwake_.waitForStarted());
}

void AudioTest::cleanupTestCase()
{
    for (QProcess* process : {&keepAwake_, &server_}) {
        process->kill();
        process->waitForFinished(5000);
    }
}

void AudioTest::raceIsHeardMutedAndSurvivesTheServer()
{
    const QString folder = scratch_.filePath("game");
    QVERIFY(QDir().mkpath(folder));
    // Every record 5; Addition against Bobby Blue, the slowest opponent: the race outlasts the
    // test.
    QByteArray progress;
    for (int line = 0; line < 12; ++line)
        progress += "5\r\n";
    QVERIFY(numblaze::testing::put(folder + "/Progress.txt", progress + "0\r\n0\r\n"));
    Recorder recording;
    recording.start(environment_);
    QVERIFY(recording.waitForSound());
    Game game({"--folder", folder}, environment_);
    QVERIFY(!game.expect("ready").isEmpty());
    QTest::qWait(1000); // the sound device opens after the menu's first paint
    QVERIFY(orderAt(game, "race", "racing"));
    QTest::qWait(800); // the countdown, played at once here, dies away

    QList<double> latencies;
    int rightAnswers = 0;
    for (int i = 0; i < 4; ++i) {
        const std::optional<Clock::time_point> sent = orderAt(game, "right", "right");
        QVERIFY(sent);
        ++rightAnswers;
        QTest::qWait(500);
        QTRY_VERIFY(recording.reaches(*sent + std::chrono::milliseconds(200)));
        const std::optional<double> onset = recording.onsetAfter(*sent, 100, ChimeLevel);
        QVERIFY2(onset, qPrintable(QStringLiteral("answer %1 not heard").arg(rightAnswers)));
        latencies << *onset;
    }
    qInfo("right answer to chime: %s ms (measured from the order sent to the game)",
          qPrintable([&] {
              QStringList ms;
              for (double l : latencies)
                  ms << QString::number(l, 'f', 1);
              return ms.join(", ");
          }()));

    // Muted: two right answers and the opponent's ticks, and not a sound.
    const std::optional<Clock::time_point> muted = orderAt(game, "mute", "pressed m");
    QVERIFY(muted);
    for (int i = 0; i < 2; ++i) {
        QVERIFY(orderAt(game, "right", "right"));
        ++rightAnswers;
        QTest::qWait(400);
    }
    const std::optional<Clock::time_point> unmuted = orderAt(game, "mute", "pressed m");
    QVERIFY(unmuted);
    QTRY_VERIFY(recording.reaches(*unmuted));
    const int peak = recording.peakBetween(*muted + std::chrono::milliseconds(300), *unmuted);
    QVERIFY2(peak <= SilenceLevel, qPrintable(QStringLiteral("peak %1 while muted").arg(peak)));
    const std::optional<Clock::time_point> again = orderAt(game, "right", "right");
    QVERIFY(again);
    ++rightAnswers;
    QTest::qWait(500);
    QTRY_VERIFY(recording.reaches(*again + std::chrono::milliseconds(200)));
    QVERIFY2(recording.onsetAfter(*again, 100, ChimeLevel), "no sound after unmuting");

    // The server is killed mid-race: the game answers, wins and ends as ever.
    server_.kill();
    QVERIFY(server_.waitForFinished(5000));
    QTest::qWait(300);
    for (; rightAnswers < 11; ++rightAnswers)
        QVERIFY(orderAt(game, "right", "right"));
    QVERIFY(orderAt(game, "back", "menu"));
    game.order("label");
    QCOMPARE(game.expect("label:"), QStringLiteral("label: Your highest number is 6."));
    game.order("exit");
    QCOMPARE(game.end(), 0);
    const QList<QByteArray> lines = game.errors().trimmed().split('\n');
    QVERIFY2(lines.size() <= 1, lines.join('\n').constData());
}

QTEST_MAIN(AudioTest)
#include "test_audio.moc"
