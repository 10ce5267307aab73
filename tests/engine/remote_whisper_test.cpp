#include "engine/remote_whisper.h"

#include <gtest/gtest.h>

#include <fstream>

namespace brindlemoor {
namespace {

// Answers every transcription with a scripted outcome and keeps the query it was sent; no
// other operation is expected.
class ScriptedClient final : public OpenAIProtocol {
public:
    ScriptedClient(std::optional<AudioTranscriptionQuery>& sent, Result<AudioTranscriptionResult> outcome)
        : sent_(sent), outcome_(std::move(outcome))
    {
    }

    using OpenAIProtocol::audioTranscriptions;
    void audioTranscriptions(const AudioTranscriptionQuery& query, Completion<AudioTranscriptionResult> done) override
    {
        sent_.emplace(query);
        done(outcome_);
    }

    void completions(const CompletionsQuery&, Completion<CompletionsResult>) override { unexpected(); }
    void streamCompletions(const CompletionsQuery&, Completion<CompletionsResult>, StreamCompletion) override { unexpected(); }
    void images(const ImagesQuery&, Completion<ImagesResult>) override { unexpected(); }
    void imageEdits(const ImageEditsQuery&, Completion<ImagesResult>) override { unexpected(); }
    void imageVariations(const ImageVariationsQuery&, Completion<ImagesResult>) override { unexpected(); }
    void embeddings(const EmbeddingsQuery&, Completion<EmbeddingsResult>) override { unexpected(); }
    void chats(const ChatQuery&, Completion<ChatResult>) override { unexpected(); }
    void streamChats(const ChatQuery&, Completion<ChatStreamResult>, StreamCompletion) override { unexpected(); }
    void edits(const EditsQuery&, Completion<EditsResult>) override { unexpected(); }
    void model(const ModelQuery&, Completion<ModelResult>) override { unexpected(); }
    void models(Completion<ModelsResult>) override { unexpected(); }
    void moderations(const ModerationsQuery&, Completion<ModerationsResult>) override { unexpected(); }
    void audioCreateSpeech(const AudioSpeechQuery&, Completion<AudioSpeechResult>) override { unexpected(); }
    void audioTranslations(const AudioTranslationQuery&, Completion<AudioTranslationResult>) override { unexpected(); }

private:
    static void unexpected() { ADD_FAILURE() << "only transcriptions are expected"; }

    std::optional<AudioTranscriptionQuery>& sent_;
    Result<AudioTranscriptionResult> outcome_;
};

class RemoteWhisperTest : public ::testing::Test {
protected:
    RemoteWhisperTest()
    {
        std::ofstream(recording, std::ios::binary) << std::string("RIFF\0\x01", 6);
    }
    ~RemoteWhisperTest() override { std::filesystem::remove(recording); }

    RemoteWhisper transcriber(Result<AudioTranscriptionResult> outcome, std::string language)
    {
        return RemoteWhisper(
            [this, outcome] { return std::make_unique<ScriptedClient>(sent, outcome); },
            [language] { return language; });
    }

    const std::filesystem::path recording =
        std::filesystem::temp_directory_path() / ("remote-whisper-" + std::to_string(::getpid()) + ".wav");
    std::optional<AudioTranscriptionQuery> sent;
};

TEST_F(RemoteWhisperTest, SendsTheWholeFileWithWhisper1AndTheLanguageAndAnswersTheText)
{
    auto answer = transcriber(Result<AudioTranscriptionResult>::success({"Guten Tag"}), "de").transcribe(recording);

    ASSERT_TRUE(std::holds_alternative<std::string>(answer));
    EXPECT_EQ(std::get<std::string>(answer), "Guten Tag");
    ASSERT_TRUE(sent);
    EXPECT_EQ(sent->file, (Bytes{'R', 'I', 'F', 'F', 0, 1}));
    EXPECT_EQ(sent->fileName, recording.filename().string());
    EXPECT_EQ(sent->model, "whisper-1");
    EXPECT_EQ(sent->prompt, "");
    EXPECT_EQ(sent->language, "de");
    EXPECT_FALSE(sent->temperature);
    EXPECT_FALSE(sent->responseFormat);
}

TEST_F(RemoteWhisperTest, ChineseGetsTheSimplifiedChinesePrompt)
{
    transcriber(Result<AudioTranscriptionResult>::success({""}), "zh").transcribe(recording);

    ASSERT_TRUE(sent);
    EXPECT_EQ(sent->prompt, "这是简体中文");
    EXPECT_EQ(sent->language, "zh");
}

TEST_F(RemoteWhisperTest, AnUnreadableRecordingFailsWithoutARequest)
{
    auto answer = transcriber(Result<AudioTranscriptionResult>::success({"x"}), "en")
                      .transcribe(recording.parent_path() / "no-such-recording.wav");

    ASSERT_TRUE(std::holds_alternative<PlatformError>(answer));
    EXPECT_EQ(std::get<PlatformError>(answer).domain, kRemoteWhisperFileErrorDomain);
    EXPECT_EQ(std::get<PlatformError>(answer).code, ENOENT);
    EXPECT_FALSE(sent);
}

TEST_F(RemoteWhisperTest, TheServicesErrorPassesOnWithItsOwnMessage)
{
    auto failure = Result<AudioTranscriptionResult>::failure(
        std::make_exception_ptr(APIErrorResponse(APIError("You didn't provide an API key.", "invalid_request_error"))));

    auto answer = transcriber(failure, "en").transcribe(recording);

    ASSERT_TRUE(std::holds_alternative<PlatformError>(answer));
    const auto& error = std::get<PlatformError>(answer);
    EXPECT_EQ(error.domain, kRemoteWhisperServiceErrorDomain);
    EXPECT_EQ(error.code, static_cast<int>(RemoteWhisper::ServiceErrorCode::service));
    EXPECT_EQ(error.description, "You didn't provide an API key.");
}

} // namespace
} // namespace brindlemoor
