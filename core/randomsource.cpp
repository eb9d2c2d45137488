// SPDX-FileCopyrightText: The Numblaze developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "core/randomsource.h"

#include <QTime>
#include <bit>
#include <cstdint>

namespace numblaze
{

void RandomSource::seed(double value)
{
    seed_ = value;
}

void RandomSource::applySeed()
{
    const auto bits = std::bit_cast<std::uint64_t>(*seed_);
    std::seed_seq sequence{std::uint32_t(bits), std::uint32_t(bits >> 32)};
    engine_.seed(sequence);
    seed_.reset();
}

void RandomSource::seedFromTimeOfDay()
{
    seed(QTime::currentTime().msecsSinceStartOfDay() / 1000.0);
}

float RandomSource::next()
{
    if (seed_)
        applySeed();
    // The top 24 bits fill a float's mantissa exactly, so the value is below 1.0.
    return float(engine_() >> 8) * 0x1.0p-24f;
}

} // namespace numblaze
