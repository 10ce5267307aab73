#pragma once

#include "platform/audio_buffer.h"
#include "platform/platform_error.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

struct pa_threaded_mainloop;
struct pa_context;
struct pa_operation;

namespace brindlemoor {

// What the sound server tells about one source.
struct PulseSourceInfo {
    std::uint32_t index = 0;
    std::string name;
    std::string description;
    bool isMonitor = false;
    AudioFormat format;
};

// A connection to the sound server with its own event thread. Calls into libpulse are made with
// the lock held (`Lock`); the server's callbacks run on the event thread with the lock held.
class PulseConnection {
public:
    // nullptr (and the reason in `error`) when there is no server to talk to.
    static std::unique_ptr<PulseConnection> connect(const std::string& clientName, PlatformError& error);
    ~PulseConnection();

    PulseConnection(const PulseConnection&) = delete;
    PulseConnection& operator=(const PulseConnection&) = delete;

    class Lock {
    public:
        explicit Lock(PulseConnection& connection);
        ~Lock();
        Lock(const Lock&) = delete;
        Lock& operator=(const Lock&) = delete;

    private:
        pa_threaded_mainloop* mainloop_;
        bool locked_;
    };

    pa_threaded_mainloop* mainloop() const { return mainloop_; }
    pa_context* context() const { return context_; }
    bool isAlive() const;

    // These wait for the server's answer: call them with the lock held, off the event thread.
    std::vector<PulseSourceInfo> sources();
    std::optional<std::string> defaultSourceName();
    // The default source when it is a real input, else the first real input there is.
    std::optional<PulseSourceInfo> defaultInput();

    // Waits for an operation started with the lock held; the callback must call `signal`.
    void await(pa_operation* operation);
    void signal();

private:
    PulseConnection(pa_threaded_mainloop* mainloop, pa_context* context) : mainloop_(mainloop), context_(context) {}

    pa_threaded_mainloop* mainloop_;
    pa_context* context_;
};

// The default input among known sources, by the rule of `PulseConnection::defaultInput`.
std::optional<PulseSourceInfo> chooseDefaultInput(const std::vector<PulseSourceInfo>& sources,
                                                  const std::optional<std::string>& defaultSourceName);

PlatformError noServerError();
PlatformError noInputDeviceError();

} // namespace brindlemoor
