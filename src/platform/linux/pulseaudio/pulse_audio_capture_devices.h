#pragma once

#include "platform/capture_devices.h"
#include "platform/linux/pulseaudio/pulse_connection.h"
#include "platform/main_queue.h"

#include <map>
#include <memory>
#include <mutex>

namespace brindlemoor {

// Audio inputs as the sound server reports them: its default source, and new and removed
// sources from its event subscription. Monitors of outputs never count as inputs. When the
// server is not there, the next question reconnects.
class PulseAudioCaptureDevices final : public CaptureDevices {
public:
    explicit PulseAudioCaptureDevices(MainQueue& mainQueue = MainQueue::main());
    ~PulseAudioCaptureDevices() override;

    bool hasDefaultInput() override;
    std::optional<std::uint32_t> defaultInputDeviceId() override;
    Cancellable observeConnections(DeviceHandler connected, DeviceHandler disconnected) override;
    Cancellable observeDefaultInputChanges(std::function<void()> changed) override;

private:
    struct Observers;

    bool connectIfNeeded();
    void refreshDefaultInput();  // event thread or with the lock
    void sourceAppeared(const PulseSourceInfo& source);
    void sourceRemoved(std::uint32_t index);
    void announce(const PulseSourceInfo& source, bool connected);
    void postDefaultInputChange();

    static void subscriptionEvent(pa_context* context, int type, std::uint32_t index, void* userdata);

    MainQueue& mainQueue_;
    std::shared_ptr<Observers> observers_;
    std::mutex connectMutex_;
    std::unique_ptr<PulseConnection> connection_;
    // Event thread, or with the connection's lock held.
    std::map<std::uint32_t, PulseSourceInfo> sources_;
    std::optional<std::string> defaultSourceName_;
    std::optional<std::uint32_t> defaultInputId_;
};

} // namespace brindlemoor
