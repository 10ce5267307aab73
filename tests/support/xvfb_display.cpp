#include "support/xvfb_display.h"

#include <cstdlib>
#include <filesystem>
#include <unistd.h>

namespace brindlemoor::testing {

XvfbDisplay::XvfbDisplay()
{
    if (const char* display = std::getenv("DISPLAY")) {
        hadDisplay_ = true;
        previousDisplay_ = display;
    }
    // Tests run side by side, so each looks for a display number nobody holds; -nolisten tcp
    // keeps the server on its local socket.
    for (int number = 90 + static_cast<int>(getpid() % 400); number < 1000; ++number) {
        std::string lock = "/tmp/.X" + std::to_string(number) + "-lock";
        if (std::filesystem::exists(lock) || std::filesystem::exists("/tmp/.X11-unix/X" + std::to_string(number)))
            continue;
        name_ = ":" + std::to_string(number);
        server_ = std::make_unique<ChildProcess>(
            std::vector<std::string>{"Xvfb", name_, "-screen", "0", "1280x800x24", "-nolisten", "tcp", "-noreset"});
        ready_ = waitUntil([&] { return runCommand({"xdpyinfo", "-display", name_}) == 0 || !server_->running(); },
                           std::chrono::seconds(10)) &&
                 server_->running();
        if (ready_)
            break;
        server_.reset();
    }
    if (ready_)
        setenv("DISPLAY", name_.c_str(), 1);
}

XvfbDisplay::~XvfbDisplay()
{
    server_.reset();
    if (hadDisplay_)
        setenv("DISPLAY", previousDisplay_.c_str(), 1);
    else
        unsetenv("DISPLAY");
}

} // namespace brindlemoor::testing
