#pragma once

#include "support/child_process.h"
#include "support/temporary_folder.h"

#include <filesystem>
#include <memory>
#include <optional>
#include <string>

namespace brindlemoor::testing {

// A sound server of the test's own: PulseAudio on a socket in a private runtime folder, with a
// null sink (whose monitor is the default source at first). Sets PULSE_SERVER for the test
// process while it lives.
class PrivatePulseAudio {
public:
    PrivatePulseAudio();
    ~PrivatePulseAudio();

    PrivatePulseAudio(const PrivatePulseAudio&) = delete;
    PrivatePulseAudio& operator=(const PrivatePulseAudio&) = delete;

    bool ready() const { return ready_; }
    const std::filesystem::path& directory() const { return directory_.path(); }

    // pactl with this server; answers its output, or nothing when it failed.
    std::optional<std::string> pactl(const std::vector<std::string>& arguments);
    // A source fed from a FIFO of 16 kHz mono s16le; answers the module index.
    std::optional<std::string> loadPipeSource(const std::string& name, const std::filesystem::path& fifo);
    bool unloadModule(const std::string& index);
    bool setDefaultSource(const std::string& name);
    // A FIFO source "microphone" in directory(), made the default input; answers the FIFO, or
    // nothing when the server is not running or refused it.
    std::optional<std::filesystem::path> addDefaultMicrophone();

private:
    TemporaryFolder directory_{"brindlemoor-pulse"};
    std::string server_;
    std::optional<std::string> previousServer_;
    std::unique_ptr<ChildProcess> daemon_;
    bool ready_ = false;
};

} // namespace brindlemoor::testing
