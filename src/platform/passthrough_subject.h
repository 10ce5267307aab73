#pragma once

#include "platform/cancellable.h"

#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <mutex>
#include <vector>

namespace brindlemoor {

// Sends each value to the subscribers present at that moment; keeps no value of its own.
template <typename T>
class PassthroughSubject {
public:
    using Subscriber = std::function<void(const T&)>;

    void send(const T& value)
    {
        std::vector<std::shared_ptr<Subscriber>> current;
        {
            std::lock_guard lock(state_->mutex);
            for (const auto& [id, subscriber] : state_->subscribers)
                current.push_back(subscriber);
        }
        for (const auto& subscriber : current)
            (*subscriber)(value);
    }

    [[nodiscard]] Cancellable subscribe(Subscriber subscriber)
    {
        std::lock_guard lock(state_->mutex);
        std::uint64_t id = state_->next++;
        state_->subscribers.emplace(id, std::make_shared<Subscriber>(std::move(subscriber)));
        std::weak_ptr<State> weak = state_;
        return Cancellable([weak, id] {
            if (auto state = weak.lock()) {
                std::lock_guard lock(state->mutex);
                state->subscribers.erase(id);
            }
        });
    }

private:
    struct State {
        std::mutex mutex;
        std::map<std::uint64_t, std::shared_ptr<Subscriber>> subscribers;
        std::uint64_t next = 0;
    };
    std::shared_ptr<State> state_ = std::make_shared<State>();
};

} // namespace brindlemoor
