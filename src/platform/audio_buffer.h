#pragma once

#include <cstdint>
#include <optional>
#include <vector>

namespace brindlemoor {

struct AudioFormat {
    double sampleRate = 0;
    std::uint32_t channelCount = 0;

    bool operator==(const AudioFormat&) const = default;
};

// A block of PCM audio as a tap delivers it: 32-bit float samples, interleaved, `stride`
// samples from one frame to the next. A buffer may carry no float data at all.
class AudioPcmBuffer {
public:
    AudioPcmBuffer(AudioFormat format, std::uint32_t frameLength, std::optional<std::vector<float>> interleaved)
        : format_(format), frameLength_(frameLength), samples_(std::move(interleaved))
    {
    }

    const AudioFormat& format() const { return format_; }
    std::uint32_t frameLength() const { return frameLength_; }
    std::uint32_t channelCount() const { return format_.channelCount; }
    std::uint32_t stride() const { return format_.channelCount; }

    bool hasFloatChannelData() const { return samples_.has_value(); }
    // Only when hasFloatChannelData().
    float sample(std::uint32_t channel, std::uint32_t frame) const { return (*samples_)[frame * stride() + channel]; }
    const std::vector<float>& interleavedSamples() const { return *samples_; }

private:
    AudioFormat format_;
    std::uint32_t frameLength_;
    std::optional<std::vector<float>> samples_;
};

} // namespace brindlemoor
