#pragma once

#include "support/child_process.h"

#include <filesystem>
#include <memory>
#include <optional>
#include <string>

namespace brindlemoor::testing {

// A PulseAudio server of the test's own, on a socket in a private folder, whose default input is
// a microphone fed through a FIFO (16 kHz mono 16-bit). Points PULSE_SERVER at itself while it
// lives. Throws with a clear message when the server cannot be had.
class PrivateSoundServer {
public:
    PrivateSoundServer();
    ~PrivateSoundServer();

    PrivateSoundServer(const PrivateSoundServer&) = delete;
    PrivateSoundServer& operator=(const PrivateSoundServer&) = delete;

    // Where the microphone's samples are written.
    const std::filesystem::path& microphone() const { return microphone_; }

    static constexpr int kMicrophoneRate = 16000;

private:
    std::optional<std::string> pactl(const std::vector<std::string>& arguments) const;

    std::filesystem::path folder_;
    std::filesystem::path microphone_;
    std::string address_;
    std::optional<std::string> previousAddress_;
    std::unique_ptr<ChildProcess> server_;
};

} // namespace brindlemoor::testing
