// SPDX-FileCopyrightText: The Numblaze developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

// How loud a sound of the game is to the ear: its momentary loudness as broadcasters measure
// it (ITU-R BS.1770): the signal weighted by the K curve (a high shelf of +4 dB above about
// 1.5 kHz, as the head hears, and a high-pass below about 40 Hz), its mean square over 400 ms.
// A sound's loudness is the loudest 400 ms of it, in LUFS; a full-scale 997 Hz sine reads about
// -3 LUFS. Used by tools/synthsounds to set each sound's level and by the tests to check it.

#include <algorithm>
#include <cmath>
#include <numbers>
#include <vector>

namespace loudness
{

/// One second-order filter section, run sample by sample.
class Biquad
{
  public:
    Biquad(double b0, double b1, double b2, double a1, double a2)
        : b0_(b0), b1_(b1), b2_(b2), a1_(a1), a2_(a2)
    {
    }

    double operator()(double x)
    {
        const double y = b0_ * x + z1_;
        z1_ = b1_ * x - a1_ * y + z2_;
        z2_ = b2_ * x - a2_ * y;
        return y;
    }

  private:
    double b0_, b1_, b2_, a1_, a2_;
    double z1_ = 0, z2_ = 0;
};

/// The K weighting for a sample rate: the recommendation's two sections, designed from their
/// analogue prototypes so that they hold at any rate, not only at 48 kHz.
inline std::vector<double> kWeighted(const std::vector<double>& samples, int rate)
{
    constexpr double Pi = std::numbers::pi;
    // The shelf: +4 dB above about 1.68 kHz.
    double f0 = 1681.974450955533, q = 0.7071752369554196;
    const double gainDb = 3.999843853973347;
    double k = std::tan(Pi * f0 / rate);
    const double vh = std::pow(10.0, gainDb / 20);
    const double vb = std::pow(vh, 0.4996667741545416);
    double a0 = 1 + k / q + k * k;
    Biquad shelf((vh + vb * k / q + k * k) / a0, 2 * (k * k - vh) / a0,
                 (vh - vb * k / q + k * k) / a0, 2 * (k * k - 1) / a0, (1 - k / q + k * k) / a0);
    // The high-pass below about 38 Hz.
    f0 = 38.13547087602444;
    q = 0.5003270373238773;
    k = std::tan(Pi * f0 / rate);
    a0 = 1 + k / q + k * k;
    Biquad highPass(1, -2, 1, 2 * (k * k - 1) / a0, (1 - k / q + k * k) / a0);
    std::vector<double> weighted;
    weighted.reserve(samples.size());
    for (double x : samples)
        weighted.push_back(highPass(shelf(x)));
    return weighted;
}

/// The loudest momentary loudness of a mono sound (samples in full scale, -1 to 1), in LUFS: the
/// K-weighted mean square over every 400 ms window, stepped by 10 ms, the sound's silence before
/// and after it included. A sound shorter than a window is measured in one window around it.
inline double momentaryMax(const std::vector<double>& samples, int rate)
{
    const size_t window = size_t(rate * 4 / 10);
    const size_t step = size_t(rate / 100);
    std::vector<double> padded(window, 0.0);
    padded.insert(padded.end(), samples.begin(), samples.end());
    padded.resize(padded.size() + window, 0.0);
    const std::vector<double> weighted = kWeighted(padded, rate);
    std::vector<double> energy(weighted.size() + 1, 0.0);
    for (size_t i = 0; i < weighted.size(); ++i)
        energy[i + 1] = energy[i] + weighted[i] * weighted[i];
    double loudest = 0;
    for (size_t start = 0; start + window <= weighted.size(); start += step)
        loudest = std::max(loudest, (energy[start + window] - energy[start]) / double(window));
    return loudest > 0 ? -0.691 + 10 * std::log10(loudest) : -HUGE_VAL;
}

} // namespace loudness
