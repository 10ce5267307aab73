#pragma once

#include <soxr.h>

#include <cstddef>
#include <memory>
#include <vector>

namespace brindlemoor {

// Streaming sample-rate conversion of interleaved float frames; the same rate passes through.
class Resampler {
public:
    Resampler(double inputRate, double outputRate, unsigned channels);

    // Converts the next frames; the answer may hold fewer frames than will finally come out.
    std::vector<float> process(const float* frames, std::size_t frameCount);
    // The frames still held back at the end of the input.
    std::vector<float> flush();

    // The whole of a short recording in one call.
    static std::vector<float> convert(const std::vector<float>& frames, double inputRate, double outputRate,
                                      unsigned channels);

private:
    struct Deleter {
        void operator()(soxr_t converter) const { soxr_delete(converter); }
    };

    std::vector<float> run(const float* frames, std::size_t frameCount);

    double ratio_;
    unsigned channels_;
    std::unique_ptr<soxr, Deleter> converter_;
};

} // namespace brindlemoor
