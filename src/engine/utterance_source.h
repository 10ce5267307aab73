#pragma once

#include <filesystem>
#include <optional>

namespace brindlemoor {

// Records one utterance at a time for the file-based loop.
class UtteranceSource {
public:
    virtual ~UtteranceSource() = default;

    // Blocks until an utterance has been recorded and converted; answers the converted file,
    // or none when the audio input could not be opened or listening was cancelled.
    virtual std::optional<std::filesystem::path> listen() = 0;
    // Ends a pending listen() and makes every later one answer none at once; for shutting down.
    virtual void cancel() = 0;
};

} // namespace brindlemoor
