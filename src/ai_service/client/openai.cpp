#include "ai_service/client/openai.h"

#include "ai_service/client/curl_session.h"
#include "ai_service/client/json_request.h"
#include "ai_service/client/multipart_form_data_request.h"
#include "ai_service/client/reply_handler.h"
#include "ai_service/client/streaming_session.h"

#include <cstdio>

namespace brindlemoor {

namespace {

// Letters, digits, "-._~", the sub-delimiters, ":", "@" and "/" stay; every other byte is
// written as %XX.
std::string percentEncodedPath(const std::string& path)
{
    static constexpr std::string_view kAllowed = "-._~!$&'()*+,;=:@/";
    std::string encoded;
    for (const char character : path) {
        const auto byte = static_cast<unsigned char>(character);
        if ((byte < 0x80 && std::isalnum(byte)) || kAllowed.find(character) != std::string_view::npos) {
            encoded += character;
        } else {
            char escape[4];
            std::snprintf(escape, sizeof escape, "%%%02X", byte);
            encoded += escape;
        }
    }
    return encoded;
}

} // namespace

namespace {

OpenAI::Configuration tokenOnly(std::string token)
{
    OpenAI::Configuration configuration;
    configuration.token = std::move(token);
    return configuration;
}

} // namespace

OpenAI::OpenAI(std::string apiToken) : OpenAI(tokenOnly(std::move(apiToken))) {}

OpenAI::OpenAI(Configuration configuration) : OpenAI(std::move(configuration), CurlSession::shared()) {}

OpenAI::OpenAI(Configuration configuration, std::shared_ptr<URLSessionProtocol> session)
    : session_(std::move(session)), streamingSessions_(std::make_shared<Sessions>()),
      configuration_(std::move(configuration))
{
}

std::string OpenAI::buildURL(const std::string& path) const
{
    std::string url = configuration_.scheme + "://" + configuration_.host;
    if (configuration_.port)
        url += ":" + std::to_string(*configuration_.port);
    return url + percentEncodedPath(path);
}

template <typename ResultType, typename Request>
void OpenAI::performRequest(const Request& request, Completion<ResultType> completion)
{
    send(request, std::move(completion), &ReplyHandler::decoding<ResultType>);
}

template <typename ResultType, typename Request>
void OpenAI::performSpeechRequest(const Request& request, Completion<ResultType> completion)
{
    send(request, std::move(completion), &ReplyHandler::rawBytes);
}

template <typename ResultType, typename Request, typename Handler>
void OpenAI::send(const Request& request, Completion<ResultType> completion, Handler handleReply)
{
    URLRequest urlRequest;
    try {
        urlRequest = request.build(configuration_.token, configuration_.organizationIdentifier,
                                   configuration_.timeoutInterval);
    } catch (...) {
        completion(Result<ResultType>::failure(std::current_exception()));
        return;
    }
    session_
        ->dataTask(std::move(urlRequest),
                   [completion = std::move(completion), handleReply](std::optional<std::string> data,
                                                                     std::optional<HTTPURLResponse> response,
                                                                     std::exception_ptr error) {
                       handleReply(std::move(data), response, error, completion);
                   })
        ->resume();
}

template <typename ResultType, typename Request>
void OpenAI::performStreamingRequest(const Request& request, Completion<ResultType> onResult,
                                     StreamCompletion completion)
{
    URLRequest urlRequest;
    try {
        urlRequest = request.build(configuration_.token, configuration_.organizationIdentifier,
                                   configuration_.timeoutInterval);
    } catch (...) {
        if (completion)
            completion(std::current_exception());
        return;
    }
    auto session = std::make_shared<StreamingSession<ResultType>>(std::move(urlRequest));
    session->onReceiveContent = [onResult](StreamingSession<ResultType>&, const ResultType& record) {
        onResult(Result<ResultType>::success(record));
    };
    session->onProcessingError = [onResult](StreamingSession<ResultType>&, std::exception_ptr error) {
        onResult(Result<ResultType>::failure(std::move(error)));
    };
    std::weak_ptr<Sessions> sessions = streamingSessions_;
    session->onComplete = [sessions, completion](StreamingSession<ResultType>& finished, std::exception_ptr error) {
        if (auto running = sessions.lock()) {
            const URLSessionDataDelegate* identity = &finished;
            running->removeAll([identity](const auto& element) { return element.get() == identity; });
        }
        if (completion)
            completion(error);
    };
    streamingSessions_->append(session);
    session->perform();
}

void OpenAI::completions(const CompletionsQuery& query, Completion<CompletionsResult> completion)
{
    performRequest(JSONRequest<CompletionsResult>(query, buildURL("/v1/completions"), "POST"), std::move(completion));
}

void OpenAI::streamCompletions(const CompletionsQuery& query, Completion<CompletionsResult> onResult,
                               StreamCompletion completion)
{
    CompletionsQuery streamed = query;
    streamed.stream = true;
    performStreamingRequest(JSONRequest<CompletionsResult>(streamed, buildURL("/v1/completions"), "POST"),
                            std::move(onResult), std::move(completion));
}

void OpenAI::images(const ImagesQuery& query, Completion<ImagesResult> completion)
{
    performRequest(JSONRequest<ImagesResult>(query, buildURL("/v1/images/generations"), "POST"), std::move(completion));
}

void OpenAI::imageEdits(const ImageEditsQuery& query, Completion<ImagesResult> completion)
{
    performRequest(MultipartFormDataRequest<ImagesResult>(query, buildURL("/v1/images/edits"), "POST"),
                   std::move(completion));
}

void OpenAI::imageVariations(const ImageVariationsQuery& query, Completion<ImagesResult> completion)
{
    performRequest(MultipartFormDataRequest<ImagesResult>(query, buildURL("/v1/images/variations"), "POST"),
                   std::move(completion));
}

void OpenAI::embeddings(const EmbeddingsQuery& query, Completion<EmbeddingsResult> completion)
{
    performRequest(JSONRequest<EmbeddingsResult>(query, buildURL("/v1/embeddings"), "POST"), std::move(completion));
}

void OpenAI::chats(const ChatQuery& query, Completion<ChatResult> completion)
{
    performRequest(JSONRequest<ChatResult>(query, buildURL("/v1/chat/completions"), "POST"), std::move(completion));
}

void OpenAI::streamChats(const ChatQuery& query, Completion<ChatStreamResult> onResult, StreamCompletion completion)
{
    ChatQuery streamed = query;
    streamed.stream = true;
    performStreamingRequest(JSONRequest<ChatStreamResult>(streamed, buildURL("/v1/chat/completions"), "POST"),
                            std::move(onResult), std::move(completion));
}

void OpenAI::edits(const EditsQuery& query, Completion<EditsResult> completion)
{
    performRequest(JSONRequest<EditsResult>(query, buildURL("/v1/edits"), "POST"), std::move(completion));
}

void OpenAI::model(const ModelQuery& query, Completion<ModelResult> completion)
{
    performRequest(JSONRequest<ModelResult>(buildURL("/v1/models/" + query.model), "GET"), std::move(completion));
}

void OpenAI::models(Completion<ModelsResult> completion)
{
    performRequest(JSONRequest<ModelsResult>(buildURL("/v1/models"), "GET"), std::move(completion));
}

void OpenAI::moderations(const ModerationsQuery& query, Completion<ModerationsResult> completion)
{
    performRequest(JSONRequest<ModerationsResult>(query, buildURL("/v1/moderations"), "POST"), std::move(completion));
}

void OpenAI::audioCreateSpeech(const AudioSpeechQuery& query, Completion<AudioSpeechResult> completion)
{
    performSpeechRequest(JSONRequest<AudioSpeechResult>(query, buildURL("/v1/audio/speech"), "POST"),
                         std::move(completion));
}

void OpenAI::audioTranscriptions(const AudioTranscriptionQuery& query, Completion<AudioTranscriptionResult> completion)
{
    performRequest(
        MultipartFormDataRequest<AudioTranscriptionResult>(query, buildURL("/v1/audio/transcriptions"), "POST"),
        std::move(completion));
}

void OpenAI::audioTranslations(const AudioTranslationQuery& query, Completion<AudioTranslationResult> completion)
{
    performRequest(MultipartFormDataRequest<AudioTranslationResult>(query, buildURL("/v1/audio/translations"), "POST"),
                   std::move(completion));
}

} // namespace brindlemoor
