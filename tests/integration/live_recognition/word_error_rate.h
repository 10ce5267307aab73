#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace brindlemoor::testing {

// Lower case, punctuation removed, split at white space.
std::vector<std::string> normalisedWords(const std::string& text);

// Word-level edit distance over the reference's length.
double wordErrorRate(const std::vector<std::string>& hypothesis, const std::vector<std::string>& reference);

// The five LibriVox recordings of pocketsphinx-testdata with their reference transcripts.
struct Recording {
    std::filesystem::path path;
    std::string reference;
};
std::vector<Recording> librivoxRecordings();

// 16 kHz mono 16-bit samples of a recording.
std::optional<std::vector<std::int16_t>> readSamples(const std::filesystem::path& path);

} // namespace brindlemoor::testing
