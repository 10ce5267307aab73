#pragma once

#include "platform/capture_devices.h"

#include <map>
#include <memory>

namespace brindlemoor::fakes {

// Inputs the test plugs in and out; events are delivered at once, as on the main queue.
class FakeCaptureDevices final : public CaptureDevices {
public:
    bool hasDefaultInput() override
    {
        ++defaultInputQueries;
        return defaultInput.has_value();
    }
    std::optional<std::uint32_t> defaultInputDeviceId() override { return defaultInput; }

    Cancellable observeConnections(DeviceHandler connected, DeviceHandler disconnected) override
    {
        auto id = next_++;
        connections_->emplace(id, std::make_pair(std::move(connected), std::move(disconnected)));
        std::weak_ptr<Connections> weak = connections_;
        return Cancellable([weak, id] {
            if (auto connections = weak.lock())
                connections->erase(id);
        });
    }
    Cancellable observeDefaultInputChanges(std::function<void()> changed) override
    {
        auto id = next_++;
        defaultChanges_->emplace(id, std::move(changed));
        std::weak_ptr<DefaultChanges> weak = defaultChanges_;
        return Cancellable([weak, id] {
            if (auto changes = weak.lock())
                changes->erase(id);
        });
    }

    void connect(const std::string& name)
    {
        for (auto& [id, handlers] : *connections_)
            handlers.first(name);
    }
    void disconnect(const std::string& name)
    {
        for (auto& [id, handlers] : *connections_)
            handlers.second(name);
    }
    void setDefaultInput(std::optional<std::uint32_t> id)
    {
        defaultInput = id;
        for (auto& [key, handler] : *defaultChanges_)
            handler();
    }

    std::optional<std::uint32_t> defaultInput = 1;
    int defaultInputQueries = 0;

private:
    using Connections = std::map<std::uint64_t, std::pair<DeviceHandler, DeviceHandler>>;
    using DefaultChanges = std::map<std::uint64_t, std::function<void()>>;
    std::shared_ptr<Connections> connections_ = std::make_shared<Connections>();
    std::shared_ptr<DefaultChanges> defaultChanges_ = std::make_shared<DefaultChanges>();
    std::uint64_t next_ = 0;
};

} // namespace brindlemoor::fakes
