#pragma once

#include "ai_service/client/api_error_response.h"
#include "ai_service/client/http_url_response.h"
#include "ai_service/client/openai_error.h"
#include "ai_service/client/result.h"
#include "ai_service/models/audio_speech_result.h"
#include "ai_service/models/json_coding.h"

#include <exception>
#include <functional>
#include <optional>
#include <string>

namespace brindlemoor {

// Turns what the transport delivered into exactly one call of the caller's completion. The
// HTTP status is not consulted: the body decides, as the record or as the service's error
// envelope.
class ReplyHandler {
public:
    template <typename ResultType>
    static void decoding(std::optional<std::string> data, const std::optional<HTTPURLResponse>&,
                         std::exception_ptr error, const std::function<void(Result<ResultType>)>& completion)
    {
        if (error)
            return completion(Result<ResultType>::failure(error));
        if (!data)
            return completion(Result<ResultType>::failure(std::make_exception_ptr(OpenAIError::emptyData())));
        completion(decode<ResultType>(*data));
    }

    // The reply bytes as they came, unless they are the service's error envelope: an error
    // document is never handed on as audio.
    static void rawBytes(std::optional<std::string> data, const std::optional<HTTPURLResponse>&,
                         std::exception_ptr error, const std::function<void(Result<AudioSpeechResult>)>& completion);

    // The record, else the error envelope as the failure, else the record's decoding error.
    template <typename ResultType>
    static Result<ResultType> decode(std::string_view text)
    {
        std::optional<Json> json;
        try {
            json = parseJsonText(text);
            return Result<ResultType>::success(decodeJson<ResultType>(*json));
        } catch (...) {
            std::exception_ptr recordError = std::current_exception();
            if (auto envelope = errorEnvelope(json))
                return Result<ResultType>::failure(std::make_exception_ptr(std::move(*envelope)));
            return Result<ResultType>::failure(recordError);
        }
    }

    static std::optional<APIErrorResponse> errorEnvelope(const std::optional<Json>& json);
};

} // namespace brindlemoor
