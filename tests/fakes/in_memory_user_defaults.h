#pragma once

#include "platform/user_defaults.h"

#include <map>
#include <mutex>

namespace brindlemoor::fakes {

// A preferences store in memory; installs itself as the standard one while it lives.
class InMemoryUserDefaults final : public UserDefaults {
public:
    InMemoryUserDefaults() { UserDefaults::install(this); }
    ~InMemoryUserDefaults() override { UserDefaults::install(nullptr); }

    std::optional<std::string> string(const std::string& key) const override
    {
        std::lock_guard lock(mutex_);
        auto it = values_.find(key);
        return it == values_.end() ? std::nullopt : std::optional(it->second);
    }
    void setString(const std::string& key, const std::string& value) override
    {
        std::lock_guard lock(mutex_);
        values_[key] = value;
    }
    void remove(const std::string& key) override
    {
        std::lock_guard lock(mutex_);
        values_.erase(key);
    }

private:
    mutable std::mutex mutex_;
    std::map<std::string, std::string> values_;
};

} // namespace brindlemoor::fakes
