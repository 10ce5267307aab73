#pragma once

#include "platform/cancellable.h"
#include "platform/capture_devices.h"
#include "platform/notification_center.h"

#include <cstdint>
#include <mutex>
#include <optional>

namespace brindlemoor {

// Announces "DefaultAudioInputDeviceChangedNotification" whenever the default audio input
// becomes another device (the sound server's index identifies it). Stops watching when it goes.
class AudioDeviceMonitor {
public:
    explicit AudioDeviceMonitor(CaptureDevices& devices,
                                NotificationCenter& center = NotificationCenter::defaultCenter());

    void startMonitoring();

    // None until the first change is seen.
    std::optional<std::uint32_t> defaultInputDeviceID() const;

private:
    void defaultInputDeviceChanged();

    CaptureDevices& devices_;
    NotificationCenter& center_;
    mutable std::mutex mutex_;
    std::optional<std::uint32_t> defaultInputDeviceID_;
    Cancellable listener_;
};

} // namespace brindlemoor
