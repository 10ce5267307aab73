#pragma once

#include "platform/cancellable.h"

#include <atomic>
#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <variant>
#include <vector>

namespace brindlemoor {

using UserInfoValue = std::variant<bool, std::int64_t, double, std::string>;
using UserInfo = std::map<std::string, UserInfoValue>;

struct Notification {
    std::string name;
    // The debug text of the posting object, when the poster names one.
    std::optional<std::string> object;
    UserInfo userInfo;
};

// Named notifications between components. Observers run synchronously on the posting
// thread, in the order they were added. Posting, adding and removing are safe from any
// thread and from inside an observer; once removal returns, the observer is not called again
// by a post that has not yet reached it.
class NotificationCenter {
public:
    using Observer = std::function<void(const Notification&)>;
    using Token = std::uint64_t;

    NotificationCenter() = default;
    NotificationCenter(const NotificationCenter&) = delete;
    NotificationCenter& operator=(const NotificationCenter&) = delete;

    // The process's default centre.
    static NotificationCenter& defaultCenter();

    Token addObserver(std::string name, Observer observer);
    void removeObserver(Token token);

    // An observation that is removed when the returned handle goes.
    [[nodiscard]] Cancellable observe(std::string name, Observer observer);

    void post(const Notification& notification);
    void post(std::string name, UserInfo userInfo = {});

private:
    struct Entry {
        Token token;
        std::string name;
        Observer observer;
        std::atomic<bool> removed{false};
    };

    std::mutex mutex_;
    std::vector<std::shared_ptr<Entry>> entries_;
    Token nextToken_ = 1;
};

// Reads a Boolean from user info; false when missing or of another type.
bool userInfoBool(const UserInfo& userInfo, const std::string& key);

} // namespace brindlemoor
