#include "platform/linux/pocketsphinx/mono_resampler.h"

#include <soxr.h>

#include <algorithm>
#include <cmath>

namespace brindlemoor {

namespace {

std::int16_t toInt16(float sample)
{
    return static_cast<std::int16_t>(std::lrint(std::clamp(sample, -1.0f, 1.0f) * 32767.0f));
}

} // namespace

MonoResampler::MonoResampler(double inputRate, double outputRate) : inputRate_(inputRate), outputRate_(outputRate)
{
    if (inputRate != outputRate) {
        soxr_io_spec_t io = soxr_io_spec(SOXR_FLOAT32_I, SOXR_INT16_I);
        soxr_quality_spec_t quality = soxr_quality_spec(SOXR_MQ, 0);
        soxr_error_t error = nullptr;
        resampler_ = soxr_create(inputRate, outputRate, 1, &error, &io, &quality, nullptr);
        if (error)
            resampler_ = nullptr;
    }
}

MonoResampler::~MonoResampler()
{
    if (resampler_)
        soxr_delete(resampler_);
}

std::vector<std::int16_t> MonoResampler::process(const float* interleaved, std::size_t frames, unsigned channels)
{
    mono_.resize(frames);
    const unsigned count = std::max(channels, 1u);
    for (std::size_t frame = 0; frame < frames; ++frame) {
        float sum = 0;
        for (unsigned channel = 0; channel < count; ++channel)
            sum += interleaved[frame * count + channel];
        mono_[frame] = sum / static_cast<float>(count);
    }
    return convert(mono_.data(), frames);
}

std::vector<std::int16_t> MonoResampler::flush()
{
    if (!resampler_)
        return {};
    return convert(nullptr, 0);
}

std::vector<std::int16_t> MonoResampler::convert(const float* mono, std::size_t frames)
{
    if (!resampler_) {
        std::vector<std::int16_t> out(frames);
        std::transform(mono, mono + frames, out.begin(), toInt16);
        return out;
    }
    // With no input soxr drains what its filter holds, which can take several calls.
    std::vector<std::int16_t> out;
    const std::size_t chunk = static_cast<std::size_t>(std::ceil(frames * outputRate_ / inputRate_)) + 1024;
    for (;;) {
        const std::size_t start = out.size();
        out.resize(start + chunk);
        std::size_t used = 0, produced = 0;
        soxr_process(resampler_, mono, frames, &used, out.data() + start, chunk, &produced);
        out.resize(start + produced);
        mono = mono ? mono + used : nullptr;
        frames -= used;
        if (frames == 0 && (mono || produced == 0))
            break;
    }
    return out;
}

} // namespace brindlemoor
