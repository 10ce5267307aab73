#include "ai_service/client/api_error.h"

namespace brindlemoor {

namespace {

std::string decodeMessage(const KeyedDecoder& decoder)
{
    try {
        return decoder.decode<std::string>("message");
    } catch (const DecodingError&) {
    }
    try {
        const auto lines = decoder.decode<std::vector<std::string>>("message");
        std::string joined;
        for (std::size_t index = 0; index < lines.size(); ++index)
            joined += (index == 0 ? "" : "\n") + lines[index];
        return joined;
    } catch (const DecodingError&) {
    }
    throw DecodingError(DecodingError::Kind::typeMismatch, appendingToCodingPath(decoder.codingPath(), "message"),
                        "message: expected String or [String]");
}

} // namespace

APIError::APIError(std::string message, std::string type, std::optional<std::string> param,
                   std::optional<std::string> code)
    : message(std::move(message)), type(std::move(type)), param(std::move(param)), code(std::move(code))
{
}

APIError APIError::decode(const KeyedDecoder& decoder)
{
    std::string message = decodeMessage(decoder);
    auto type = decoder.decode<std::string>("type");
    auto param = decoder.decodeIfPresent<std::string>("param");
    auto code = decoder.decodeIfPresent<std::string>("code");
    return APIError(std::move(message), std::move(type), std::move(param), std::move(code));
}

} // namespace brindlemoor
