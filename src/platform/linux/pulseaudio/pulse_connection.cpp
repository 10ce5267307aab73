#include "platform/linux/pulseaudio/pulse_connection.h"

#include "platform/audio_engine.h"

#include <pulse/pulseaudio.h>

namespace brindlemoor {

namespace {

void contextStateChanged(pa_context*, void* userdata)
{
    pa_threaded_mainloop_signal(static_cast<pa_threaded_mainloop*>(userdata), 0);
}

AudioFormat formatOf(const pa_sample_spec& spec)
{
    return AudioFormat{static_cast<double>(spec.rate), static_cast<std::uint32_t>(spec.channels)};
}

struct SourceQuery {
    PulseConnection* connection;
    std::vector<PulseSourceInfo>* sources;
};

void sourceListed(pa_context*, const pa_source_info* info, int eol, void* userdata)
{
    auto* query = static_cast<SourceQuery*>(userdata);
    if (eol) {
        query->connection->signal();
        return;
    }
    if (info)
        query->sources->push_back(PulseSourceInfo{info->index, info->name ? info->name : "",
                                                  info->description ? info->description : "",
                                                  info->monitor_of_sink != PA_INVALID_INDEX, formatOf(info->sample_spec)});
}

struct ServerQuery {
    PulseConnection* connection;
    std::optional<std::string>* defaultSource;
};

void serverInfoReceived(pa_context*, const pa_server_info* info, void* userdata)
{
    auto* query = static_cast<ServerQuery*>(userdata);
    if (info && info->default_source_name)
        *query->defaultSource = info->default_source_name;
    query->connection->signal();
}

} // namespace

PlatformError noServerError()
{
    return PlatformError{kAudioEngineErrorDomain, static_cast<int>(AudioEngineErrorCode::noServer),
                         "No sound server is running, so the microphone cannot be used."};
}

PlatformError noInputDeviceError()
{
    return PlatformError{kAudioEngineErrorDomain, static_cast<int>(AudioEngineErrorCode::noInputDevice),
                         "No microphone or other audio input is available."};
}

std::unique_ptr<PulseConnection> PulseConnection::connect(const std::string& clientName, PlatformError& error)
{
    pa_threaded_mainloop* mainloop = pa_threaded_mainloop_new();
    if (!mainloop) {
        error = noServerError();
        return nullptr;
    }
    pa_context* context = pa_context_new(pa_threaded_mainloop_get_api(mainloop), clientName.c_str());
    if (!context) {
        pa_threaded_mainloop_free(mainloop);
        error = noServerError();
        return nullptr;
    }
    // From here the destructor releases both.
    std::unique_ptr<PulseConnection> connection(new PulseConnection(mainloop, context));
    pa_context_set_state_callback(context, contextStateChanged, mainloop);
    if (pa_context_connect(context, nullptr, PA_CONTEXT_NOAUTOSPAWN, nullptr) < 0 ||
        pa_threaded_mainloop_start(mainloop) < 0) {
        error = noServerError();
        return nullptr;
    }
    Lock lock(*connection);
    for (;;) {
        pa_context_state_t state = pa_context_get_state(context);
        if (state == PA_CONTEXT_READY)
            return connection;
        if (!PA_CONTEXT_IS_GOOD(state)) {
            error = noServerError();
            return nullptr;
        }
        pa_threaded_mainloop_wait(mainloop);
    }
}

PulseConnection::~PulseConnection()
{
    {
        Lock lock(*this);
        pa_context_set_state_callback(context_, nullptr, nullptr);
        pa_context_set_subscribe_callback(context_, nullptr, nullptr);
        pa_context_disconnect(context_);
    }
    pa_threaded_mainloop_stop(mainloop_);
    pa_context_unref(context_);
    pa_threaded_mainloop_free(mainloop_);
}

PulseConnection::Lock::Lock(PulseConnection& connection)
    : mainloop_(connection.mainloop_), locked_(!pa_threaded_mainloop_in_thread(mainloop_))
{
    if (locked_)
        pa_threaded_mainloop_lock(mainloop_);
}

PulseConnection::Lock::~Lock()
{
    if (locked_)
        pa_threaded_mainloop_unlock(mainloop_);
}

bool PulseConnection::isAlive() const
{
    return pa_context_get_state(context_) == PA_CONTEXT_READY;
}

void PulseConnection::await(pa_operation* operation)
{
    if (!operation)
        return;
    while (pa_operation_get_state(operation) == PA_OPERATION_RUNNING && isAlive())
        pa_threaded_mainloop_wait(mainloop_);
    pa_operation_unref(operation);
}

void PulseConnection::signal()
{
    pa_threaded_mainloop_signal(mainloop_, 0);
}

std::vector<PulseSourceInfo> PulseConnection::sources()
{
    std::vector<PulseSourceInfo> sources;
    SourceQuery query{this, &sources};
    await(pa_context_get_source_info_list(context_, sourceListed, &query));
    return sources;
}

std::optional<std::string> PulseConnection::defaultSourceName()
{
    std::optional<std::string> name;
    ServerQuery query{this, &name};
    await(pa_context_get_server_info(context_, serverInfoReceived, &query));
    return name;
}

std::optional<PulseSourceInfo> PulseConnection::defaultInput()
{
    auto name = defaultSourceName();
    return chooseDefaultInput(sources(), name);
}

std::optional<PulseSourceInfo> chooseDefaultInput(const std::vector<PulseSourceInfo>& sources,
                                                  const std::optional<std::string>& defaultSourceName)
{
    if (defaultSourceName)
        for (const auto& source : sources)
            if (source.name == *defaultSourceName && !source.isMonitor)
                return source;
    for (const auto& source : sources)
        if (!source.isMonitor)
            return source;
    return std::nullopt;
}

} // namespace brindlemoor
