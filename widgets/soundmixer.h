// SPDX-FileCopyrightText: The Numblaze developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QtGlobal>
#include <cstddef>
#include <vector>

namespace numblaze
{

/**
 * Mixes the sounds that play at once into one stream of 16-bit mono samples. Every sound file
 * peaks at or below -1 dBFS, but two of them together can pass it: a limiter that looks a few
 * milliseconds ahead turns the whole mix down smoothly just before such a peak and back up after
 * it, so the mix never passes Ceiling and never clips. While the game's voice says a phrase to a
 * reader, the mix is ducked. Not thread-safe: the sound thread alone uses it.
 */
class SoundMixer
{
  public:
    static constexpr int Rate = 16000;
    /// The loudest sample the mix gives: -2.5 dBFS. The servers resample the mix to their own
    /// rate, which rounds a peak up (by up to 0.72 dB measured, on a knock's struck attack), and
    /// what the player hears must stay at or below -1 dBFS.
    static constexpr int Ceiling = 24574;
    /// How much quieter the sounds are while a phrase is said: -12 dB.
    static constexpr float DuckGain = 0.25f;

    /// How a sound starts.
    enum class Entry {
        AtOnce,      ///< with the next frame mixed
        AfterOthers, ///< once every sound already playing has ended (the end of a race after
                     ///< the last chime or knock), or at most MaxWaitFrames later
    };
    static constexpr int MaxWaitFrames = Rate / 2;

    /// Starts a sound; `samples` must outlive its playing.
    void start(const std::vector<qint16>& samples, Entry entry = Entry::AtOnce);
    /// Ducks the mix for the next `frames` frames and lifts it after them; call before starting
    /// the sounds that are to be ducked from their first frame.
    void duck(int frames);
    /// Whether a sound plays or waits to.
    bool isPlaying() const { return !voices_.empty(); }
    /// Mixes the next `frames` frames into `out`, silence where nothing plays.
    void mix(qint16* out, size_t frames);
    /// Stops every sound.
    void clear();

  private:
    struct Voice {
        const std::vector<qint16>* samples;
        /// The voice's sample that goes out with the next frame; negative while it waits.
        long at;
    };
    /// The voices summed over the next `count` frames.
    void sum(std::vector<float>& into, size_t count) const;
    /// The gain each of the next frames gets so that none passes Ceiling.
    void limit(const std::vector<float>& mixed, size_t frames);
    float nextDuck();

    std::vector<Voice> voices_;
    std::vector<float> mixed_;
    std::vector<float> gains_;
    float gain_ = 1;
    float duck_ = 1;
    long duckFrames_ = 0;
};

} // namespace numblaze
