#include "platform/linux/pulseaudio/pulse_audio_capture_devices.h"

#include "platform/bundle.h"

#include <pulse/pulseaudio.h>

#include <vector>

namespace brindlemoor {

struct PulseAudioCaptureDevices::Observers {
    struct Connection {
        DeviceHandler connected;
        DeviceHandler disconnected;
    };
    std::mutex mutex;
    std::uint64_t next = 0;
    std::map<std::uint64_t, Connection> connections;
    std::map<std::uint64_t, std::function<void()>> defaultChanges;
};

namespace {

struct SourceLookup {
    PulseAudioCaptureDevices* devices;
    std::function<void(const PulseSourceInfo&)> found;
};

void sourceLookedUp(pa_context*, const pa_source_info* info, int eol, void* userdata)
{
    auto* lookup = static_cast<SourceLookup*>(userdata);
    if (eol) {
        delete lookup;
        return;
    }
    if (info)
        lookup->found(PulseSourceInfo{info->index, info->name ? info->name : "",
                                      info->description ? info->description : "",
                                      info->monitor_of_sink != PA_INVALID_INDEX,
                                      AudioFormat{static_cast<double>(info->sample_spec.rate),
                                                  static_cast<std::uint32_t>(info->sample_spec.channels)}});
}

struct ServerLookup {
    std::function<void(std::optional<std::string>)> found;
};

void serverLookedUp(pa_context*, const pa_server_info* info, void* userdata)
{
    std::unique_ptr<ServerLookup> lookup(static_cast<ServerLookup*>(userdata));
    lookup->found(info && info->default_source_name ? std::optional<std::string>(info->default_source_name)
                                                    : std::nullopt);
}

} // namespace

PulseAudioCaptureDevices::PulseAudioCaptureDevices(MainQueue& mainQueue)
    : mainQueue_(mainQueue), observers_(std::make_shared<Observers>())
{
    connectIfNeeded();
}

PulseAudioCaptureDevices::~PulseAudioCaptureDevices()
{
    std::lock_guard lock(connectMutex_);
    connection_.reset();
}

bool PulseAudioCaptureDevices::connectIfNeeded()
{
    std::lock_guard guard(connectMutex_);
    if (connection_ && connection_->isAlive())
        return true;
    connection_.reset();
    PlatformError error;
    auto connection = PulseConnection::connect(std::string(kProductName) + " devices", error);
    if (!connection)
        return false;
    PulseConnection::Lock lock(*connection);
    sources_.clear();
    for (auto& source : connection->sources())
        sources_[source.index] = source;
    defaultSourceName_ = connection->defaultSourceName();
    std::vector<PulseSourceInfo> known;
    for (const auto& [index, source] : sources_)
        known.push_back(source);
    auto input = chooseDefaultInput(known, defaultSourceName_);
    defaultInputId_ = input ? std::optional(input->index) : std::nullopt;
    pa_context_set_subscribe_callback(
        connection->context(),
        [](pa_context* context, pa_subscription_event_type_t type, std::uint32_t index, void* userdata) {
            subscriptionEvent(context, static_cast<int>(type), index, userdata);
        },
        this);
    pa_operation* operation = pa_context_subscribe(
        connection->context(),
        static_cast<pa_subscription_mask_t>(PA_SUBSCRIPTION_MASK_SOURCE | PA_SUBSCRIPTION_MASK_SERVER), nullptr, nullptr);
    if (operation)
        pa_operation_unref(operation);
    connection_ = std::move(connection);
    return true;
}

bool PulseAudioCaptureDevices::hasDefaultInput()
{
    return defaultInputDeviceId().has_value();
}

std::optional<std::uint32_t> PulseAudioCaptureDevices::defaultInputDeviceId()
{
    if (!connectIfNeeded())
        return std::nullopt;
    std::lock_guard guard(connectMutex_);
    PulseConnection::Lock lock(*connection_);
    return defaultInputId_;
}

Cancellable PulseAudioCaptureDevices::observeConnections(DeviceHandler connected, DeviceHandler disconnected)
{
    std::lock_guard lock(observers_->mutex);
    auto id = observers_->next++;
    observers_->connections[id] = {std::move(connected), std::move(disconnected)};
    std::weak_ptr<Observers> weak = observers_;
    return Cancellable([weak, id] {
        if (auto observers = weak.lock()) {
            std::lock_guard lock(observers->mutex);
            observers->connections.erase(id);
        }
    });
}

Cancellable PulseAudioCaptureDevices::observeDefaultInputChanges(std::function<void()> changed)
{
    std::lock_guard lock(observers_->mutex);
    auto id = observers_->next++;
    observers_->defaultChanges[id] = std::move(changed);
    std::weak_ptr<Observers> weak = observers_;
    return Cancellable([weak, id] {
        if (auto observers = weak.lock()) {
            std::lock_guard lock(observers->mutex);
            observers->defaultChanges.erase(id);
        }
    });
}

void PulseAudioCaptureDevices::subscriptionEvent(pa_context* context, int type, std::uint32_t index, void* userdata)
{
    auto* devices = static_cast<PulseAudioCaptureDevices*>(userdata);
    const int facility = type & PA_SUBSCRIPTION_EVENT_FACILITY_MASK;
    const int kind = type & PA_SUBSCRIPTION_EVENT_TYPE_MASK;
    if (facility == PA_SUBSCRIPTION_EVENT_SOURCE && kind == PA_SUBSCRIPTION_EVENT_NEW) {
        auto* lookup = new SourceLookup{devices, [devices](const PulseSourceInfo& source) { devices->sourceAppeared(source); }};
        if (auto* operation = pa_context_get_source_info_by_index(context, index, sourceLookedUp, lookup))
            pa_operation_unref(operation);
        else
            delete lookup;
    } else if (facility == PA_SUBSCRIPTION_EVENT_SOURCE && kind == PA_SUBSCRIPTION_EVENT_REMOVE) {
        devices->sourceRemoved(index);
    } else if (facility == PA_SUBSCRIPTION_EVENT_SERVER) {
        auto* lookup = new ServerLookup{[devices](std::optional<std::string> name) {
            devices->defaultSourceName_ = std::move(name);
            devices->refreshDefaultInput();
        }};
        if (auto* operation = pa_context_get_server_info(context, serverLookedUp, lookup))
            pa_operation_unref(operation);
        else
            delete lookup;
    }
}

void PulseAudioCaptureDevices::sourceAppeared(const PulseSourceInfo& source)
{
    const bool isNew = !sources_.count(source.index);
    sources_[source.index] = source;
    if (isNew && !source.isMonitor)
        announce(source, true);
    refreshDefaultInput();
}

void PulseAudioCaptureDevices::sourceRemoved(std::uint32_t index)
{
    auto it = sources_.find(index);
    if (it == sources_.end())
        return;
    PulseSourceInfo source = it->second;
    sources_.erase(it);
    if (!source.isMonitor)
        announce(source, false);
    refreshDefaultInput();
}

// Tells every observer, on the main queue, that a source came or went.
void PulseAudioCaptureDevices::announce(const PulseSourceInfo& source, bool connected)
{
    std::weak_ptr<Observers> weak = observers_;
    mainQueue_.post([weak, connected, name = source.description.empty() ? source.name : source.description] {
        auto observers = weak.lock();
        if (!observers)
            return;
        std::vector<DeviceHandler> handlers;
        {
            std::lock_guard lock(observers->mutex);
            for (const auto& [id, connection] : observers->connections)
                handlers.push_back(connected ? connection.connected : connection.disconnected);
        }
        for (const auto& handler : handlers)
            handler(name);
    });
}

void PulseAudioCaptureDevices::refreshDefaultInput()
{
    std::vector<PulseSourceInfo> known;
    for (const auto& [index, source] : sources_)
        known.push_back(source);
    auto input = chooseDefaultInput(known, defaultSourceName_);
    std::optional<std::uint32_t> id = input ? std::optional(input->index) : std::nullopt;
    if (id == defaultInputId_)
        return;
    defaultInputId_ = id;
    postDefaultInputChange();
}

void PulseAudioCaptureDevices::postDefaultInputChange()
{
    std::weak_ptr<Observers> weak = observers_;
    mainQueue_.post([weak] {
        auto observers = weak.lock();
        if (!observers)
            return;
        std::vector<std::function<void()>> handlers;
        {
            std::lock_guard lock(observers->mutex);
            for (const auto& [id, handler] : observers->defaultChanges)
                handlers.push_back(handler);
        }
        for (const auto& handler : handlers)
            handler();
    });
}

} // namespace brindlemoor
