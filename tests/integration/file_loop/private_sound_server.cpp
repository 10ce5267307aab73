#include "private_sound_server.h"

#include <cstdlib>
#include <stdexcept>

namespace brindlemoor::testing {

PrivateSoundServer::PrivateSoundServer()
{
    for (const char* program : {"pulseaudio", "pactl"}) {
        if (!haveProgram(program))
            throw std::runtime_error(std::string(program) + " is missing: install pulseaudio and pulseaudio-utils");
    }
    std::string pattern = (std::filesystem::temp_directory_path() / "brindlemoor-file-loop-XXXXXX").string();
    if (mkdtemp(pattern.data()) == nullptr)
        throw std::runtime_error("cannot make a folder for the private sound server");
    folder_ = pattern;
    microphone_ = folder_ / "microphone";
    address_ = "unix:" + (folder_ / "socket").string();

    server_ = std::make_unique<ChildProcess>(
        std::vector<std::string>{"pulseaudio", "--daemonize=no", "-n", "--exit-idle-time=-1", "--disallow-exit",
                                 "--use-pid-file=no", "--disable-shm=yes", "--log-target=stderr", "-L",
                                 "module-native-protocol-unix auth-anonymous=1 socket=" + (folder_ / "socket").string(),
                                 "-L", "module-null-sink sink_name=file_loop_speakers"},
        std::map<std::string, std::string>{{"XDG_RUNTIME_DIR", folder_.string()},
                                           {"HOME", folder_.string()},
                                           {"DBUS_SESSION_BUS_ADDRESS", "disabled:"}});
    if (!waitUntil([this] { return pactl({"info"}).has_value(); }))
        throw std::runtime_error("the private PulseAudio server did not start");
    if (!pactl({"load-module", "module-pipe-source", "source_name=file_loop_microphone",
                "file=" + microphone_.string(), "format=s16le", "rate=16000", "channels=1"})
        || !pactl({"set-default-source", "file_loop_microphone"}))
        throw std::runtime_error("the private PulseAudio server took no FIFO microphone");

    if (const char* previous = std::getenv("PULSE_SERVER"))
        previousAddress_ = previous;
    setenv("PULSE_SERVER", address_.c_str(), 1);
}

PrivateSoundServer::~PrivateSoundServer()
{
    if (previousAddress_)
        setenv("PULSE_SERVER", previousAddress_->c_str(), 1);
    else
        unsetenv("PULSE_SERVER");
    server_.reset();
    std::error_code ignored;
    std::filesystem::remove_all(folder_, ignored);
}

std::optional<std::string> PrivateSoundServer::pactl(const std::vector<std::string>& arguments) const
{
    std::vector<std::string> command{"pactl"};
    command.insert(command.end(), arguments.begin(), arguments.end());
    std::string output;
    if (runCommand(command, {{"PULSE_SERVER", address_}}, &output) != 0)
        return std::nullopt;
    return output;
}

} // namespace brindlemoor::testing
