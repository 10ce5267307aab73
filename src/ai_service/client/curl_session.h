#pragma once

#include "ai_service/client/url_session_data_delegate.h"
#include "ai_service/client/url_session_protocol.h"

#include <memory>

namespace brindlemoor {

// The transport: sends requests with libcurl, all of a session's requests side by side on one
// thread of the session's own, which also runs every completion and delegate call (so they
// come one at a time and must not wait for another request of the same session).
//
// Time-out: a request fails with URLError::Code::timedOut when connecting, or any stretch
// without a byte arriving, lasts longer than its timeoutInterval; a long stream that keeps
// sending never times out.
//
// Going away, a session ends the requests still running, each with URLError::Code::cancelled,
// so every completion still runs exactly once. It may go away on its own thread (from inside
// a completion); the thread then finishes by itself.
class CurlSession final : public URLSessionProtocol {
public:
    CurlSession();
    ~CurlSession() override;

    CurlSession(const CurlSession&) = delete;
    CurlSession& operator=(const CurlSession&) = delete;

    // The process-wide session the client uses unless it is given another.
    static std::shared_ptr<CurlSession> shared();

    std::shared_ptr<URLSessionDataTaskProtocol> dataTask(URLRequest request, DataTaskCompletion completion) override;

    // A task whose body goes to `delegate` as it arrives. The session keeps the delegate until
    // the task has completed.
    std::shared_ptr<URLSessionDataTaskProtocol> dataTask(URLRequest request,
                                                          std::shared_ptr<URLSessionDataDelegate> delegate);

    class Engine;

private:
    std::shared_ptr<Engine> engine_;
};

} // namespace brindlemoor
