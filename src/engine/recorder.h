#pragma once

#include <mutex>

namespace brindlemoor {

// Serialises the local model's own recordings. It offers no operation: the loop's recordings
// come from the speech detector.
class Recorder {
private:
    std::mutex mutex_;
};

} // namespace brindlemoor
