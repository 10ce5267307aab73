#pragma once

#include <filesystem>
#include <vector>

namespace brindlemoor {

// The samples of a recording as the local model takes them: 16-bit values scaled by 1/32767
// and clamped to [-1, 1], first channel only. Audio files libsndfile knows (the loop's CAF
// recordings among them) are read through it; anything else is taken as 16-bit little-endian
// samples after a 44-byte header. Throws std::system_error when the file cannot be read.
std::vector<float> decodeWaveFile(const std::filesystem::path& url);

} // namespace brindlemoor
