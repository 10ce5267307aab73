#pragma once

#include <optional>
#include <string>

namespace brindlemoor {

// The address of a crash-reporting project: scheme://publicKey@host[:port][/path]/projectId.
struct Dsn {
    std::string text;
    std::string scheme;
    std::string publicKey;
    std::string host;  // with its port, when one is given
    std::string pathPrefix;
    std::string projectId;

    // None for anything that is not such an address.
    static std::optional<Dsn> parse(const std::string& text);

    // Where envelopes are posted.
    std::string envelopeUrl() const;
    std::string authorizationHeader(const std::string& client) const;
};

} // namespace brindlemoor
