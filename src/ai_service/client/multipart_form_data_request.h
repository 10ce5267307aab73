#pragma once

#include "ai_service/client/url_request.h"
#include "ai_service/models/multipart_form_data_body_encodable.h"

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace brindlemoor {

// A fresh boundary for one multipart body: a random UUID in upper-case 8-4-4-4-12 form.
std::string makeMultipartBoundary();

// A request whose body is a query written as a multipart form; its reply is read as ResultType.
template <typename ResultType>
class MultipartFormDataRequest {
public:
    template <MultipartFormDataBodyEncodable Body>
    MultipartFormDataRequest(const Body& body, std::string url, std::string method)
        : body([body](const std::string& boundary) { return body.encode(boundary); }), url(std::move(url)),
          method(std::move(method))
    {
    }

    URLRequest build(const std::string& token, const std::optional<std::string>& organizationIdentifier,
                     double timeoutInterval) const
    {
        URLRequest request;
        request.url = url;
        request.cachePolicy = 0;
        const std::string boundary = makeMultipartBoundary();
        request.timeoutInterval = timeoutInterval;
        request.httpMethod = method;
        request.setValue("Bearer " + token, "Authorization");
        request.setValue("multipart/form-data; boundary=" + boundary, "Content-Type");
        if (organizationIdentifier)
            request.setValue(*organizationIdentifier, "OpenAI-Organization");
        const std::vector<std::uint8_t> bytes = body(boundary);
        request.httpBody = std::string(bytes.begin(), bytes.end());
        return request;
    }

    std::function<std::vector<std::uint8_t>(const std::string&)> body;
    std::string url;
    std::string method;
};

} // namespace brindlemoor
