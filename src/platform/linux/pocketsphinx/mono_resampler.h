#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

struct soxr;

namespace brindlemoor {

// Turns float audio of any rate and channel count into 16-bit mono at another rate.
class MonoResampler {
public:
    MonoResampler(double inputRate, double outputRate);
    ~MonoResampler();

    MonoResampler(const MonoResampler&) = delete;
    MonoResampler& operator=(const MonoResampler&) = delete;

    double inputRate() const { return inputRate_; }

    // `interleaved` holds `frames` frames of `channels` samples each; they are averaged to mono.
    std::vector<std::int16_t> process(const float* interleaved, std::size_t frames, unsigned channels);
    // What the filter still holds, at the end of the audio.
    std::vector<std::int16_t> flush();

private:
    std::vector<std::int16_t> convert(const float* mono, std::size_t frames);

    double inputRate_;
    double outputRate_;
    soxr* resampler_ = nullptr;  // none when the rates are equal
    std::vector<float> mono_;
};

} // namespace brindlemoor
