#pragma once

#include "engine/transcript_buffer.h"

#include <mutex>
#include <string>

namespace brindlemoor {

// Owns the pass's transcript; every read and write of it goes through here, one at a time.
class TranscriptBufferActor {
public:
    TranscriptBufferActor() = default;
    explicit TranscriptBufferActor(TranscriptBuffer buffer) : buffer_(std::move(buffer)) {}

    // Runs `block` with the buffer, alone; answers what it answers.
    template <typename F>
    auto run(F&& block)
    {
        std::lock_guard lock(mutex_);
        return block(buffer_);
    }

    // The text recognised since the committed part: all of `current` when nothing is committed,
    // else what follows the first occurrence of `previous` in it, else "".
    std::string currentText();

private:
    std::mutex mutex_;
    TranscriptBuffer buffer_;
};

} // namespace brindlemoor
