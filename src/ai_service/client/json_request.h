#pragma once

#include "ai_service/client/url_request.h"
#include "ai_service/models/json_coding.h"

#include <functional>
#include <optional>
#include <string>
#include <utility>

namespace brindlemoor {

// A request whose body, when it has one, is a query written as JSON; its reply is read as
// ResultType.
template <typename ResultType>
class JSONRequest {
public:
    JSONRequest(std::string url, std::string method) : url(std::move(url)), method(std::move(method)) {}

    template <typename Body>
    JSONRequest(const Body& body, std::string url, std::string method)
        : body([body] { return encodeJsonText(body); }), url(std::move(url)), method(std::move(method))
    {
    }

    // Throws the encoder's error (EncodingError) when the body cannot be written; nothing is
    // built then.
    URLRequest build(const std::string& token, const std::optional<std::string>& organizationIdentifier,
                     double timeoutInterval) const
    {
        URLRequest request;
        request.url = url;
        request.cachePolicy = 0;
        request.timeoutInterval = timeoutInterval;
        request.setValue("application/json", "Content-Type");
        request.setValue("Bearer " + token, "Authorization");
        if (organizationIdentifier)
            request.setValue(*organizationIdentifier, "OpenAI-Organization");
        request.httpMethod = method;
        if (body)
            request.httpBody = body();
        return request;
    }

    std::function<std::string()> body;
    std::string url;
    std::string method;
};

} // namespace brindlemoor
