#pragma once

#include "platform/platform_error.h"

#include <filesystem>
#include <string>
#include <variant>

namespace brindlemoor {

// The recognised text (possibly empty), or why there is none.
using TranscriptionResult = std::variant<std::string, PlatformError>;

// Turns a recorded utterance into text.
class TranscribeProtocol {
public:
    virtual ~TranscribeProtocol() = default;

    // Blocks the calling thread until the answer is known, so it runs in a task of its own,
    // never on the main thread.
    virtual TranscriptionResult transcribe(const std::filesystem::path& url) = 0;
};

} // namespace brindlemoor
