#include "engine/whisper.h"

#include "engine/decode_wave_file.h"
#include "engine/hybrid_whisper.h"
#include "engine/system_sound_recorder.h"
#include "engine/whisper_context.h"
#include "engine/whisper_error.h"
#include "engine/whisper_state.h"
#include "fakes/captured_log.h"
#include "fakes/captured_output.h"
#include "audio_files.h"
#include "recording_whisper_engine.h"
#include "support/temporary_folder.h"

#include <gtest/gtest.h>

#include <fstream>

namespace brindlemoor {
namespace {

using testing::RecordingWhisperEngine;

void writeBytes(const std::filesystem::path& path, const std::vector<unsigned char>& bytes)
{
    std::ofstream(path, std::ios::binary).write(reinterpret_cast<const char*>(bytes.data()),
                                                static_cast<std::streamsize>(bytes.size()));
}

class WhisperTest : public ::testing::Test {
protected:
    std::unique_ptr<WhisperState> loadedState(unsigned processors = 8)
    {
        return std::make_unique<WhisperState>(folder_.path() / "ggml-small.bin", RecordingWhisperEngine::loader(engine_),
                                              [processors] { return processors; });
    }
    std::filesystem::path recording()
    {
        auto path = folder_.path() / "recording.caf";
        testing::writeTone(path, 0.5, 16000, 1, SF_FORMAT_CAF | SF_FORMAT_PCM_16);
        return path;
    }

    fakes::CapturedOutput output_;
    fakes::CapturedLog log_;
    testing::TemporaryFolder folder_;
    testing::WhisperEngineLog engine_;
};

TEST(WhisperContextThreads, LeaveTwoProcessorsFreeBetweenOneAndEight)
{
    EXPECT_EQ(WhisperContext::threadCount(1), 1);
    EXPECT_EQ(WhisperContext::threadCount(2), 1);
    EXPECT_EQ(WhisperContext::threadCount(3), 1);
    EXPECT_EQ(WhisperContext::threadCount(4), 2);
    EXPECT_EQ(WhisperContext::threadCount(10), 8);
    EXPECT_EQ(WhisperContext::threadCount(16), 8);
}

TEST_F(WhisperTest, RunsTheModelWithEveryParameterSet)
{
    engine_.segments = {" Hello", " world."};
    Whisper whisper(loadedState(4), [] { return std::string("en"); });
    const auto text = whisper.transcribe(recording());

    EXPECT_EQ(std::get<std::string>(text), " Hello world.");
    ASSERT_EQ(engine_.runs, 1);
    WhisperParameters expected;
    expected.threads = 2;
    expected.language = "en";
    expected.initialPrompt = "";
    EXPECT_EQ(engine_.lastParameters, expected);
    EXPECT_EQ(engine_.lastSamples.size(), 8000u);
    EXPECT_EQ(engine_.timingResets, 1);
    EXPECT_EQ(engine_.timingPrints, 1);
    EXPECT_EQ(output_.lines(), (std::vector<std::string>{"transcribe: lang = en", "Selecting 2 threads",
                                                         "About to run whisper_full"}));
}

TEST_F(WhisperTest, ChineseGetsThePromptForSimplifiedCharacters)
{
    Whisper chinese(loadedState(16), [] { return std::string("zh"); });
    chinese.transcribe(recording());
    EXPECT_EQ(engine_.lastParameters.initialPrompt, "这是简体中文");
    EXPECT_EQ(engine_.lastParameters.language, "zh");
    EXPECT_EQ(engine_.lastParameters.threads, 8);
    EXPECT_EQ(Whisper::promptFor("ja"), "");
    EXPECT_EQ(Whisper::promptFor(""), "");
}

TEST(WhisperCleanUp, RemovesBracketedStarredAndParenthesisedRemarks)
{
    EXPECT_EQ(Whisper::removeAnnotations("[Music] hello (laughs) *applause*"), " hello  ");
    EXPECT_EQ(Whisper::removeAnnotations("[a] b (c) *d*"), " b  ");
    EXPECT_EQ(Whisper::removeAnnotations("[x][y] keep ] (open"), " keep ] (open");
    // Removal runs in order, so a bracket inside parentheses goes first.
    EXPECT_EQ(Whisper::removeAnnotations("(a [b] c)"), "");
    EXPECT_EQ(Whisper::removeAnnotations("*a* b *c*"), " b ");
}

TEST_F(WhisperTest, AFailedRunIsPrintedAndTheSegmentsStillCollected)
{
    engine_.fullResult = 3;
    engine_.segments = {" partial"};
    Whisper whisper(loadedState(), [] { return std::string("en"); });
    EXPECT_EQ(std::get<std::string>(whisper.transcribe(recording())), " partial");
    EXPECT_EQ(engine_.timingPrints, 0);
    EXPECT_NE(output_.text().find("Failed to run the model\n"), std::string::npos);
}

TEST_F(WhisperTest, WithoutAModelFileEveryTranscriptionIsEmpty)
{
    WhisperState state(std::nullopt, RecordingWhisperEngine::loader(engine_));
    EXPECT_TRUE(state.canTranscribe.get());
    EXPECT_TRUE(state.isModelLoaded.get());
    EXPECT_EQ(state.messageLog.get(), "Loading model...\nCould not locate model\n");
    EXPECT_EQ(state.transcribe(recording(), "en", ""), "");
    EXPECT_EQ(engine_.loads, 0);
}

TEST_F(WhisperTest, AModelThatDoesNotLoadIsReported)
{
    const auto model = folder_.path() / "ggml-small.bin";
    WhisperState state(model, RecordingWhisperEngine::loader(engine_, false));
    EXPECT_FALSE(state.canTranscribe.get());
    EXPECT_FALSE(state.isModelLoaded.get());
    const std::string description = WhisperError::couldNotInitializeContext().localizedDescription();
    EXPECT_EQ(state.messageLog.get(), "Loading model...\n" + description + "\n");
    EXPECT_EQ(output_.lines(), (std::vector<std::string>{"Couldn't load model at " + model.string(), description}));
    EXPECT_EQ(state.transcribe(recording(), "en", ""), "");
    EXPECT_THROW(WhisperContext::createContext(model, RecordingWhisperEngine::loader(engine_, false)), WhisperError);
}

TEST_F(WhisperTest, AnUnreadableRecordingAnswersEmptyAndReopensTheGate)
{
    auto state = loadedState();
    EXPECT_EQ(state->messageLog.get(), "Loading model...\nLoaded model ggml-small.bin\n");
    EXPECT_EQ(state->transcribe(folder_.path() / "missing.caf", "en", ""), "");
    EXPECT_TRUE(state->canTranscribe.get());
    EXPECT_EQ(engine_.runs, 0);
    EXPECT_NE(output_.text().find("missing.caf could not be read"), std::string::npos);
}

TEST_F(WhisperTest, RecorderReportsClearTheRecordingFlagAndAreLogged)
{
    auto state = loadedState();
    state->isRecording.set(true);
    state->audioRecorderEncodeErrorDidOccur(PlatformError{"audio", 1, "The encoder failed."});
    EXPECT_FALSE(state->isRecording.get());
    EXPECT_NE(state->messageLog.get().find("The encoder failed.\n"), std::string::npos);
    state->isRecording.set(true);
    state->audioRecorderDidFinishRecording(false);
    EXPECT_FALSE(state->isRecording.get());

    SystemSoundRecorder recorder;
    recorder.recordingDidStart();
    recorder.recordingDidFinish(std::nullopt);
    recorder.recordingDidFinish(PlatformError{"capture", 2, "The disk is full."});
    EXPECT_EQ(output_.lines(), (std::vector<std::string>{"The encoder failed.", "Recording started",
                                                         "Recording finished", "Recording error: The disk is full."}));
}

TEST_F(WhisperTest, DecodesSamplesAfterA44ByteHeaderScaledAndClamped)
{
    const auto path = folder_.path() / "raw.bin";
    std::vector<unsigned char> bytes(44, 0);
    writeBytes(path, bytes);
    EXPECT_TRUE(decodeWaveFile(path).empty());
    bytes.push_back(0x7F);
    writeBytes(path, bytes);
    EXPECT_TRUE(decodeWaveFile(path).empty());
    bytes.push_back(0x00);
    writeBytes(path, bytes);
    EXPECT_EQ(decodeWaveFile(path), std::vector<float>{127.0f / 32767});
    bytes = std::vector<unsigned char>(44, 0xAB);
    bytes.insert(bytes.end(), {0x00, 0x80, 0xFF, 0x7F, 0x01, 0x00, 0xFF, 0xFF, 0x42});
    writeBytes(path, bytes);
    EXPECT_EQ(decodeWaveFile(path), (std::vector<float>{-1.0f, 1.0f, 1.0f / 32767, -1.0f / 32767}));
    EXPECT_THROW(decodeWaveFile(folder_.path() / "missing.wav"), std::system_error);
}

TEST_F(WhisperTest, DecodesTheLoopsCafRecordingsAndPlainWaveFilesAlike)
{
    const std::vector<short> values = {0, 1000, -1000, 32767, -32768, 12345};
    for (const auto* name : {"recording.caf", "recording.wav"}) {
        const auto path = folder_.path() / name;
        SF_INFO info{};
        info.samplerate = 16000;
        info.channels = 1;
        info.format = (std::string(name).ends_with(".caf") ? SF_FORMAT_CAF : SF_FORMAT_WAV) | SF_FORMAT_PCM_16;
        {
            SoundFile file(path, SFM_WRITE, info);
            sf_writef_short(file.get(), values.data(), static_cast<sf_count_t>(values.size()));
        }
        const auto samples = decodeWaveFile(path);
        ASSERT_EQ(samples.size(), values.size()) << name;
        for (std::size_t i = 0; i < values.size(); ++i)
            EXPECT_EQ(samples[i], std::clamp(values[i] / 32767.0f, -1.0f, 1.0f)) << name << " sample " << i;
    }
    // A plain WAV file has its samples right after 44 header bytes: both readings agree.
    EXPECT_EQ(std::filesystem::file_size(folder_.path() / "recording.wav"), 44 + 2 * values.size());
}

class ScriptedTranscriber final : public TranscribeProtocol {
public:
    explicit ScriptedTranscriber(TranscriptionResult answer) : answer_(std::move(answer)) {}
    TranscriptionResult transcribe(const std::filesystem::path&) override { return answer_; }

private:
    TranscriptionResult answer_;
};

TEST_F(WhisperTest, HybridRunsTheModelOnlyWhenTheRecogniserHearsSomething)
{
    engine_.segments = {" model text"};
    TranscriptionResult heard = std::string();
    int recognisersMade = 0;
    HybridWhisper hybrid(std::make_unique<Whisper>(loadedState(), [] { return std::string("en"); }), [&] {
        ++recognisersMade;
        return std::make_unique<ScriptedTranscriber>(heard);
    });

    EXPECT_EQ(std::get<std::string>(hybrid.transcribe(recording())), "");
    EXPECT_EQ(engine_.runs, 0);
    EXPECT_TRUE(log_.contains("SFSpeechRecognizer: "));

    heard = std::string("platform text");
    EXPECT_EQ(std::get<std::string>(hybrid.transcribe(recording())), " model text");
    EXPECT_EQ(engine_.runs, 1);

    heard = PlatformError{"SpeechRecognition", 1, "No speech detected"};
    EXPECT_EQ(std::get<PlatformError>(hybrid.transcribe(recording())).description, "No speech detected");
    EXPECT_EQ(engine_.runs, 1);
    EXPECT_EQ(recognisersMade, 3);
}

} // namespace
} // namespace brindlemoor
