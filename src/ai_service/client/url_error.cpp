#include "ai_service/client/url_error.h"

namespace brindlemoor {

namespace {

const char* summary(URLError::Code code)
{
    switch (code) {
    case URLError::Code::timedOut:
        return "The request timed out.";
    case URLError::Code::cannotFindHost:
        return "A server with the specified host name could not be found.";
    case URLError::Code::cannotConnectToHost:
        return "Could not connect to the server.";
    case URLError::Code::secureConnectionFailed:
        return "A secure connection to the server could not be made.";
    case URLError::Code::networkConnectionLost:
        return "The network connection was lost.";
    case URLError::Code::badURL:
        return "The address of the request is not valid.";
    case URLError::Code::cancelled:
        return "The request was cancelled.";
    case URLError::Code::unknown:
        break;
    }
    return "The request failed.";
}

} // namespace

URLError::URLError(Code code, std::string detail)
    : code_(code), detail_(std::move(detail)),
      description_(detail_.empty() ? summary(code) : std::string(summary(code)) + " (" + detail_ + ")")
{
}

} // namespace brindlemoor
