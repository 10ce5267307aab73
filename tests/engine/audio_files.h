#pragma once

#include "engine/sound_file.h"

#include <cmath>
#include <filesystem>
#include <vector>

namespace brindlemoor::testing {

// Writes a 440 Hz tone of `seconds` as 16-bit linear PCM.
inline void writeTone(const std::filesystem::path& path, double seconds, int rate = 44100, int channels = 1,
                      int format = SF_FORMAT_WAV | SF_FORMAT_PCM_16)
{
    SF_INFO info{};
    info.samplerate = rate;
    info.channels = channels;
    info.format = format;
    SoundFile file(path, SFM_WRITE, info);
    const auto frames = static_cast<std::size_t>(seconds * rate);
    std::vector<float> samples(frames * channels);
    for (std::size_t frame = 0; frame < frames; ++frame) {
        for (int channel = 0; channel < channels; ++channel)
            samples[frame * channels + channel] = 0.5f * static_cast<float>(std::sin(2 * M_PI * 440 * frame / rate));
    }
    sf_writef_float(file.get(), samples.data(), static_cast<sf_count_t>(frames));
}

inline SF_INFO audioInfo(const std::filesystem::path& path)
{
    SoundFile file(path, SFM_READ);
    return file ? file.info() : SF_INFO{};
}

} // namespace brindlemoor::testing
