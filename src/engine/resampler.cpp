#include "engine/resampler.h"

#include <cmath>
#include <stdexcept>
#include <string>

namespace brindlemoor {

Resampler::Resampler(double inputRate, double outputRate, unsigned channels)
    : ratio_(outputRate / inputRate), channels_(channels)
{
    if (inputRate == outputRate)
        return;
    soxr_error_t error = nullptr;
    const soxr_io_spec_t io = soxr_io_spec(SOXR_FLOAT32_I, SOXR_FLOAT32_I);
    const soxr_quality_spec_t quality = soxr_quality_spec(SOXR_HQ, 0);
    converter_.reset(soxr_create(inputRate, outputRate, channels, &error, &io, &quality, nullptr));
    if (error != nullptr)
        throw std::runtime_error(std::string("sample-rate conversion could not start: ") + error);
}

std::vector<float> Resampler::process(const float* frames, std::size_t frameCount)
{
    if (!converter_)
        return {frames, frames + frameCount * channels_};
    return run(frames, frameCount);
}

std::vector<float> Resampler::flush()
{
    if (!converter_)
        return {};
    return run(nullptr, 0);
}

std::vector<float> Resampler::run(const float* frames, std::size_t frameCount)
{
    std::vector<float> output;
    std::vector<float> block((static_cast<std::size_t>(std::ceil(frameCount * ratio_)) + 1024) * channels_);
    const std::size_t blockFrames = block.size() / channels_;
    std::size_t consumed = 0;
    // A null input tells the converter the stream has ended; it then drains in blocks.
    while (true) {
        std::size_t used = 0;
        std::size_t produced = 0;
        const float* input = frames ? frames + consumed * channels_ : nullptr;
        soxr_process(converter_.get(), input, frames ? frameCount - consumed : 0, &used, block.data(), blockFrames,
                     &produced);
        consumed += used;
        output.insert(output.end(), block.begin(), block.begin() + produced * channels_);
        const bool inputDone = frames == nullptr || consumed >= frameCount;
        if (inputDone && produced < blockFrames)
            break;
    }
    return output;
}

std::vector<float> Resampler::convert(const std::vector<float>& frames, double inputRate, double outputRate,
                                      unsigned channels)
{
    Resampler resampler(inputRate, outputRate, channels);
    auto output = resampler.process(frames.data(), frames.size() / channels);
    auto tail = resampler.flush();
    output.insert(output.end(), tail.begin(), tail.end());
    return output;
}

} // namespace brindlemoor
