#pragma once

#include "ai_service/client/http_url_response.h"
#include "ai_service/client/url_request.h"

#include <exception>
#include <functional>
#include <memory>
#include <optional>
#include <string>

namespace brindlemoor {

// The reply of one request: its body when one came, what is known of the response, and the
// transport's error (null when the request completed).
using DataTaskCompletion =
    std::function<void(std::optional<std::string> data, std::optional<HTTPURLResponse> response, std::exception_ptr error)>;

class URLSessionDataTaskProtocol {
public:
    virtual ~URLSessionDataTaskProtocol() = default;
    // Starts the request; the completion runs once, on the session's callback thread.
    virtual void resume() = 0;
};

// The transport seam of the client: makes a task for one request.
class URLSessionProtocol {
public:
    virtual ~URLSessionProtocol() = default;
    virtual std::shared_ptr<URLSessionDataTaskProtocol> dataTask(URLRequest request, DataTaskCompletion completion) = 0;
};

} // namespace brindlemoor
