#pragma once

#include "platform/platform_error.h"

#include <chrono>
#include <functional>
#include <string>
#include <utility>
#include <variant>
#include <vector>

namespace brindlemoor {

struct HttpRequest {
    std::string method = "GET";
    std::string url;
    std::vector<std::pair<std::string, std::string>> headers;
    std::string body;
    std::chrono::milliseconds timeout{30000};
};

struct HttpResponse {
    long status = 0;
    std::string body;
};

// A response of any status, or a transport failure (no connection, time-out, bad address).
using HttpResult = std::variant<HttpResponse, PlatformError>;

// Sends requests in the background. The completion runs once per request, on the client's own
// thread, never on the caller's.
class HttpClient {
public:
    using Completion = std::function<void(HttpResult)>;

    virtual ~HttpClient() = default;
    virtual void send(HttpRequest request, Completion completion) = 0;
};

} // namespace brindlemoor
