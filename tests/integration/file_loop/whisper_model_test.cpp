#include "engine/whisper.h"
#include "engine/whisper_state.h"
#include "librivox.h"
#include "platform/whisper_engine.h"
#include "word_error_rate.h"

#include <gtest/gtest.h>

namespace brindlemoor {
namespace {

TEST(WhisperModel, TranscribesReadSpeechWithTheLocalModel)
{
    if (!WhisperEngine::available())
        GTEST_SKIP() << "whisper.cpp was not found when this build was configured, so there is no local model to run";
    const auto model = WhisperState::defaultModelUrl();
    if (!model)
        GTEST_SKIP() << "no ggml-small.bin in $XDG_DATA_HOME/brindlemoor, /usr/local/share/brindlemoor or "
                        "/usr/share/brindlemoor";

    const auto sentence = testing::librivoxRecording("sense_and_sensibility_01_austen_64kb-0880");
    Whisper whisper(std::make_unique<WhisperState>(model), [] { return std::string("en"); });
    ASSERT_TRUE(whisper.whisperState().isModelLoaded.get());
    const auto text = std::get<std::string>(whisper.transcribe(sentence.path));
    EXPECT_LE(testing::wordErrorRate(testing::normalisedWords(text), testing::normalisedWords(sentence.reference)), 0.4)
        << "heard \"" << text << "\"";
}

} // namespace
} // namespace brindlemoor
