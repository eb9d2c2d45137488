// SPDX-FileCopyrightText: The Numblaze developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The game's sound files and its mixer, measured as an ear would hear them: each file's format,
// peak and momentary loudness (K-weighted, over 400 ms, by tools/synthsounds/loudness.h, whose
// meter is first checked against reference tones); the opponent's knock told from the player's
// chime by its timbre and placed by its pitch; and the sounds that overlap in a race, mixed by
// the game, never above -1 dBFS.

#include "tests/support.h"
#include "tools/synthsounds/loudness.h"
#include "widgets/sound.h"
#include "widgets/soundmixer.h"

#include <QDir>
#include <QTest>
#include <QtEndian>
#include <cmath>
#include <numbers>

using namespace numblaze;

namespace
{
constexpr int Rate = 16000;
constexpr double Pi = std::numbers::pi;

/// The 16-bit samples of a WAV file of the game, and whether its format is the one the game
/// plays (PCM, mono, 16 bit, 16000 Hz).
struct Wav {
    bool fits = false;
    std::vector<qint16> samples;
};

Wav readWav(const QString& name)
{
    const QByteArray bytes = testing::contents(name);
    Wav wav;
    if (bytes.size() < 44 || !bytes.startsWith("RIFF") || bytes.mid(8, 8) != "WAVEfmt ")
        return wav;
    const char* fmt = bytes.constData() + 20;
    wav.fits = qFromLittleEndian<quint16>(fmt) == 1 && qFromLittleEndian<quint16>(fmt + 2) == 1 &&
               qFromLittleEndian<quint32>(fmt + 4) == Rate &&
               qFromLittleEndian<quint16>(fmt + 14) == 16 && bytes.mid(36, 4) == "data";
    const quint32 size = qFromLittleEndian<quint32>(bytes.constData() + 40);
    wav.fits = wav.fits && size + 44 == quint32(bytes.size());
    for (qsizetype at = 44; at + 1 < bytes.size(); at += 2)
        wav.samples.push_back(qFromLittleEndian<qint16>(bytes.constData() + at));
    return wav;
}

std::vector<double> fullScale(const std::vector<qint16>& samples)
{
    std::vector<double> x;
    for (qint16 s : samples)
        x.push_back(s / 32768.0);
    return x;
}

double lufsOf(SoundCue cue)
{
    return loudness::momentaryMax(fullScale(readWav(soundFile(cue)).samples), Rate);
}

double dbfs(double level)
{
    return 20 * std::log10(level / 32768);
}

int peakOf(const std::vector<qint16>& samples)
{
    int peak = 0;
    for (qint16 s : samples)
        peak = std::max(peak, std::abs(int(s)));
    return peak;
}

std::vector<double> sine(double frequency, double amplitude, double seconds, int rate)
{
    std::vector<double> x(size_t(seconds * rate));
    for (size_t i = 0; i < x.size(); ++i)
        x[i] = amplitude * std::sin(2 * Pi * frequency * double(i) / rate);
    return x;
}

/// A sound's first `ms` milliseconds under a Hann window.
std::vector<double> opening(const std::vector<double>& x, int ms)
{
    std::vector<double> windowed(std::min(x.size(), size_t(Rate * ms / 1000)));
    for (size_t i = 0; i < windowed.size(); ++i)
        windowed[i] =
            x[i] * (0.5 - 0.5 * std::cos(2 * Pi * double(i) / double(windowed.size() - 1)));
    return windowed;
}

/// The power of `x` at one frequency (Goertzel).
double powerAt(const std::vector<double>& x, double frequency)
{
    const double k = 2 * std::cos(2 * Pi * frequency / Rate);
    double s1 = 0, s2 = 0;
    for (double sample : x) {
        const double s = sample + k * s1 - s2;
        s2 = s1;
        s1 = s;
    }
    return s1 * s1 + s2 * s2 - k * s1 * s2;
}

/// The power spectrum of a sound's first `ms` milliseconds, every 10 Hz from 50 Hz up.
std::vector<std::pair<double, double>> spectrumOf(const std::vector<double>& x, int ms)
{
    const std::vector<double> windowed = opening(x, ms);
    std::vector<std::pair<double, double>> spectrum;
    for (double f = 50; f < Rate / 2 - 100; f += 10)
        spectrum.push_back({f, powerAt(windowed, f)});
    return spectrum;
}

/// The pitch of a sound: its strongest partial between 150 Hz and 2.5 kHz in its first 60 ms.
double pitchOf(SoundCue cue)
{
    const std::vector<double> x = opening(fullScale(readWav(soundFile(cue)).samples), 60);
    double best = 0, pitch = 0;
    for (double f = 150; f <= 2500; f += 1) {
        const double power = powerAt(x, f);
        if (power > best)
            best = power, pitch = f;
    }
    return pitch;
}

/// How much of a sound's first 30 ms lies on the harmonics of `pitch` (within 40 Hz): nearly all
/// of a tuned chime's, less of a struck block's, whose strike is noise and whose overtones lie
/// between the harmonics.
double harmonicShare(SoundCue cue, double pitch)
{
    const std::vector<double> x = fullScale(readWav(soundFile(cue)).samples);
    double all = 0, harmonic = 0;
    for (const auto& [f, power] : spectrumOf(x, 30)) {
        all += power;
        const double n = std::round(f / pitch);
        if (n >= 1 && std::abs(f - n * pitch) < 40)
            harmonic += power;
    }
    return harmonic / all;
}

/// The brightness of a sound's first 10 ms: the centre of mass of its spectrum, in Hz.
double attackBrightness(SoundCue cue)
{
    const std::vector<double> x = fullScale(readWav(soundFile(cue)).samples);
    double all = 0, moment = 0;
    for (const auto& [f, power] : spectrumOf(x, 10)) {
        all += power;
        moment += f * power;
    }
    return moment / all;
}

std::vector<SoundCue> everyCue()
{
    std::vector<SoundCue> cues = {{Cue::Countdown},     {Cue::Go},    {Cue::Wrong},
                                  {Cue::OpponentLeads}, {Cue::Won},   {Cue::Record},
                                  {Cue::Lost},          {Cue::Choice}};
    for (int step = 1; step <= 11; ++step)
        cues.push_back({Cue::Right, step});
    for (int step = 1; step <= 10; ++step)
        cues.push_back({Cue::OpponentTenth, step});
    return cues;
}

/// The step of the player's ball nearest to the place of the opponent's k-th tenth of the track.
int stepNearTenth(int tenth)
{
    return int(std::lround(tenth * 526.0 / 480));
}

/// Mixes the sounds as the game does, each starting at its frame, in blocks of `block` frames.
std::vector<qint16> mixed(const std::vector<std::pair<std::vector<qint16>, int>>& sounds,
                          size_t frames, size_t block = 160,
                          SoundMixer::Entry entry = SoundMixer::Entry::AtOnce)
{
    SoundMixer mixer;
    std::vector<qint16> out(frames);
    for (size_t at = 0; at < frames; at += block) {
        for (const auto& [samples, start] : sounds)
            if (size_t(start) >= at && size_t(start) < at + block)
                mixer.start(samples, entry);
        mixer.mix(out.data() + at, std::min(block, frames - at));
    }
    return out;
}
} // namespace

class SoundFilesTest : public QObject
{
    Q_OBJECT

  private slots:
    void loudnessMeterReadsReferenceTones_data();
    void loudnessMeterReadsReferenceTones();
    void everyCueHasAFittingSound();
    void soundsAreBalancedByLoudness();
    void pitchesTellWhereTheBallsAre();
    void knockIsToldFromTheChimeByTimbre_data();
    void knockIsToldFromTheChimeByTimbre();
    void overlappingSoundsStayAtOrBelowMinusOneDbfs();
    void oneSoundAloneIsMixedUntouched();
    void endOfRaceFollowsTheLastChime();
    void duckingLowersTheMixSmoothlyAndLiftsIt();
};

void SoundFilesTest::loudnessMeterReadsReferenceTones_data()
{
    QTest::addColumn<double>("frequency");
    QTest::addColumn<double>("amplitude");
    QTest::addColumn<double>("seconds");
    QTest::addColumn<int>("rate");
    QTest::addColumn<double>("lowest");
    QTest::addColumn<double>("highest");
    // A full-scale 997 Hz sine in one channel reads -3.01 LUFS, at any sample rate.
    QTest::newRow("997 Hz, full scale, 48 kHz") << 997.0 << 1.0 << 1.0 << 48000 << -3.11 << -2.91;
    QTest::newRow("997 Hz, full scale, 16 kHz") << 997.0 << 1.0 << 1.0 << Rate << -3.11 << -2.91;
    QTest::newRow("997 Hz, -20 dBFS") << 997.0 << 0.1 << 1.0 << Rate << -23.11 << -22.91;
    // Half a window of sound in a 400 ms window: half its energy, 3 dB less.
    QTest::newRow("997 Hz for 200 ms") << 997.0 << 1.0 << 0.2 << Rate << -6.12 << -5.92;
    // The K curve: the shelf lifts 4 kHz by about 3.5 dB, the high-pass takes 11 dB off 25 Hz.
    QTest::newRow("4 kHz, full scale") << 4000.0 << 1.0 << 1.0 << Rate << 0.0 << 1.2;
    QTest::newRow("25 Hz, full scale") << 25.0 << 1.0 << 1.0 << Rate << -15.5 << -12.5;
}

void SoundFilesTest::loudnessMeterReadsReferenceTones()
{
    QFETCH(double, frequency);
    QFETCH(double, amplitude);
    QFETCH(double, seconds);
    QFETCH(int, rate);
    QFETCH(double, lowest);
    QFETCH(double, highest);
    const double lufs = loudness::momentaryMax(sine(frequency, amplitude, seconds, rate), rate);
    QVERIFY2(lufs >= lowest && lufs <= highest, qPrintable(QString::number(lufs)));
}

void SoundFilesTest::everyCueHasAFittingSound()
{
    const QDir folder(QStringLiteral(NUMBLAZE_SOUNDS_DIR));
    qint64 total = 0;
    for (const QFileInfo& file : folder.entryInfoList({QStringLiteral("*.wav")}))
        total += file.size();
    QVERIFY2(total < 200 * 1024, qPrintable(QString::number(total)));

    QSet<QString> files;
    for (const SoundCue& cue : everyCue()) {
        const QString name = soundFile(cue);
        files.insert(name);
        const Wav wav = readWav(name);
        QVERIFY2(wav.fits, qPrintable(name));
        // Never clipping, and loud enough: the quiet opponent's knocks included.
        QVERIFY2(dbfs(peakOf(wav.samples)) <= -1.0, qPrintable(name));
        QVERIFY2(dbfs(peakOf(wav.samples)) >= -20.0, qPrintable(name));
        // A sound starts within a few milliseconds of its file, not after a pause.
        const auto first = std::find_if(wav.samples.begin(), wav.samples.end(),
                                        [](qint16 s) { return std::abs(s) > 327; });
        QVERIFY2(first - wav.samples.begin() < 16 * 5, qPrintable(name));
    }
    QCOMPARE(files.size(), 29);
}

void SoundFilesTest::soundsAreBalancedByLoudness()
{
    double chimes = 0;
    for (int step = 1; step <= 11; ++step)
        chimes += lufsOf({Cue::Right, step}) / 11;
    QVERIFY2(chimes > -20 && chimes < -12, qPrintable(QString::number(chimes)));
    for (const SoundCue& cue : everyCue()) {
        const double lufs = lufsOf(cue);
        const QString what = QStringLiteral("%1: %2 LUFS against the chimes' %3")
                                 .arg(soundFile(cue))
                                 .arg(lufs, 0, 'f', 1)
                                 .arg(chimes, 0, 'f', 1);
        if (cue.cue == Cue::OpponentTenth || cue.cue == Cue::Choice)
            // Quieter by design, beside the player's own sounds, yet not lost under them.
            QVERIFY2(lufs <= chimes - 4 && lufs >= chimes - 12, qPrintable(what));
        else
            QVERIFY2(std::abs(lufs - chimes) <= 4, qPrintable(what));
    }
    // The best outcome is not the quietest, and a loss never outdoes a win.
    QVERIFY(lufsOf({Cue::Record}) >= lufsOf({Cue::Won}));
    QVERIFY(lufsOf({Cue::Lost}) <= lufsOf({Cue::Won}));
}

void SoundFilesTest::pitchesTellWhereTheBallsAre()
{
    // The chime climbs with the player's ball, one pitch a step; the opponent's knock for a
    // tenth of the track has the pitch of the player's step nearest to the same place, so one
    // pitch means one place whoever sounds it; the wrong sound lies below them all.
    double previous = 0;
    for (int step = 1; step <= 11; ++step) {
        const double pitch = pitchOf({Cue::Right, step});
        QVERIFY2(pitch > previous * 1.05, qPrintable(QString::number(step)));
        previous = pitch;
    }
    for (int tenth = 1; tenth <= 10; ++tenth) {
        const double knock = pitchOf({Cue::OpponentTenth, tenth});
        const double chime = pitchOf({Cue::Right, stepNearTenth(tenth)});
        QVERIFY2(
            std::abs(knock / chime - 1) < 0.02,
            qPrintable(
                QStringLiteral("tenth %1: %2 Hz, chime %3 Hz").arg(tenth).arg(knock).arg(chime)));
    }
    QVERIFY(pitchOf({Cue::Wrong}) < pitchOf({Cue::Right, 1}) * 0.8);
}

void SoundFilesTest::knockIsToldFromTheChimeByTimbre_data()
{
    QTest::addColumn<int>("tenth");
    for (int tenth = 1; tenth <= 10; ++tenth)
        QTest::addRow("tenth %d", tenth) << tenth;
}

void SoundFilesTest::knockIsToldFromTheChimeByTimbre()
{
    QFETCH(int, tenth);
    const SoundCue knock{Cue::OpponentTenth, tenth};
    const SoundCue chime{Cue::Right, stepNearTenth(tenth)};
    const double pitch = pitchOf(chime);
    // The knock's strike and overtones lie off the note's harmonics, where a chime has next to
    // nothing; and its strike is brighter.
    const double knockShare = harmonicShare(knock, pitch);
    const double chimeShare = harmonicShare(chime, pitch);
    QVERIFY2(chimeShare > 0.93 && knockShare < 0.88,
             qPrintable(QStringLiteral("on the harmonics: knock %1, chime %2")
                            .arg(knockShare)
                            .arg(chimeShare)));
    const double brighter = attackBrightness(knock) / attackBrightness(chime);
    QVERIFY2(brighter > 1.2, qPrintable(QString::number(brighter)));
}

void SoundFilesTest::overlappingSoundsStayAtOrBelowMinusOneDbfs()
{
    // Every two sounds of the game started together or a little apart, and the end of a race
    // on its last chime and knock: the two that reached full scale and -0.9 dBFS when summed.
    std::vector<std::vector<qint16>> sounds;
    for (const SoundCue& cue : everyCue())
        sounds.push_back(readWav(soundFile(cue)).samples);
    int loudest = 0;
    for (size_t a = 0; a < sounds.size(); ++a)
        for (size_t b = a; b < sounds.size(); ++b)
            for (int apart : {0, 37, 160, 800}) {
                const size_t length = std::max(sounds[a].size(), sounds[b].size() + apart);
                loudest =
                    std::max(loudest, peakOf(mixed({{sounds[a], 0}, {sounds[b], apart}}, length)));
            }
    const auto chime11 = readWav(soundFile({Cue::Right, 11})).samples;
    const auto record = readWav(soundFile({Cue::Record})).samples;
    const auto knock10 = readWav(soundFile({Cue::OpponentTenth, 10})).samples;
    const auto lead = readWav(soundFile({Cue::OpponentLeads})).samples;
    loudest = std::max(loudest, peakOf(mixed({{chime11, 0}, {record, 0}, {knock10, 0}, {lead, 0}},
                                             record.size())));
    QVERIFY2(dbfs(loudest) <= -1.0, qPrintable(QString::number(dbfs(loudest))));
    // The limiter works: summed as they are, some of these pairs pass -1 dBFS.
    std::vector<int> summed(record.size(), 0);
    for (const auto* s : {&chime11, &record, &knock10, &lead})
        for (size_t i = 0; i < s->size() && i < summed.size(); ++i)
            summed[i] += (*s)[i];
    QVERIFY(dbfs(*std::max_element(summed.begin(), summed.end())) > -1.0);
}

void SoundFilesTest::oneSoundAloneIsMixedUntouched()
{
    for (const SoundCue& cue : {SoundCue{Cue::Right, 5}, SoundCue{Cue::Record}}) {
        const std::vector<qint16> samples = readWav(soundFile(cue)).samples;
        std::vector<qint16> out = mixed({{samples, 0}}, samples.size() + 480, 173);
        QVERIFY(std::equal(samples.begin(), samples.end(), out.begin()));
        QVERIFY(std::all_of(out.begin() + long(samples.size()), out.end(),
                            [](qint16 s) { return s == 0; }));
    }
}

void SoundFilesTest::endOfRaceFollowsTheLastChime()
{
    // The eleventh chime and the record fanfare are asked for at the same moment: the fanfare
    // starts where the chime ends, in whichever block that falls.
    const auto chime = readWav(soundFile({Cue::Right, 11})).samples;
    const auto record = readWav(soundFile({Cue::Record})).samples;
    SoundMixer mixer;
    std::vector<qint16> out(chime.size() + record.size() + 320);
    mixer.start(chime);
    mixer.start(record, SoundMixer::Entry::AfterOthers);
    for (size_t at = 0; at < out.size(); at += 100)
        mixer.mix(out.data() + at, std::min<size_t>(100, out.size() - at));
    QVERIFY(std::equal(chime.begin(), chime.end(), out.begin()));
    QVERIFY(std::equal(record.begin(), record.end(), out.begin() + long(chime.size())));
    // Nothing playing: it starts at once.
    mixer.start(record, SoundMixer::Entry::AfterOthers);
    std::vector<qint16> alone(record.size());
    mixer.mix(alone.data(), alone.size());
    QVERIFY(alone == record);
}

void SoundFilesTest::duckingLowersTheMixSmoothlyAndLiftsIt()
{
    std::vector<qint16> tone(Rate);
    for (size_t i = 0; i < tone.size(); ++i)
        tone[i] = qint16(std::lround(16000 * std::sin(2 * Pi * 500 * double(i) / Rate)));
    SoundMixer mixer;
    mixer.start(tone);
    std::vector<qint16> out(tone.size());
    mixer.mix(out.data(), 4000);
    mixer.duck(4000);
    mixer.mix(out.data() + 4000, 12000);
    auto peakBetween = [&](int from, int to) {
        return peakOf(std::vector<qint16>(out.begin() + from, out.begin() + to));
    };
    QVERIFY(peakBetween(3000, 4000) >= 15900);
    // Ducked by 12 dB within 15 ms, and back to full 15 ms after the phrase.
    QVERIFY(std::abs(peakBetween(4400, 7900) - 4000) <= 50);
    QVERIFY(peakBetween(8400, 12000) >= 15900);
    // No step: from one sample to the next the gain moves by less than 0.5 %.
    for (int i = 3990; i < 8500; ++i) {
        const double expected = 16000 * std::sin(2 * Pi * 500 * i / Rate);
        if (std::abs(expected) > 8000) {
            const double gain = out[size_t(i)] / expected;
            const double before =
                out[size_t(i - 1)] / (16000 * std::sin(2 * Pi * 500 * (i - 1) / Rate));
            if (std::abs(16000 * std::sin(2 * Pi * 500 * (i - 1) / Rate)) > 8000)
                QVERIFY2(std::abs(gain - before) < 0.005, qPrintable(QString::number(i)));
        }
    }
}

QTEST_MAIN(SoundFilesTest)
#include "test_soundfiles.moc"
