#pragma once

#include "platform/cancellable.h"

#include <cstdint>
#include <functional>
#include <optional>
#include <string>

namespace brindlemoor {

// The audio input devices of the machine, as far as dictation cares: whether there is a default
// input, which one it is, and when real inputs come and go (monitors of outputs never count).
// Every callback runs on the main queue.
class CaptureDevices {
public:
    // Called with the device's name as the user knows it.
    using DeviceHandler = std::function<void(const std::string& name)>;

    virtual ~CaptureDevices() = default;

    virtual bool hasDefaultInput() = 0;
    // The default input's identifier (the sound server's index of the device), when there is one.
    virtual std::optional<std::uint32_t> defaultInputDeviceId() = 0;

    [[nodiscard]] virtual Cancellable observeConnections(DeviceHandler connected, DeviceHandler disconnected) = 0;
    // Called whenever `defaultInputDeviceId` changes.
    [[nodiscard]] virtual Cancellable observeDefaultInputChanges(std::function<void()> changed) = 0;
};

} // namespace brindlemoor
