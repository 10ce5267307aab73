#pragma once

#include "ai_service/client/result.h"
#include "platform/cancellable.h"

#include <cstdint>
#include <exception>
#include <functional>
#include <map>
#include <memory>
#include <mutex>
#include <vector>

namespace brindlemoor {

// A publisher of the pieces of a stream: each piece (a record or the failure of one piece) is
// an element, then one end (null error: normal). Elements go to the subscribers present when
// they are sent; nothing is kept for later subscribers except the end.
template <typename T>
class StreamSubject {
public:
    using ReceiveValue = std::function<void(const Result<T>&)>;
    using ReceiveCompletion = std::function<void(std::exception_ptr)>;

    void send(const Result<T>& value) const
    {
        for (const auto& subscriber : state_->snapshot())
            subscriber->receiveValue(value);
    }

    void sendCompletion(std::exception_ptr error) const
    {
        std::map<std::uint64_t, std::shared_ptr<Subscriber>> subscribers;
        {
            std::lock_guard lock(state_->mutex);
            if (state_->finished)
                return;
            state_->finished = true;
            state_->error = error;
            subscribers.swap(state_->subscribers);
        }
        for (const auto& [id, subscriber] : subscribers)
            subscriber->receiveCompletion(error);
    }

    [[nodiscard]] Cancellable sink(ReceiveValue receiveValue, ReceiveCompletion receiveCompletion) const
    {
        auto subscriber = std::make_shared<Subscriber>(Subscriber{std::move(receiveValue), std::move(receiveCompletion)});
        std::unique_lock lock(state_->mutex);
        if (state_->finished) {
            const std::exception_ptr error = state_->error;
            lock.unlock();
            subscriber->receiveCompletion(error);
            return {};
        }
        const std::uint64_t id = state_->next++;
        state_->subscribers.emplace(id, std::move(subscriber));
        std::weak_ptr<State> weak = state_;
        return Cancellable([weak, id] {
            if (auto state = weak.lock()) {
                std::lock_guard lock(state->mutex);
                state->subscribers.erase(id);
            }
        });
    }

private:
    struct Subscriber {
        ReceiveValue receiveValue;
        ReceiveCompletion receiveCompletion;
    };
    struct State {
        std::vector<std::shared_ptr<Subscriber>> snapshot()
        {
            std::lock_guard lock(mutex);
            std::vector<std::shared_ptr<Subscriber>> current;
            for (const auto& [id, subscriber] : subscribers)
                current.push_back(subscriber);
            return current;
        }

        std::mutex mutex;
        std::map<std::uint64_t, std::shared_ptr<Subscriber>> subscribers;
        std::uint64_t next = 0;
        bool finished = false;
        std::exception_ptr error;
    };
    std::shared_ptr<State> state_ = std::make_shared<State>();
};

} // namespace brindlemoor
