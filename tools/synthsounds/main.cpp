// SPDX-FileCopyrightText: The Numblaze developers
// SPDX-License-Identifier: GPL-3.0-or-later

// Synthesises every sound of the game from its description (assets/sounds/sounds.txt: notes,
// voices, loudness) into short 16-bit mono WAV files.
//
//   synthsounds <description> <output directory>
//
// Each sound is scaled so that its momentary loudness (tools/synthsounds/loudness.h) is the one
// the description gives: sounds are balanced as the ear hears them, not by their peaks. A sound
// whose loudest sample would then pass -1 dBFS is refused. Nothing here is random (the knock's
// strike is a fixed set of partials): running it again gives the same files.

#include "loudness.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <map>
#include <numbers>
#include <sstream>
#include <string>
#include <vector>

namespace
{

constexpr int SampleRate = 16000;
constexpr double LoudestAllowed = -1.0; // dBFS, the loudest sample
constexpr double Pi = std::numbers::pi;

struct Note {
    std::string voice;
    double frequency = 0;
    double start = 0;
    double length = 0;
    double level = 1;
};

struct Sound {
    std::string name;
    double lufs = -16; ///< the momentary loudness it is scaled to
    std::vector<Note> notes;
};

[[noreturn]] void fail(const std::string& why)
{
    std::fprintf(stderr, "synthsounds: %s\n", why.c_str());
    std::exit(1);
}

/// A note name (C4, F#5, Bb3) as a frequency in equal temperament, A4 = 440 Hz.
double frequencyOf(const std::string& name)
{
    static const std::map<char, int> steps = {{'C', -9}, {'D', -7}, {'E', -5}, {'F', -4},
                                              {'G', -2}, {'A', 0},  {'B', 2}};
    if (name.size() < 2 || !steps.count(name[0]))
        fail("not a note: " + name);
    int semitones = steps.at(name[0]);
    size_t i = 1;
    if (name[i] == '#' || name[i] == 'b')
        semitones += name[i++] == '#' ? 1 : -1;
    const int octave = std::stoi(name.substr(i));
    semitones += 12 * (octave - 4);
    return 440.0 * std::pow(2.0, semitones / 12.0);
}

/// The strike of a wood block: a dense cluster of unrelated partials between 0.6 and 5 kHz, the
/// same for every pitch, heard as a short noisy tick. Its partials and phases are fixed (a golden
/// ratio walk), so every run gives the same sound, with no two partials in step, which keeps its
/// peaks low for its energy.
double strike(double t)
{
    constexpr double Pi = std::numbers::pi;
    constexpr int Partials = 32;
    double sum = 0;
    for (int k = 0; k < Partials; ++k) {
        const double f = 600 + 4400 * std::fmod(k * 0.6180339887, 1.0);
        sum += std::sin(2 * Pi * f * t + k * k * 0.7);
    }
    return sum / std::sqrt(Partials / 2.0);
}

/// One sample of a voice at time t into a note of the given length: the voice's waveform under
/// its envelope. Each envelope starts and ends at zero, so no note clicks.
double voiceSample(const std::string& voice, double f, double t, double length)
{
    // A partial at or above 7 kHz is left out: at 16000 samples a second it would fold back
    // into the audible range as a note that is not there.
    auto partial = [&](double n, double gain) {
        return f * n < 7000 ? gain * std::sin(2 * Pi * f * n * t) : 0.0;
    };
    auto fadeIn = [&](double seconds) { return std::min(1.0, t / seconds); };
    auto fadeOut = [&](double seconds) { return std::clamp((length - t) / seconds, 0.0, 1.0); };
    if (voice == "sine")
        return partial(1, 1) * fadeIn(0.005) * fadeOut(0.03);
    if (voice == "bell") {
        // A struck chime: the upper partials die away faster than the fundamental.
        const double body = partial(1, 1) * std::exp(-t * 9);
        const double shine = (partial(2, 0.35) + partial(3, 0.12)) * std::exp(-t * 22);
        return (body + shine) * fadeIn(0.003) * fadeOut(0.03);
    }
    if (voice == "wood") {
        // A wood block struck: a burst of noise for the strike, then a hollow body whose
        // overtones lie between the harmonics (a bar's, not a string's) and die at once, so
        // only the fundamental carries the pitch.
        const double tick = 0.5 * strike(t) * std::exp(-t * 300);
        const double body = partial(1, 1) * std::exp(-t * 28) +
                            (partial(2.76, 0.8) + partial(5.4, 0.5)) * std::exp(-t * 80);
        return (tick + body) * fadeIn(0.001) * fadeOut(0.01);
    }
    if (voice == "pluck") {
        const double knock = partial(1, 1) + partial(2, 0.3);
        return knock * std::exp(-t * 45) * fadeIn(0.002) * fadeOut(0.01);
    }
    if (voice == "soft") {
        // Rounded: the fundamental with a little of the third partial, swelling in gently.
        return (partial(1, 1) + partial(3, 0.08)) * fadeIn(0.03) * fadeOut(0.08);
    }
    if (voice == "reed") {
        double sum = 0;
        for (int n = 1; n <= 9; n += 2)
            sum += partial(n, 1.0 / n);
        return sum * fadeIn(0.006) * fadeOut(0.04);
    }
    fail("unknown voice: " + voice);
}

std::vector<double> render(const Sound& sound)
{
    double end = 0;
    for (const Note& n : sound.notes)
        end = std::max(end, n.start + n.length);
    std::vector<double> mix(size_t(std::ceil(end * SampleRate)), 0.0);
    for (const Note& n : sound.notes) {
        const size_t first = size_t(std::lround(n.start * SampleRate));
        const size_t count = size_t(std::lround(n.length * SampleRate));
        for (size_t i = 0; i < count && first + i < mix.size(); ++i)
            mix[first + i] +=
                n.level * voiceSample(n.voice, n.frequency, double(i) / SampleRate, n.length);
    }
    return mix;
}

double peakOf(const std::vector<double>& mix)
{
    double peak = 0;
    for (double v : mix)
        peak = std::max(peak, std::abs(v));
    return peak;
}

/// The sound at its loudness, as 16-bit samples; refused when its loudest sample would pass
/// LoudestAllowed.
std::vector<int16_t> toPcm(const std::string& name, std::vector<double> mix, double lufs)
{
    if (peakOf(mix) == 0)
        fail(name + ": a silent sound");
    const double scale = std::pow(10.0, (lufs - loudness::momentaryMax(mix, SampleRate)) / 20);
    for (double& v : mix)
        v *= scale;
    const double peakDb = 20 * std::log10(peakOf(mix));
    if (peakDb > LoudestAllowed)
        fail(name + ": at " + std::to_string(lufs) + " LUFS its peak would be " +
             std::to_string(peakDb) + " dBFS");
    std::vector<int16_t> pcm;
    pcm.reserve(mix.size());
    for (double v : mix)
        pcm.push_back(int16_t(std::lround(v * 32767)));
    std::printf("%-12s %6.1f LUFS, peak %5.1f dBFS\n", name.c_str(), lufs, peakDb);
    return pcm;
}

void put32(std::ofstream& out, uint32_t v)
{
    for (int i = 0; i < 4; ++i)
        out.put(char((v >> (8 * i)) & 0xff));
}

void put16(std::ofstream& out, uint16_t v)
{
    out.put(char(v & 0xff));
    out.put(char(v >> 8));
}

void writeWav(const std::string& path, const std::vector<int16_t>& pcm)
{
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    const uint32_t bytes = uint32_t(pcm.size() * 2);
    out.write("RIFF", 4);
    put32(out, 36 + bytes);
    out.write("WAVEfmt ", 8);
    put32(out, 16);
    put16(out, 1); // PCM
    put16(out, 1); // mono
    put32(out, SampleRate);
    put32(out, SampleRate * 2);
    put16(out, 2);
    put16(out, 16);
    out.write("data", 4);
    put32(out, bytes);
    for (int16_t s : pcm)
        put16(out, uint16_t(s));
    if (!out)
        fail("cannot write " + path);
}

Note readNote(const std::string& voice, std::istringstream& words)
{
    std::string note;
    Note n;
    n.voice = voice;
    if (!(words >> note >> n.start >> n.length >> n.level))
        fail("a note needs a pitch, a start, a length and a level");
    n.frequency = frequencyOf(note);
    return n;
}

/// "ladder NAME LOUDNESS VOICE LENGTH : NOTE NOTE ...": one single-note sound per rung.
void readLadder(std::istringstream& words, std::vector<Sound>& sounds)
{
    std::string name, voice, colon, note;
    double lufs = 0, length = 0;
    if (!(words >> name >> lufs >> voice >> length >> colon) || colon != ":")
        fail("a ladder is: ladder NAME LOUDNESS VOICE LENGTH : NOTE NOTE ...");
    for (int rung = 1; words >> note; ++rung) {
        char suffix[16];
        std::snprintf(suffix, sizeof suffix, "-%02d", rung);
        sounds.push_back({name + suffix, lufs, {{voice, frequencyOf(note), 0, length, 1}}});
    }
}

std::vector<Sound> readDescription(const std::string& path)
{
    std::ifstream in(path);
    if (!in)
        fail("cannot read " + path);
    std::vector<Sound> sounds;
    std::string line;
    while (std::getline(in, line)) {
        std::istringstream words(line);
        std::string first;
        if (!(words >> first) || first[0] == '#')
            continue;
        if (first == "ladder") {
            readLadder(words, sounds);
        } else if (first == "sound") {
            Sound s;
            if (!(words >> s.name >> s.lufs))
                fail("a sound is: sound NAME LOUDNESS");
            sounds.push_back(s);
        } else if (sounds.empty()) {
            fail("a note before the first sound");
        } else {
            sounds.back().notes.push_back(readNote(first, words));
        }
    }
    return sounds;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc != 3)
        fail("usage: synthsounds <description> <output directory>");
    const std::vector<Sound> sounds = readDescription(argv[1]);
    size_t total = 0;
    for (const Sound& s : sounds) {
        if (s.notes.empty())
            fail(s.name + ": no notes");
        const std::vector<int16_t> pcm = toPcm(s.name, render(s), s.lufs);
        writeWav(std::string(argv[2]) + "/" + s.name + ".wav", pcm);
        total += 44 + pcm.size() * 2;
    }
    std::printf("%zu sounds, %zu bytes\n", sounds.size(), total);
    return 0;
}
