#include "platform/linux/crash_reporting/dsn.h"

#include <algorithm>
#include <cctype>

namespace brindlemoor {

std::optional<Dsn> Dsn::parse(const std::string& text)
{
    Dsn dsn;
    dsn.text = text;
    auto schemeEnd = text.find("://");
    if (schemeEnd == std::string::npos)
        return std::nullopt;
    dsn.scheme = text.substr(0, schemeEnd);
    if (dsn.scheme != "https" && dsn.scheme != "http")
        return std::nullopt;
    std::string rest = text.substr(schemeEnd + 3);
    auto at = rest.find('@');
    auto firstSlash = rest.find('/');
    if (at == std::string::npos || (firstSlash != std::string::npos && firstSlash < at))
        return std::nullopt;
    dsn.publicKey = rest.substr(0, at);
    if (auto colon = dsn.publicKey.find(':'); colon != std::string::npos)
        dsn.publicKey.resize(colon);  // an old-style secret key is not sent
    rest = rest.substr(at + 1);
    auto slash = rest.find('/');
    if (slash == std::string::npos)
        return std::nullopt;
    dsn.host = rest.substr(0, slash);
    std::string path = rest.substr(slash);
    while (path.size() > 1 && path.back() == '/')
        path.pop_back();
    auto lastSlash = path.rfind('/');
    dsn.pathPrefix = path.substr(0, lastSlash);
    dsn.projectId = path.substr(lastSlash + 1);
    auto isIdCharacter = [](unsigned char c) { return std::isalnum(c) || c == '-' || c == '_'; };
    if (dsn.publicKey.empty() || dsn.host.empty() || dsn.projectId.empty() ||
        !std::all_of(dsn.projectId.begin(), dsn.projectId.end(), isIdCharacter) ||
        !std::all_of(dsn.publicKey.begin(), dsn.publicKey.end(), isIdCharacter))
        return std::nullopt;
    return dsn;
}

std::string Dsn::envelopeUrl() const
{
    return scheme + "://" + host + pathPrefix + "/api/" + projectId + "/envelope/";
}

std::string Dsn::authorizationHeader(const std::string& client) const
{
    return "Sentry sentry_version=7, sentry_client=" + client + ", sentry_key=" + publicKey;
}

} // namespace brindlemoor
