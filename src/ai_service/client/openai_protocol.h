#pragma once

#include "ai_service/client/api_error_response.h"
#include "ai_service/client/async_throwing_stream.h"
#include "ai_service/client/future_publisher.h"
#include "ai_service/client/openai_error.h"
#include "ai_service/client/result.h"
#include "ai_service/client/stream_subject.h"
#include "ai_service/client/streaming_error.h"
#include "ai_service/client/url_error.h"
#include "ai_service/models/audio_speech_query.h"
#include "ai_service/models/audio_speech_result.h"
#include "ai_service/models/audio_transcription_query.h"
#include "ai_service/models/audio_transcription_result.h"
#include "ai_service/models/audio_translation_query.h"
#include "ai_service/models/audio_translation_result.h"
#include "ai_service/models/chat_query.h"
#include "ai_service/models/chat_result.h"
#include "ai_service/models/chat_stream_result.h"
#include "ai_service/models/completions_query.h"
#include "ai_service/models/completions_result.h"
#include "ai_service/models/edits_query.h"
#include "ai_service/models/edits_result.h"
#include "ai_service/models/embeddings_query.h"
#include "ai_service/models/embeddings_result.h"
#include "ai_service/models/image_edits_query.h"
#include "ai_service/models/image_variations_query.h"
#include "ai_service/models/images_query.h"
#include "ai_service/models/images_result.h"
#include "ai_service/models/model_query.h"
#include "ai_service/models/model_result.h"
#include "ai_service/models/models_result.h"
#include "ai_service/models/moderations_query.h"
#include "ai_service/models/moderations_result.h"

#include <exception>
#include <functional>
#include <future>

namespace brindlemoor {

// The operations of the remote AI service. Each callback operation reports through exactly
// one call of its completion (streams: any number of results, then one completion), on the
// transport's thread, never on the main thread. On top of them every conformer gets, through
// the protocol:
// - await forms: same name, no callback, a std::future that yields the record or throws the
//   operation's error unchanged;
// - stream forms: same name, an AsyncThrowingStream that ends by throwing at the first failed
//   piece; the request starts at once;
// - publisher forms, "...Publisher": a FuturePublisher whose request is sent when it is made,
//   or for streams a StreamSubject that delivers failed pieces as elements and goes on.
class OpenAIProtocol {
public:
    template <typename T>
    using Completion = std::function<void(Result<T>)>;
    // Null error: the stream ended normally.
    using StreamCompletion = std::function<void(std::exception_ptr)>;

    virtual ~OpenAIProtocol() = default;

    virtual void completions(const CompletionsQuery& query, Completion<CompletionsResult> completion) = 0;
    // `completion` may be empty.
    virtual void streamCompletions(const CompletionsQuery& query, Completion<CompletionsResult> onResult,
                                   StreamCompletion completion) = 0;
    virtual void images(const ImagesQuery& query, Completion<ImagesResult> completion) = 0;
    virtual void imageEdits(const ImageEditsQuery& query, Completion<ImagesResult> completion) = 0;
    virtual void imageVariations(const ImageVariationsQuery& query, Completion<ImagesResult> completion) = 0;
    virtual void embeddings(const EmbeddingsQuery& query, Completion<EmbeddingsResult> completion) = 0;
    virtual void chats(const ChatQuery& query, Completion<ChatResult> completion) = 0;
    virtual void streamChats(const ChatQuery& query, Completion<ChatStreamResult> onResult,
                             StreamCompletion completion) = 0;
    virtual void edits(const EditsQuery& query, Completion<EditsResult> completion) = 0;
    virtual void model(const ModelQuery& query, Completion<ModelResult> completion) = 0;
    virtual void models(Completion<ModelsResult> completion) = 0;
    virtual void moderations(const ModerationsQuery& query, Completion<ModerationsResult> completion) = 0;
    virtual void audioCreateSpeech(const AudioSpeechQuery& query, Completion<AudioSpeechResult> completion) = 0;
    virtual void audioTranscriptions(const AudioTranscriptionQuery& query,
                                     Completion<AudioTranscriptionResult> completion) = 0;
    virtual void audioTranslations(const AudioTranslationQuery& query,
                                   Completion<AudioTranslationResult> completion) = 0;

    std::future<CompletionsResult> completions(const CompletionsQuery& query);
    AsyncThrowingStream<CompletionsResult> streamCompletions(const CompletionsQuery& query);
    std::future<ImagesResult> images(const ImagesQuery& query);
    std::future<ImagesResult> imageEdits(const ImageEditsQuery& query);
    std::future<ImagesResult> imageVariations(const ImageVariationsQuery& query);
    std::future<EmbeddingsResult> embeddings(const EmbeddingsQuery& query);
    std::future<ChatResult> chats(const ChatQuery& query);
    AsyncThrowingStream<ChatStreamResult> streamChats(const ChatQuery& query);
    std::future<EditsResult> edits(const EditsQuery& query);
    std::future<ModelResult> model(const ModelQuery& query);
    std::future<ModelsResult> models();
    std::future<ModerationsResult> moderations(const ModerationsQuery& query);
    std::future<AudioSpeechResult> audioCreateSpeech(const AudioSpeechQuery& query);
    std::future<AudioTranscriptionResult> audioTranscriptions(const AudioTranscriptionQuery& query);
    std::future<AudioTranslationResult> audioTranslations(const AudioTranslationQuery& query);

    FuturePublisher<CompletionsResult> completionsPublisher(const CompletionsQuery& query);
    StreamSubject<CompletionsResult> streamCompletionsPublisher(const CompletionsQuery& query);
    FuturePublisher<ImagesResult> imagesPublisher(const ImagesQuery& query);
    FuturePublisher<ImagesResult> imageEditsPublisher(const ImageEditsQuery& query);
    FuturePublisher<ImagesResult> imageVariationsPublisher(const ImageVariationsQuery& query);
    FuturePublisher<EmbeddingsResult> embeddingsPublisher(const EmbeddingsQuery& query);
    FuturePublisher<ChatResult> chatsPublisher(const ChatQuery& query);
    StreamSubject<ChatStreamResult> streamChatsPublisher(const ChatQuery& query);
    FuturePublisher<EditsResult> editsPublisher(const EditsQuery& query);
    FuturePublisher<ModelResult> modelPublisher(const ModelQuery& query);
    FuturePublisher<ModelsResult> modelsPublisher();
    FuturePublisher<ModerationsResult> moderationsPublisher(const ModerationsQuery& query);
    FuturePublisher<AudioTranscriptionResult> audioTranscriptionsPublisher(const AudioTranscriptionQuery& query);
    FuturePublisher<AudioTranslationResult> audioTranslationsPublisher(const AudioTranslationQuery& query);
};

} // namespace brindlemoor
