#pragma once

#include "ai_service/client/result.h"
#include "platform/cancellable.h"

#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <mutex>
#include <optional>
#include <vector>

namespace brindlemoor {

// A publisher of one outcome. The producer runs once, when the publisher is made, whether or
// not anyone subscribes; every subscriber receives the same outcome, at once when it is
// already known, else on the thread that produces it.
template <typename T>
class FuturePublisher {
public:
    using Promise = std::function<void(Result<T>)>;
    using Receiver = std::function<void(const Result<T>&)>;

    template <typename Producer>
    explicit FuturePublisher(Producer&& producer) : state_(std::make_shared<State>())
    {
        producer(Promise([state = state_](Result<T> outcome) { state->fulfil(std::move(outcome)); }));
    }

    [[nodiscard]] Cancellable sink(Receiver receiver) const
    {
        std::unique_lock lock(state_->mutex);
        if (state_->outcome) {
            const Result<T> outcome = *state_->outcome;
            lock.unlock();
            receiver(outcome);
            return {};
        }
        const std::uint64_t id = state_->next++;
        state_->receivers.emplace(id, std::move(receiver));
        std::weak_ptr<State> weak = state_;
        return Cancellable([weak, id] {
            if (auto state = weak.lock()) {
                std::lock_guard lock(state->mutex);
                state->receivers.erase(id);
            }
        });
    }

private:
    struct State {
        void fulfil(Result<T> value)
        {
            std::map<std::uint64_t, Receiver> waiting;
            {
                std::lock_guard lock(mutex);
                if (outcome)
                    return;
                outcome.emplace(std::move(value));
                waiting.swap(receivers);
            }
            for (const auto& [id, receiver] : waiting)
                receiver(*outcome);
        }

        std::mutex mutex;
        std::optional<Result<T>> outcome;
        std::map<std::uint64_t, Receiver> receivers;
        std::uint64_t next = 0;
    };
    std::shared_ptr<State> state_;
};

} // namespace brindlemoor
