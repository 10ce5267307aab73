#pragma once

#include "platform/platform_error.h"

#include <optional>

namespace brindlemoor {

// Reports the progress of a recording of the system's sound.
class SystemSoundRecorder {
public:
    void recordingDidStart();
    // With the error when the recording failed.
    void recordingDidFinish(const std::optional<PlatformError>& error);
};

} // namespace brindlemoor
