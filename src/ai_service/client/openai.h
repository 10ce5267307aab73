#pragma once

#include "ai_service/client/array_with_thread_safety.h"
#include "ai_service/client/openai_protocol.h"
#include "ai_service/client/url_session_data_delegate.h"
#include "ai_service/client/url_session_protocol.h"

#include <memory>
#include <optional>
#include <string>

namespace brindlemoor {

// The client of the remote AI service: one request per operation, sent to the service's
// endpoint with the caller's token, the reply decoded into the operation's record. Requests
// are never retried or cancelled; releasing the client does not stop requests in flight, and
// their callbacks still run.
class OpenAI final : public OpenAIProtocol {
public:
    struct Configuration {
        std::string token;
        // Sent as "OpenAI-Organization" when present.
        std::optional<std::string> organizationIdentifier;
        // A host name only: no scheme, port or path.
        std::string host = kPublicHost;
        // Seconds of connecting, or of silence from the service, after which a request fails.
        double timeoutInterval = 60.0;
        // Only for reaching a stand-in of the service, such as a loopback server in tests;
        // the service itself is always "https" on its default port.
        std::string scheme = "https";
        std::optional<int> port;
    };

    static constexpr const char* kPublicHost = "api.openai.com";

    using Sessions = ArrayWithThreadSafety<std::shared_ptr<URLSessionDataDelegate>>;

    // No organisation, the service's public host, 60 seconds; the shared transport.
    explicit OpenAI(std::string apiToken);
    explicit OpenAI(Configuration configuration);
    OpenAI(Configuration configuration, std::shared_ptr<URLSessionProtocol> session);

    const Configuration& configuration() const { return configuration_; }
    // The streams now running; each leaves when it completes.
    Sessions& streamingSessions() { return *streamingSessions_; }

    // The endpoint's address: scheme, host, port when set, and the path percent-encoded where
    // a path cannot hold a character.
    std::string buildURL(const std::string& path) const;

    using OpenAIProtocol::audioCreateSpeech;
    using OpenAIProtocol::audioTranscriptions;
    using OpenAIProtocol::audioTranslations;
    using OpenAIProtocol::chats;
    using OpenAIProtocol::completions;
    using OpenAIProtocol::edits;
    using OpenAIProtocol::embeddings;
    using OpenAIProtocol::imageEdits;
    using OpenAIProtocol::images;
    using OpenAIProtocol::imageVariations;
    using OpenAIProtocol::model;
    using OpenAIProtocol::models;
    using OpenAIProtocol::moderations;
    using OpenAIProtocol::streamChats;
    using OpenAIProtocol::streamCompletions;

    void completions(const CompletionsQuery& query, Completion<CompletionsResult> completion) override;
    void streamCompletions(const CompletionsQuery& query, Completion<CompletionsResult> onResult,
                           StreamCompletion completion) override;
    void images(const ImagesQuery& query, Completion<ImagesResult> completion) override;
    void imageEdits(const ImageEditsQuery& query, Completion<ImagesResult> completion) override;
    void imageVariations(const ImageVariationsQuery& query, Completion<ImagesResult> completion) override;
    void embeddings(const EmbeddingsQuery& query, Completion<EmbeddingsResult> completion) override;
    void chats(const ChatQuery& query, Completion<ChatResult> completion) override;
    void streamChats(const ChatQuery& query, Completion<ChatStreamResult> onResult,
                     StreamCompletion completion) override;
    void edits(const EditsQuery& query, Completion<EditsResult> completion) override;
    void model(const ModelQuery& query, Completion<ModelResult> completion) override;
    void models(Completion<ModelsResult> completion) override;
    void moderations(const ModerationsQuery& query, Completion<ModerationsResult> completion) override;
    void audioCreateSpeech(const AudioSpeechQuery& query, Completion<AudioSpeechResult> completion) override;
    void audioTranscriptions(const AudioTranscriptionQuery& query,
                             Completion<AudioTranscriptionResult> completion) override;
    void audioTranslations(const AudioTranslationQuery& query, Completion<AudioTranslationResult> completion) override;

private:
    template <typename ResultType, typename Request>
    void performRequest(const Request& request, Completion<ResultType> completion);
    template <typename ResultType, typename Request>
    void performSpeechRequest(const Request& request, Completion<ResultType> completion);
    // Builds the request, sends it, and hands the reply to `handleReply`; a request that cannot be
    // built fails the completion at once.
    template <typename ResultType, typename Request, typename Handler>
    void send(const Request& request, Completion<ResultType> completion, Handler handleReply);
    template <typename ResultType, typename Request>
    void performStreamingRequest(const Request& request, Completion<ResultType> onResult, StreamCompletion completion);

    std::shared_ptr<URLSessionProtocol> session_;
    std::shared_ptr<Sessions> streamingSessions_;
    Configuration configuration_;
};

} // namespace brindlemoor
