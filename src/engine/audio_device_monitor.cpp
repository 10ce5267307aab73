#include "engine/audio_device_monitor.h"

#include "engine/notification_names.h"
#include "platform/standard_output.h"

namespace brindlemoor {

AudioDeviceMonitor::AudioDeviceMonitor(CaptureDevices& devices, NotificationCenter& center)
    : devices_(devices), center_(center)
{
}

void AudioDeviceMonitor::startMonitoring()
{
    listener_ = devices_.observeDefaultInputChanges([this] { defaultInputDeviceChanged(); });
}

std::optional<std::uint32_t> AudioDeviceMonitor::defaultInputDeviceID() const
{
    std::lock_guard lock(mutex_);
    return defaultInputDeviceID_;
}

void AudioDeviceMonitor::defaultInputDeviceChanged()
{
    const auto device = devices_.defaultInputDeviceId();
    if (!device)
        return;
    {
        std::lock_guard lock(mutex_);
        if (defaultInputDeviceID_ == device)
            return;
        defaultInputDeviceID_ = device;
    }
    StandardOutput::printLine("Default input device changed. deviceInputDeviceID = " + std::to_string(*device));
    center_.post(std::string(notification_names::defaultAudioInputDeviceChanged));
}

} // namespace brindlemoor
