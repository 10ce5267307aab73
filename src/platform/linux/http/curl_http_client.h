#pragma once

#include "platform/http_client.h"

#include <condition_variable>
#include <deque>
#include <mutex>
#include <thread>

namespace brindlemoor {

// Sends requests one after another on a thread of its own. Going away, it still sends the
// requests already queued (each bounded by its time-out), so a last report is not lost at exit.
class CurlHttpClient final : public HttpClient {
public:
    CurlHttpClient();
    ~CurlHttpClient() override;

    CurlHttpClient(const CurlHttpClient&) = delete;
    CurlHttpClient& operator=(const CurlHttpClient&) = delete;

    void send(HttpRequest request, Completion completion) override;

private:
    struct Pending {
        HttpRequest request;
        Completion completion;
    };

    void work();
    static HttpResult perform(const HttpRequest& request);

    std::mutex mutex_;
    std::condition_variable wake_;
    std::deque<Pending> pending_;
    bool stopping_ = false;
    std::thread worker_;
};

} // namespace brindlemoor
