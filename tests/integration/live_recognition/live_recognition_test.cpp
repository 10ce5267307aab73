#include "engine/dictation_manager_reference.h"
#include "engine/live_speech_recognizer.h"
#include "fakes/real_time_main_queue.h"
#include "fakes/recording_settings_opener.h"
#include "fakes/recording_text_insertion.h"
#include "fakes/scripted_alert_presenter.h"
#include "pipe_writer.h"
#include "platform/linux/pocketsphinx/pocketsphinx_speech_recognition_service.h"
#include "platform/linux/pulseaudio/pulse_audio_engine.h"
#include "private_pulse_audio.h"
#include "word_error_rate.h"

#include <gtest/gtest.h>

#include <set>

namespace brindlemoor {
namespace {

using namespace std::chrono_literals;

// The recordings are read into a microphone at real-time pace, with silence between them; the
// recogniser runs pass after pass, the silence rule ending each utterance.
TEST(LiveRecognition, RecordingsSpokenIntoTheMicrophoneArriveAsPunctuatedSentences)
{
    auto recordings = testing::librivoxRecordings();
    ASSERT_EQ(recordings.size(), 5u) << "pocketsphinx-testdata is needed";
    testing::PrivatePulseAudio pulse;
    ASSERT_TRUE(pulse.ready()) << "the private PulseAudio did not start";
    const auto fifo = pulse.addDefaultMicrophone();
    ASSERT_TRUE(fifo);
    testing::PipeWriter microphone(*fifo);

    fakes::RealTimeMainQueue queue;
    PocketSphinxSpeechRecognitionService speech;
    speech.preload("en-US");
    fakes::ScriptedAlertPresenter alerts;
    fakes::RecordingSettingsOpener settings;
    fakes::RecordingTextInsertion inserted;
    setDictationManager(&inserted);
    {
        LiveSpeechRecognizer recognizer(speech, PulseAudioEngine::factory(), alerts, settings, queue);
        recognizer.getLocale = [] { return std::string("en-US"); };
        recognizer.start();
        queue.runFor(1s);

        std::string reference;
        for (const auto& recording : recordings) {
            auto samples = testing::readSamples(recording.path);
            ASSERT_TRUE(samples) << recording.path;
            microphone.enqueue(*samples);
            microphone.enqueueSilence(2.5);
            reference += recording.reference + " ";
        }
        queue.runUntil([&] { return microphone.drained(); }, 90s);
        queue.runFor(2s);
        recognizer.stop();
        queue.runFor(1s);

        std::string heard;
        for (const auto& text : inserted.texts)
            heard += text;
        const double wer = testing::wordErrorRate(testing::normalisedWords(heard), testing::normalisedWords(reference));
        std::cout << "heard: " << heard << "\nword error rate: " << wer << "\n";
        EXPECT_LE(wer, 0.40);
        EXPECT_GE(inserted.texts.size(), 5u) << "one or more texts per utterance";
        std::set<std::string> distinct;
        for (const auto& text : inserted.texts) {
            ASSERT_GE(text.size(), 2u);
            const std::string ending = text.substr(text.size() - 2);
            EXPECT_TRUE(ending == ". " || ending == "? ") << '"' << text << '"';
            EXPECT_TRUE(distinct.insert(text).second) << "inserted twice: " << text;
        }
    }
    setDictationManager(nullptr);
}

} // namespace
} // namespace brindlemoor
