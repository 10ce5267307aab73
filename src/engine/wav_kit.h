#pragma once

#include <filesystem>

namespace brindlemoor {

class WavKit {
public:
    // Writes the input as 16 kHz mono 16-bit linear PCM in a CAF container under the output's
    // name. Failures are printed, not reported.
    static void convertWavTo16kHz(const std::filesystem::path& input, const std::filesystem::path& output);
};

} // namespace brindlemoor
