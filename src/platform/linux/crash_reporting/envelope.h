#pragma once

#include "platform/clock.h"

#include <nlohmann/json.hpp>

#include <string>
#include <vector>

namespace brindlemoor {

// One upload to the crash-reporting service: a header line, then items, each a header line
// giving its type and length followed by its payload.
class Envelope {
public:
    explicit Envelope(nlohmann::json header) : header_(std::move(header)) {}

    void addItem(const std::string& type, const nlohmann::json& payload);
    std::string serialize() const;

    const nlohmann::json& header() const { return header_; }

private:
    struct Item {
        std::string type;
        std::string payload;
    };

    nlohmann::json header_;
    std::vector<Item> items_;
};

// RFC 3339 in UTC with milliseconds, as the service reads time stamps.
std::string isoTimestamp(Clock::WallTime time);

} // namespace brindlemoor
