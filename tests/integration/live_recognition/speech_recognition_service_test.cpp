#include "fakes/real_time_main_queue.h"
#include "platform/linux/pocketsphinx/pocketsphinx_speech_recognition_service.h"
#include "word_error_rate.h"

#include <gtest/gtest.h>

#include <cctype>
#include <filesystem>

namespace brindlemoor {
namespace {

using namespace std::chrono_literals;

struct Callback {
    std::optional<SpeechRecognitionResult> result;
    std::optional<PlatformError> error;
};

class PocketSphinxServiceTest : public ::testing::Test {
protected:
    RecognitionResultHandler collect()
    {
        return [this](const std::optional<SpeechRecognitionResult>& result, const std::optional<PlatformError>& error) {
            callbacks.push_back({result, error});
        };
    }
    bool settled() const
    {
        return !callbacks.empty() && (callbacks.back().error || (callbacks.back().result && callbacks.back().result->isFinal));
    }
    // The recording as float buffers at another rate and channel count, as a microphone gives them.
    std::vector<AudioPcmBuffer> asStereo48k(const std::vector<std::int16_t>& samples)
    {
        std::vector<AudioPcmBuffer> buffers;
        const double step = 16000.0 / 48000.0;
        std::vector<float> interleaved;
        for (double position = 0; position + 1 < samples.size(); position += step) {
            const auto index = static_cast<std::size_t>(position);
            const double fraction = position - index;
            const float value = static_cast<float>((samples[index] * (1 - fraction) + samples[index + 1] * fraction) / 32768.0);
            interleaved.push_back(value);
            interleaved.push_back(value);
            if (interleaved.size() == 2 * 512) {
                buffers.emplace_back(AudioFormat{48000, 2}, 512, interleaved);
                interleaved.clear();
            }
        }
        return buffers;
    }

    fakes::RealTimeMainQueue queue;
    PocketSphinxSpeechRecognitionService speech;
    std::vector<Callback> callbacks;
};

TEST_F(PocketSphinxServiceTest, RecognisersExistForInstalledLanguagesOnly)
{
    EXPECT_EQ(speech.authorizationStatus(), SpeechRecognizerAuthorizationStatus::authorized);
    EXPECT_TRUE(speech.recognizer("en-US"));
    EXPECT_TRUE(speech.recognizer("en")) << "a language alone finds its model";
    EXPECT_TRUE(speech.recognizer("en_GB.UTF-8"));
    EXPECT_FALSE(speech.recognizer("xx-XX"));
    EXPECT_FALSE(speech.recognizer(""));
}

TEST_F(PocketSphinxServiceTest, FileRequestGivesOneCapitalisedFinalResultWithPosteriorConfidences)
{
    auto recording = testing::librivoxRecordings().at(1);
    auto request = std::make_shared<FileRecognitionRequest>(recording.path);
    request->shouldReportPartialResults = true;
    auto task = speech.recognizer("en-US")->recognitionTask(request, collect());
    ASSERT_TRUE(queue.runUntil([&] { return settled(); }, 30s));
    queue.runFor(200ms);

    ASSERT_TRUE(callbacks.back().result);
    const auto& final = *callbacks.back().result;
    EXPECT_TRUE(final.isFinal);
    ASSERT_FALSE(final.bestTranscription.formattedString.empty());
    EXPECT_TRUE(std::isupper(static_cast<unsigned char>(final.bestTranscription.formattedString[0])));
    for (const auto& segment : final.bestTranscription.segments) {
        EXPECT_GE(segment.confidence, 0.0f);
        EXPECT_LE(segment.confidence, 1.0f);
    }
    for (std::size_t i = 0; i + 1 < callbacks.size(); ++i) {
        ASSERT_TRUE(callbacks[i].result);
        EXPECT_FALSE(callbacks[i].result->isFinal);
        EXPECT_EQ(callbacks[i].result->bestTranscription.segments.front().confidence, 0.0f);
    }
    EXPECT_LE(testing::wordErrorRate(testing::normalisedWords(final.bestTranscription.formattedString),
                                     testing::normalisedWords(recording.reference)),
              0.6);
}

TEST_F(PocketSphinxServiceTest, BufferRequestAtAnyRateAndChannelCountIsRecognised)
{
    auto recording = testing::librivoxRecordings().at(4);
    auto samples = testing::readSamples(recording.path);
    ASSERT_TRUE(samples);
    auto request = std::make_shared<AudioBufferRecognitionRequest>();
    auto task = speech.recognizer("en-US")->recognitionTask(request, collect());
    for (const auto& buffer : asStereo48k(*samples))
        request->append(buffer);
    request->endAudio();
    ASSERT_TRUE(queue.runUntil([&] { return settled(); }, 30s));
    ASSERT_TRUE(callbacks.back().result);
    EXPECT_LE(testing::wordErrorRate(testing::normalisedWords(callbacks.back().result->bestTranscription.formattedString),
                                     testing::normalisedWords(recording.reference)),
              0.5);
}

TEST_F(PocketSphinxServiceTest, SilenceAndUnreadableFilesAreErrorsNotEmptyResults)
{
    auto request = std::make_shared<AudioBufferRecognitionRequest>();
    auto task = speech.recognizer("en-US")->recognitionTask(request, collect());
    for (int i = 0; i < 60; ++i)
        request->append(AudioPcmBuffer(AudioFormat{16000, 1}, 512, std::vector<float>(512, 0.0f)));
    request->endAudio();
    ASSERT_TRUE(queue.runUntil([&] { return settled(); }, 30s));
    ASSERT_EQ(callbacks.size(), 1u);
    EXPECT_FALSE(callbacks[0].result);
    ASSERT_TRUE(callbacks[0].error);
    EXPECT_EQ(callbacks[0].error->description, "No speech detected");

    callbacks.clear();
    auto missing = std::make_shared<FileRecognitionRequest>("/nonexistent/recording.wav");
    auto fileTask = speech.recognizer("en-US")->recognitionTask(missing, collect());
    ASSERT_TRUE(queue.runUntil([&] { return settled(); }, 10s));
    ASSERT_TRUE(callbacks[0].error);
    EXPECT_EQ(callbacks[0].error->code, static_cast<int>(SpeechRecognitionErrorCode::audioFileUnreadable));
}

TEST_F(PocketSphinxServiceTest, FinishGivesOneLastCallbackAndCancelNone)
{
    auto recording = testing::librivoxRecordings().at(0);
    auto samples = testing::readSamples(recording.path);
    ASSERT_TRUE(samples);
    auto feed = [&](AudioBufferRecognitionRequest& request) {
        for (std::size_t at = 0; at + 512 <= samples->size() / 2; at += 512) {
            std::vector<float> chunk(512);
            for (std::size_t i = 0; i < 512; ++i)
                chunk[i] = (*samples)[at + i] / 32768.0f;
            request.append(AudioPcmBuffer(AudioFormat{16000, 1}, 512, std::move(chunk)));
        }
    };

    auto finished = std::make_shared<AudioBufferRecognitionRequest>();
    finished->shouldReportPartialResults = true;
    auto finishedTask = speech.recognizer("en-US")->recognitionTask(finished, collect());
    feed(*finished);
    queue.runFor(300ms);
    const std::size_t before = callbacks.size();
    finishedTask->finish();
    finishedTask->finish();
    finishedTask.reset();  // the caller may drop the task; the last callback still comes
    ASSERT_TRUE(queue.runUntil([&] { return settled(); }, 30s));
    queue.runFor(500ms);
    EXPECT_EQ(callbacks.size(), before + 1);
    EXPECT_TRUE(callbacks.back().result && callbacks.back().result->isFinal);

    callbacks.clear();
    auto cancelled = std::make_shared<AudioBufferRecognitionRequest>();
    cancelled->shouldReportPartialResults = true;
    auto cancelledTask = speech.recognizer("en-US")->recognitionTask(cancelled, collect());
    feed(*cancelled);
    cancelledTask->cancel();
    cancelled->endAudio();
    queue.runFor(1500ms);
    EXPECT_TRUE(callbacks.empty());
}

} // namespace
} // namespace brindlemoor
