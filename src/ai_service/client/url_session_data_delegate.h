#pragma once

#include <exception>
#include <string>

namespace brindlemoor {

// Receives a request's body piece by piece as it arrives, then its end once. Both calls come
// one at a time on the session's own thread.
class URLSessionDataDelegate {
public:
    virtual ~URLSessionDataDelegate() = default;
    virtual void didReceiveData(const std::string& data) = 0;
    // `error` is null when the request completed.
    virtual void didCompleteWithError(std::exception_ptr error) = 0;
};

} // namespace brindlemoor
