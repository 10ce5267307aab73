#include "engine/audio_silence_detector.h"

#include "fakes/captured_log.h"
#include "fakes/manual_clock.h"

#include <gtest/gtest.h>

namespace brindlemoor {
namespace {

using namespace std::chrono_literals;

AudioPcmBuffer bufferWithPeak(float peak, std::uint32_t channels = 1)
{
    std::vector<float> samples(512 * channels, 0.001f);
    samples[samples.size() / 2 + channels - 1] = -peak;
    return AudioPcmBuffer(AudioFormat{44100, channels}, 512, samples);
}

class AudioSilenceDetectorTest : public ::testing::Test {
protected:
    void resultArrived(std::string current)
    {
        buffer->run([&](TranscriptBuffer& b) {
            b.startTime = clock.now();
            b.current = std::move(current);
        });
    }

    fakes::CapturedLog log;
    fakes::ManualClock clock;
    std::shared_ptr<TranscriptBufferActor> buffer = std::make_shared<TranscriptBufferActor>();
    AudioSilenceDetector detector{buffer, Logger("test", "LiveSpeechRecognizer"), clock};
};

TEST_F(AudioSilenceDetectorTest, SilenceIsAtOrBelowTheThresholdOnEveryChannel)
{
    EXPECT_TRUE(AudioSilenceDetector::isSilent(bufferWithPeak(0.005f), 0.005f));
    EXPECT_FALSE(AudioSilenceDetector::isSilent(bufferWithPeak(0.0051f), 0.005f));
    EXPECT_FALSE(AudioSilenceDetector::isSilent(bufferWithPeak(0.3f, 2), 0.005f));
    EXPECT_TRUE(AudioSilenceDetector::isSilent(AudioPcmBuffer(AudioFormat{44100, 1}, 512, std::nullopt), 0.005f));
}

TEST_F(AudioSilenceDetectorTest, EndsAudioHalfASecondAfterTheLastResult)
{
    resultArrived("hello world");
    clock.advance(490ms);
    EXPECT_FALSE(detector.shouldEndAudio(bufferWithPeak(0), 0.005f));
    clock.advance(10ms);
    EXPECT_TRUE(detector.shouldEndAudio(bufferWithPeak(0), 0.005f));
    EXPECT_TRUE(log.contains("shouldEndAudio: timeElapsed = 0.500000, endAudio"));
    EXPECT_FALSE(detector.shouldEndAudio(bufferWithPeak(0.2f), 0.005f));
}

TEST_F(AudioSilenceDetectorTest, NeverEndsBeforeAnyResultOfThePass)
{
    buffer->run([](TranscriptBuffer& b) { b.current = "left over"; });
    clock.advance(1h);
    EXPECT_FALSE(detector.shouldEndAudio(bufferWithPeak(0), 0.005f));
    EXPECT_TRUE(log.messages().empty());
}

TEST_F(AudioSilenceDetectorTest, NeedsTwoCharactersOrTwoPieces)
{
    for (auto [text, ends] : std::vector<std::pair<std::string, bool>>{
             {"", false}, {"a", false}, {"é", false}, {"ab", true}, {" ", true}, {"\t", true}, {"\n", false}}) {
        resultArrived(text);
        clock.advance(600ms);
        EXPECT_EQ(detector.shouldEndAudio(bufferWithPeak(0), 0.005f), ends) << "current = '" << text << "'";
    }
}

} // namespace
} // namespace brindlemoor
