#include "private_pulse_audio.h"

#include <cstdlib>
#include <stdexcept>

namespace brindlemoor::testing {

PrivatePulseAudio::PrivatePulseAudio()
{
    if (!haveProgram("pulseaudio") || !haveProgram("pactl"))
        throw std::runtime_error("pulseaudio and pactl (packages pulseaudio, pulseaudio-utils) are needed");
    server_ = "unix:" + (directory() / "native").string();
    daemon_ = std::make_unique<ChildProcess>(
        std::vector<std::string>{"pulseaudio", "-n", "--daemonize=no", "--exit-idle-time=-1", "--disallow-exit",
                                 "--use-pid-file=no", "--disable-shm=yes", "--log-target=stderr",
                                 "-L", "module-native-protocol-unix socket=" + (directory() / "native").string() +
                                           " auth-anonymous=1",
                                 "-L", "module-null-sink sink_name=speakers"},
        std::map<std::string, std::string>{{"XDG_RUNTIME_DIR", directory().string()}, {"HOME", directory().string()},
                                           {"DBUS_SESSION_BUS_ADDRESS", "disabled:"}});
    if (const char* previous = std::getenv("PULSE_SERVER"))
        previousServer_ = previous;
    setenv("PULSE_SERVER", server_.c_str(), 1);
    ready_ = waitUntil([this] { return pactl({"info"}).has_value(); }, std::chrono::seconds(10));
}

PrivatePulseAudio::~PrivatePulseAudio()
{
    daemon_.reset();
    if (previousServer_)
        setenv("PULSE_SERVER", previousServer_->c_str(), 1);
    else
        unsetenv("PULSE_SERVER");
}

std::optional<std::string> PrivatePulseAudio::pactl(const std::vector<std::string>& arguments)
{
    std::vector<std::string> argv{"pactl"};
    argv.insert(argv.end(), arguments.begin(), arguments.end());
    std::string output;
    if (runCommand(argv, {{"PULSE_SERVER", server_}}, &output) != 0)
        return std::nullopt;
    return output;
}

std::optional<std::string> PrivatePulseAudio::loadPipeSource(const std::string& name, const std::filesystem::path& fifo)
{
    auto index = pactl({"load-module", "module-pipe-source", "source_name=" + name, "file=" + fifo.string(),
                        "format=s16le", "rate=16000", "channels=1"});
    if (index && !index->empty() && index->back() == '\n')
        index->pop_back();
    return index;
}

bool PrivatePulseAudio::unloadModule(const std::string& index)
{
    return pactl({"unload-module", index}).has_value();
}

bool PrivatePulseAudio::setDefaultSource(const std::string& name)
{
    return pactl({"set-default-source", name}).has_value();
}

std::optional<std::filesystem::path> PrivatePulseAudio::addDefaultMicrophone()
{
    const auto fifo = directory() / "microphone";
    if (!ready_ || !loadPipeSource("microphone", fifo) || !setDefaultSource("microphone"))
        return std::nullopt;
    return fifo;
}

} // namespace brindlemoor::testing
