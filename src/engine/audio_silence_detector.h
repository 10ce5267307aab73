#pragma once

#include "engine/transcript_buffer_actor.h"
#include "platform/audio_buffer.h"
#include "platform/clock.h"
#include "platform/logger.h"

#include <memory>
#include <mutex>

namespace brindlemoor {

// Decides, buffer by buffer, whether the speaker has finished: the buffer is silent, something
// has been recognised, and the last result is at least half a second old.
class AudioSilenceDetector {
public:
    AudioSilenceDetector(std::shared_ptr<TranscriptBufferActor> transcriptBuffer, Logger logger,
                         Clock& clock = Clock::system());

    bool shouldEndAudio(const AudioPcmBuffer& buffer, float threshold);
    // No sample louder than the threshold; a buffer without float data is silent.
    static bool isSilent(const AudioPcmBuffer& buffer, float threshold);

private:
    std::mutex mutex_;
    std::shared_ptr<TranscriptBufferActor> transcriptBuffer_;
    Logger logger_;
    Clock& clock_;
};

} // namespace brindlemoor
