#pragma once

#include "platform/cancellable.h"

#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <mutex>
#include <utility>
#include <vector>

namespace brindlemoor {

// A value that announces every assignment. A subscriber gets the current value at once, then
// the new value of every assignment (also when it equals the old one). Subscribers are told
// before the value is stored, so a subscriber reading the property sees the old value.
template <typename T>
class Published {
public:
    using Subscriber = std::function<void(const T&)>;

    explicit Published(T initial = T{}) : value_(std::move(initial)), subscribers_(std::make_shared<Subscribers>()) {}

    Published(const Published&) = delete;
    Published& operator=(const Published&) = delete;

    T get() const
    {
        std::lock_guard lock(valueMutex_);
        return value_;
    }

    void set(T value)
    {
        for (const auto& subscriber : subscribers_->snapshot())
            (*subscriber)(value);
        std::lock_guard lock(valueMutex_);
        value_ = std::move(value);
    }

    [[nodiscard]] Cancellable subscribe(Subscriber subscriber)
    {
        auto shared = std::make_shared<Subscriber>(std::move(subscriber));
        auto id = subscribers_->add(shared);
        (*shared)(get());
        std::weak_ptr<Subscribers> weak = subscribers_;
        return Cancellable([weak, id] {
            if (auto subscribers = weak.lock())
                subscribers->remove(id);
        });
    }

private:
    class Subscribers {
    public:
        std::uint64_t add(std::shared_ptr<Subscriber> subscriber)
        {
            std::lock_guard lock(mutex_);
            entries_.emplace(next_, std::move(subscriber));
            return next_++;
        }
        void remove(std::uint64_t id)
        {
            std::lock_guard lock(mutex_);
            entries_.erase(id);
        }
        std::vector<std::shared_ptr<Subscriber>> snapshot()
        {
            std::lock_guard lock(mutex_);
            std::vector<std::shared_ptr<Subscriber>> result;
            for (const auto& [id, subscriber] : entries_)
                result.push_back(subscriber);
            return result;
        }

    private:
        std::mutex mutex_;
        std::map<std::uint64_t, std::shared_ptr<Subscriber>> entries_;
        std::uint64_t next_ = 0;
    };

    mutable std::mutex valueMutex_;
    T value_;
    std::shared_ptr<Subscribers> subscribers_;
};

} // namespace brindlemoor
