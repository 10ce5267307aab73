#include "platform/notification_center.h"

#include <algorithm>

namespace brindlemoor {

NotificationCenter& NotificationCenter::defaultCenter()
{
    static NotificationCenter center;
    return center;
}

NotificationCenter::Token NotificationCenter::addObserver(std::string name, Observer observer)
{
    std::lock_guard lock(mutex_);
    auto entry = std::make_shared<Entry>();
    entry->token = nextToken_++;
    entry->name = std::move(name);
    entry->observer = std::move(observer);
    entries_.push_back(entry);
    return entry->token;
}

void NotificationCenter::removeObserver(Token token)
{
    std::shared_ptr<Entry> entry;
    {
        std::lock_guard lock(mutex_);
        auto it = std::find_if(entries_.begin(), entries_.end(), [&](const auto& e) { return e->token == token; });
        if (it == entries_.end())
            return;
        entry = *it;
        entries_.erase(it);
    }
    entry->removed = true;
}

Cancellable NotificationCenter::observe(std::string name, Observer observer)
{
    Token token = addObserver(std::move(name), std::move(observer));
    return Cancellable([this, token] { removeObserver(token); });
}

void NotificationCenter::post(const Notification& notification)
{
    std::vector<std::shared_ptr<Entry>> matching;
    {
        std::lock_guard lock(mutex_);
        for (const auto& entry : entries_) {
            if (entry->name == notification.name)
                matching.push_back(entry);
        }
    }
    // Observers run outside the centre's lock, so they may post, add or remove.
    for (const auto& entry : matching) {
        if (!entry->removed.load())
            entry->observer(notification);
    }
}

void NotificationCenter::post(std::string name, UserInfo userInfo)
{
    post(Notification{std::move(name), std::nullopt, std::move(userInfo)});
}

bool userInfoBool(const UserInfo& userInfo, const std::string& key)
{
    auto it = userInfo.find(key);
    if (it == userInfo.end())
        return false;
    const bool* value = std::get_if<bool>(&it->second);
    return value != nullptr && *value;
}

} // namespace brindlemoor
