#pragma once

#include "platform/keyboard_events.h"

#include <functional>
#include <mutex>
#include <vector>

namespace brindlemoor::fakes {

// Remembers every posted key event. Installs itself while it lives.
class RecordingKeyboardEvents final : public KeyboardEvents {
public:
    RecordingKeyboardEvents() { KeyboardEvents::install(this); }
    ~RecordingKeyboardEvents() override { KeyboardEvents::install(nullptr); }

    // When set, events are made only for the keys it accepts.
    std::function<bool(std::uint16_t virtualKey, bool keyDown)> canCreate;
    // Called with each posted event, e.g. to act as the receiving application.
    std::function<void(const KeyboardEvent&)> onPost;

    std::vector<KeyboardEvent> posted() const
    {
        std::lock_guard lock(mutex_);
        return posted_;
    }

    std::optional<KeyboardEvent> createKeyboardEvent(std::uint16_t virtualKey, bool keyDown) override
    {
        if (canCreate && !canCreate(virtualKey, keyDown))
            return std::nullopt;
        return KeyboardEvent{virtualKey, keyDown, std::nullopt};
    }
    void post(const KeyboardEvent& event) override
    {
        {
            std::lock_guard lock(mutex_);
            posted_.push_back(event);
        }
        if (onPost)
            onPost(event);
    }

private:
    mutable std::mutex mutex_;
    std::vector<KeyboardEvent> posted_;
};

} // namespace brindlemoor::fakes
