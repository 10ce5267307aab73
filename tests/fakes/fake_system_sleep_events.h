#pragma once

#include "platform/system_sleep_events.h"

#include <map>
#include <memory>

namespace brindlemoor::fakes {

// Sleep and wake when the test says so.
class FakeSystemSleepEvents final : public SystemSleepEvents {
public:
    Cancellable observe(std::function<void()> willSleep, std::function<void()> didWake) override
    {
        auto id = next_++;
        observers_->emplace(id, std::make_pair(std::move(willSleep), std::move(didWake)));
        std::weak_ptr<Observers> weak = observers_;
        return Cancellable([weak, id] {
            if (auto observers = weak.lock())
                observers->erase(id);
        });
    }

    void sleep()
    {
        for (auto& [id, handlers] : *observers_)
            handlers.first();
    }
    void wake()
    {
        for (auto& [id, handlers] : *observers_)
            handlers.second();
    }

private:
    using Observers = std::map<std::uint64_t, std::pair<std::function<void()>, std::function<void()>>>;
    std::shared_ptr<Observers> observers_ = std::make_shared<Observers>();
    std::uint64_t next_ = 0;
};

} // namespace brindlemoor::fakes
