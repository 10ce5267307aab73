#include "ai_service/client/url_request.h"

#include <algorithm>
#include <strings.h>

namespace brindlemoor {

namespace {

bool sameHeaderName(const std::string& a, const std::string& b)
{
    return strcasecmp(a.c_str(), b.c_str()) == 0;
}

} // namespace

void URLRequest::setValue(const std::string& value, const std::string& header)
{
    auto existing = std::find_if(headers.begin(), headers.end(),
                                 [&](const auto& entry) { return sameHeaderName(entry.first, header); });
    if (existing != headers.end())
        existing->second = value;
    else
        headers.emplace_back(header, value);
}

std::optional<std::string> URLRequest::value(const std::string& header) const
{
    for (const auto& [name, value] : headers) {
        if (sameHeaderName(name, header))
            return value;
    }
    return std::nullopt;
}

} // namespace brindlemoor
