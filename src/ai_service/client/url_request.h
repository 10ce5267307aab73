#pragma once

#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace brindlemoor {

// One HTTP request as the transport sends it. Header names are kept as set; setting a header
// again replaces its value, so each name occurs once.
struct URLRequest {
    std::string url;
    std::string httpMethod = "GET";
    std::vector<std::pair<std::string, std::string>> headers;
    std::optional<std::string> httpBody;
    double timeoutInterval = 60.0;
    // Defer to the protocol's own caching rules.
    int cachePolicy = 0;

    void setValue(const std::string& value, const std::string& header);
    std::optional<std::string> value(const std::string& header) const;
};

} // namespace brindlemoor
