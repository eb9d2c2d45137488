// SPDX-FileCopyrightText: The Numblaze developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <optional>
#include <random>

namespace numblaze
{

/// The race's source of chance: seeded once per race, then uniform values in [0, 1).
class RandomSource
{
  public:
    /// The largest value next() can give: 1 - 2^-24.
    static constexpr float Largest = 1.0f - 0x1.0p-24f;

    /// Starts a fresh sequence from a seed value (the race uses the seconds since midnight).
    void seed(double value);
    /// Seeds from the time of day, as every race does when its screen is loaded.
    void seedFromTimeOfDay();
    /// The next value, uniform in [0, 1) in single precision; never 1.0.
    float next();

  private:
    /// Sets the engine from the seed given last. Working it out takes longer than the race
    /// screen's first paint, and no value is asked for before the race starts, so it is done at
    /// the first value: the values are the same as when it is done at once.
    void applySeed();

    std::mt19937 engine_;
    std::optional<double> seed_;
};

} // namespace numblaze
