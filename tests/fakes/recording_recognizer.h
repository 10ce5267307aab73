#pragma once

#include "engine/live_recognition_control.h"

#include <string>
#include <vector>

namespace brindlemoor::fakes {

// Notes each start and stop as "start" / "stop" in a list the test may share with other
// observers, so that their order shows.
class RecordingRecognizer final : public LiveRecognitionControl {
public:
    explicit RecordingRecognizer(std::vector<std::string>& events) : events_(events) {}

    void start() override { events_.push_back("start"); }
    void stop() override { events_.push_back("stop"); }

private:
    std::vector<std::string>& events_;
};

} // namespace brindlemoor::fakes
