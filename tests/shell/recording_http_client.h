#pragma once

#include "platform/http_client.h"

#include <mutex>
#include <vector>

namespace brindlemoor::testing {

// Records every request and answers it at once, on the caller's thread, with a set reply.
class RecordingHttpClient final : public HttpClient {
public:
    HttpResult reply = HttpResponse{200, ""};

    void send(HttpRequest request, Completion completion) override
    {
        {
            std::lock_guard lock(mutex_);
            requests_.push_back(request);
        }
        if (completion)
            completion(reply);
    }

    std::vector<HttpRequest> requests() const
    {
        std::lock_guard lock(mutex_);
        return requests_;
    }

private:
    mutable std::mutex mutex_;
    std::vector<HttpRequest> requests_;
};

} // namespace brindlemoor::testing
