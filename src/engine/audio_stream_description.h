#pragma once

#include <cstdint>

namespace brindlemoor {

// The layout of a stream of audio: rate, data format, flags and how frames pack into packets.
struct AudioStreamDescription {
    double sampleRate = 0;
    std::uint32_t formatID = 0;
    std::uint32_t formatFlags = 0;
    std::uint32_t bytesPerPacket = 0;
    std::uint32_t framesPerPacket = 0;
    std::uint32_t bytesPerFrame = 0;
    std::uint32_t channelsPerFrame = 0;
    std::uint32_t bitsPerChannel = 0;

    bool operator==(const AudioStreamDescription&) const = default;
};

namespace audio_format_flags {
inline constexpr std::uint32_t isFloat = 1;
inline constexpr std::uint32_t isBigEndian = 2;
inline constexpr std::uint32_t isSignedInteger = 4;
inline constexpr std::uint32_t isPacked = 8;
} // namespace audio_format_flags

} // namespace brindlemoor
