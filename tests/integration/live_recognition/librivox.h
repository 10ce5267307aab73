#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace brindlemoor::testing {

// A LibriVox recording of pocketsphinx-testdata with its reference transcript.
struct Recording {
    std::filesystem::path path;
    std::string reference;
};

// All five, in the order of their transcript file.
std::vector<Recording> librivoxRecordings();

// The one with this id, e.g. "sense_and_sensibility_01_austen_64kb-0920"; throws with a message
// naming the package when it is missing.
Recording librivoxRecording(const std::string& id);

// 16 kHz mono 16-bit samples of a recording.
std::optional<std::vector<std::int16_t>> readSamples(const std::filesystem::path& path);

} // namespace brindlemoor::testing
