#include "ai_service/client/openai_protocol.h"

#include <memory>

namespace brindlemoor {

namespace {

// The completion runs once, so the promise is kept once.
template <typename T, typename Operation>
std::future<T> awaitResult(Operation operation)
{
    auto promise = std::make_shared<std::promise<T>>();
    std::future<T> future = promise->get_future();
    operation([promise](Result<T> result) {
        if (result.isSuccess())
            promise->set_value(std::move(result).take());
        else
            promise->set_exception(result.error());
    });
    return future;
}

template <typename T, typename Operation>
AsyncThrowingStream<T> streamResults(Operation operation)
{
    return AsyncThrowingStream<T>([&](typename AsyncThrowingStream<T>::Continuation continuation) {
        operation(
            [continuation](Result<T> result) {
                if (result.isSuccess())
                    continuation.yield(std::move(result).take());
                else
                    continuation.finish(result.error());
            },
            [continuation](std::exception_ptr error) { continuation.finish(error); });
    });
}

template <typename T, typename Operation>
FuturePublisher<T> futureResult(Operation operation)
{
    return FuturePublisher<T>([&](typename FuturePublisher<T>::Promise promise) { operation(std::move(promise)); });
}

template <typename T, typename Operation>
StreamSubject<T> subjectResults(Operation operation)
{
    StreamSubject<T> subject;
    operation([subject](Result<T> result) { subject.send(result); },
              [subject](std::exception_ptr error) { subject.sendCompletion(error); });
    return subject;
}

} // namespace

std::future<CompletionsResult> OpenAIProtocol::completions(const CompletionsQuery& query)
{
    return awaitResult<CompletionsResult>([&](auto done) { completions(query, std::move(done)); });
}

AsyncThrowingStream<CompletionsResult> OpenAIProtocol::streamCompletions(const CompletionsQuery& query)
{
    return streamResults<CompletionsResult>(
        [&](auto onResult, auto done) { streamCompletions(query, std::move(onResult), std::move(done)); });
}

std::future<ImagesResult> OpenAIProtocol::images(const ImagesQuery& query)
{
    return awaitResult<ImagesResult>([&](auto done) { images(query, std::move(done)); });
}

std::future<ImagesResult> OpenAIProtocol::imageEdits(const ImageEditsQuery& query)
{
    return awaitResult<ImagesResult>([&](auto done) { imageEdits(query, std::move(done)); });
}

std::future<ImagesResult> OpenAIProtocol::imageVariations(const ImageVariationsQuery& query)
{
    return awaitResult<ImagesResult>([&](auto done) { imageVariations(query, std::move(done)); });
}

std::future<EmbeddingsResult> OpenAIProtocol::embeddings(const EmbeddingsQuery& query)
{
    return awaitResult<EmbeddingsResult>([&](auto done) { embeddings(query, std::move(done)); });
}

std::future<ChatResult> OpenAIProtocol::chats(const ChatQuery& query)
{
    return awaitResult<ChatResult>([&](auto done) { chats(query, std::move(done)); });
}

AsyncThrowingStream<ChatStreamResult> OpenAIProtocol::streamChats(const ChatQuery& query)
{
    return streamResults<ChatStreamResult>(
        [&](auto onResult, auto done) { streamChats(query, std::move(onResult), std::move(done)); });
}

std::future<EditsResult> OpenAIProtocol::edits(const EditsQuery& query)
{
    return awaitResult<EditsResult>([&](auto done) { edits(query, std::move(done)); });
}

std::future<ModelResult> OpenAIProtocol::model(const ModelQuery& query)
{
    return awaitResult<ModelResult>([&](auto done) { model(query, std::move(done)); });
}

std::future<ModelsResult> OpenAIProtocol::models()
{
    return awaitResult<ModelsResult>([&](auto done) { models(std::move(done)); });
}

std::future<ModerationsResult> OpenAIProtocol::moderations(const ModerationsQuery& query)
{
    return awaitResult<ModerationsResult>([&](auto done) { moderations(query, std::move(done)); });
}

std::future<AudioSpeechResult> OpenAIProtocol::audioCreateSpeech(const AudioSpeechQuery& query)
{
    return awaitResult<AudioSpeechResult>([&](auto done) { audioCreateSpeech(query, std::move(done)); });
}

std::future<AudioTranscriptionResult> OpenAIProtocol::audioTranscriptions(const AudioTranscriptionQuery& query)
{
    return awaitResult<AudioTranscriptionResult>([&](auto done) { audioTranscriptions(query, std::move(done)); });
}

std::future<AudioTranslationResult> OpenAIProtocol::audioTranslations(const AudioTranslationQuery& query)
{
    return awaitResult<AudioTranslationResult>([&](auto done) { audioTranslations(query, std::move(done)); });
}

FuturePublisher<CompletionsResult> OpenAIProtocol::completionsPublisher(const CompletionsQuery& query)
{
    return futureResult<CompletionsResult>([&](auto promise) { completions(query, std::move(promise)); });
}

StreamSubject<CompletionsResult> OpenAIProtocol::streamCompletionsPublisher(const CompletionsQuery& query)
{
    return subjectResults<CompletionsResult>(
        [&](auto onResult, auto done) { streamCompletions(query, std::move(onResult), std::move(done)); });
}

FuturePublisher<ImagesResult> OpenAIProtocol::imagesPublisher(const ImagesQuery& query)
{
    return futureResult<ImagesResult>([&](auto promise) { images(query, std::move(promise)); });
}

FuturePublisher<ImagesResult> OpenAIProtocol::imageEditsPublisher(const ImageEditsQuery& query)
{
    return futureResult<ImagesResult>([&](auto promise) { imageEdits(query, std::move(promise)); });
}

FuturePublisher<ImagesResult> OpenAIProtocol::imageVariationsPublisher(const ImageVariationsQuery& query)
{
    return futureResult<ImagesResult>([&](auto promise) { imageVariations(query, std::move(promise)); });
}

FuturePublisher<EmbeddingsResult> OpenAIProtocol::embeddingsPublisher(const EmbeddingsQuery& query)
{
    return futureResult<EmbeddingsResult>([&](auto promise) { embeddings(query, std::move(promise)); });
}

FuturePublisher<ChatResult> OpenAIProtocol::chatsPublisher(const ChatQuery& query)
{
    return futureResult<ChatResult>([&](auto promise) { chats(query, std::move(promise)); });
}

StreamSubject<ChatStreamResult> OpenAIProtocol::streamChatsPublisher(const ChatQuery& query)
{
    return subjectResults<ChatStreamResult>(
        [&](auto onResult, auto done) { streamChats(query, std::move(onResult), std::move(done)); });
}

FuturePublisher<EditsResult> OpenAIProtocol::editsPublisher(const EditsQuery& query)
{
    return futureResult<EditsResult>([&](auto promise) { edits(query, std::move(promise)); });
}

FuturePublisher<ModelResult> OpenAIProtocol::modelPublisher(const ModelQuery& query)
{
    return futureResult<ModelResult>([&](auto promise) { model(query, std::move(promise)); });
}

FuturePublisher<ModelsResult> OpenAIProtocol::modelsPublisher()
{
    return futureResult<ModelsResult>([&](auto promise) { models(std::move(promise)); });
}

FuturePublisher<ModerationsResult> OpenAIProtocol::moderationsPublisher(const ModerationsQuery& query)
{
    return futureResult<ModerationsResult>([&](auto promise) { moderations(query, std::move(promise)); });
}

FuturePublisher<AudioTranscriptionResult> OpenAIProtocol::audioTranscriptionsPublisher(
    const AudioTranscriptionQuery& query)
{
    return futureResult<AudioTranscriptionResult>([&](auto promise) { audioTranscriptions(query, std::move(promise)); });
}

FuturePublisher<AudioTranslationResult> OpenAIProtocol::audioTranslationsPublisher(const AudioTranslationQuery& query)
{
    return futureResult<AudioTranslationResult>([&](auto promise) { audioTranslations(query, std::move(promise)); });
}

} // namespace brindlemoor
