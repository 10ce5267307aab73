#include "platform/linux/crash_reporting/envelope.h"

#include <cstdio>
#include <ctime>

namespace brindlemoor {

void Envelope::addItem(const std::string& type, const nlohmann::json& payload)
{
    items_.push_back({type, payload.dump()});
}

std::string Envelope::serialize() const
{
    std::string text = header_.dump() + "\n";
    for (const Item& item : items_) {
        nlohmann::json itemHeader = {{"type", item.type}, {"length", item.payload.size()}};
        text += itemHeader.dump() + "\n" + item.payload + "\n";
    }
    return text;
}

std::string isoTimestamp(Clock::WallTime time)
{
    auto milliseconds = std::chrono::duration_cast<std::chrono::milliseconds>(time.time_since_epoch()).count();
    std::time_t seconds = static_cast<std::time_t>(milliseconds / 1000);
    std::tm utc{};
    gmtime_r(&seconds, &utc);
    char text[40];
    std::size_t length = std::strftime(text, sizeof text, "%Y-%m-%dT%H:%M:%S", &utc);
    std::snprintf(text + length, sizeof text - length, ".%03dZ", static_cast<int>(milliseconds % 1000));
    return text;
}

} // namespace brindlemoor
