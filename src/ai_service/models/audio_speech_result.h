#pragma once

#include <cstdint>
#include <optional>
#include <vector>

namespace brindlemoor {

// The reply body of a speech request as received: the audio file in the requested format.
struct AudioSpeechResult {
    std::optional<std::vector<std::uint8_t>> audioData{};
};

} // namespace brindlemoor
