// SPDX-FileCopyrightText: The Numblaze developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "widgets/soundmixer.h"

#include <algorithm>
#include <cmath>

namespace numblaze
{

namespace
{
/// How far the limiter looks ahead, and so how long it takes to turn the mix down: 3 ms, short
/// enough to keep a chime's strike, long enough not to click.
constexpr size_t LookAhead = SoundMixer::Rate * 3 / 1000;
/// How long the mix takes to come back up after a peak: 80 ms.
constexpr float ReleaseStep = 1.0f / (SoundMixer::Rate * 80 / 1000);
/// How long ducking takes to set in or to lift: 15 ms.
constexpr float DuckStep = (1 - SoundMixer::DuckGain) / (SoundMixer::Rate * 15 / 1000);
} // namespace

void SoundMixer::start(const std::vector<qint16>& samples, Entry entry)
{
    // A sound into silence starts at the level of the moment, ducked or not.
    if (voices_.empty())
        duck_ = duckFrames_ > 0 ? DuckGain : 1.0f;
    long wait = 0;
    if (entry == Entry::AfterOthers)
        for (const Voice& v : voices_)
            wait = std::max(wait, long(v.samples->size()) - v.at);
    voices_.push_back({&samples, -std::min(wait, long(MaxWaitFrames))});
}

void SoundMixer::duck(int frames)
{
    duckFrames_ = std::max(0, frames);
}

void SoundMixer::clear()
{
    voices_.clear();
}

void SoundMixer::sum(std::vector<float>& into, size_t count) const
{
    into.assign(count, 0.0f);
    for (const Voice& v : voices_) {
        const long size = long(v.samples->size());
        for (long i = std::max(0L, -v.at); i < long(count) && v.at + i < size; ++i)
            into[size_t(i)] += (*v.samples)[size_t(v.at + i)];
    }
}

void SoundMixer::limit(const std::vector<float>& mixed, size_t frames)
{
    // Each frame's most allowed gain, lowered ahead of a peak so that the gain falls to it in a
    // straight line over LookAhead frames; then, going forward, the gain follows that line down
    // and rises back slowly.
    std::vector<float>& allowed = gains_;
    allowed.resize(mixed.size());
    float next = 1;
    for (size_t i = mixed.size(); i-- > 0;) {
        const float level = std::abs(mixed[i]);
        const float fits = level > Ceiling ? Ceiling / level : 1.0f;
        next = std::min(fits, next + 1.0f / LookAhead);
        allowed[i] = next;
    }
    for (size_t i = 0; i < frames; ++i) {
        gain_ = std::min(allowed[i], gain_ + ReleaseStep);
        allowed[i] = gain_;
    }
}

float SoundMixer::nextDuck()
{
    const float target = duckFrames_ > 0 ? DuckGain : 1.0f;
    if (duckFrames_ > 0)
        --duckFrames_;
    duck_ =
        duck_ > target ? std::max(target, duck_ - DuckStep) : std::min(target, duck_ + DuckStep);
    return duck_;
}

void SoundMixer::mix(qint16* out, size_t frames)
{
    sum(mixed_, frames + LookAhead);
    limit(mixed_, frames);
    for (size_t i = 0; i < frames; ++i) {
        const float sample = mixed_[i] * gains_[i] * nextDuck();
        out[i] = qint16(std::clamp(std::lround(sample), long(-Ceiling), long(Ceiling)));
    }
    for (Voice& v : voices_)
        v.at += long(frames);
    std::erase_if(voices_, [](const Voice& v) { return v.at >= long(v.samples->size()); });
}

} // namespace numblaze
