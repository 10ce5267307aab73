#pragma once

#include <exception>
#include <string>

namespace brindlemoor {

// A request that got no complete reply: the network, the name service, TLS or the time-out
// stopped it. The description says which, in words a user can act on.
class URLError : public std::exception {
public:
    enum class Code {
        timedOut,
        cannotFindHost,
        cannotConnectToHost,
        secureConnectionFailed,
        networkConnectionLost,
        badURL,
        cancelled,
        unknown,
    };

    URLError(Code code, std::string detail);

    Code code() const { return code_; }
    const std::string& detail() const { return detail_; }
    const char* what() const noexcept override { return description_.c_str(); }

private:
    Code code_;
    std::string detail_;
    std::string description_;
};

} // namespace brindlemoor
