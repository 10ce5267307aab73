#include "ai_service/client/reply_handler.h"

namespace brindlemoor {

void ReplyHandler::rawBytes(std::optional<std::string> data, const std::optional<HTTPURLResponse>&,
                            std::exception_ptr error, const std::function<void(Result<AudioSpeechResult>)>& completion)
{
    if (error)
        return completion(Result<AudioSpeechResult>::failure(error));
    if (!data)
        return completion(Result<AudioSpeechResult>::failure(std::make_exception_ptr(OpenAIError::emptyData())));
    std::optional<Json> json;
    try {
        json = parseJsonText(*data);
    } catch (...) {
    }
    if (auto envelope = errorEnvelope(json))
        return completion(Result<AudioSpeechResult>::failure(std::make_exception_ptr(std::move(*envelope))));
    completion(Result<AudioSpeechResult>::success(AudioSpeechResult{std::vector<std::uint8_t>(data->begin(), data->end())}));
}

std::optional<APIErrorResponse> ReplyHandler::errorEnvelope(const std::optional<Json>& json)
{
    if (!json)
        return std::nullopt;
    try {
        return decodeJson<APIErrorResponse>(*json);
    } catch (const DecodingError&) {
        return std::nullopt;
    }
}

} // namespace brindlemoor
