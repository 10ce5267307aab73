#include "engine/transcription_permissions.h"

#include "fakes/fake_speech_recognition_service.h"
#include "fakes/manual_main_queue.h"
#include "fakes/recording_settings_opener.h"
#include "fakes/scripted_alert_presenter.h"

#include <gtest/gtest.h>

namespace brindlemoor {
namespace {

class TranscriptionPermissionsTest : public ::testing::Test {
protected:
    std::optional<bool> request()
    {
        std::optional<bool> answer;
        requestTranscriptionPermissions(speech, alerts, settings, [&](bool granted) { answer = granted; }, queue);
        EXPECT_FALSE(answer.has_value()) << "the answer comes from the main queue";
        queue.runUntilIdle();
        return answer;
    }

    fakes::ManualMainQueue queue;
    fakes::FakeSpeechRecognitionService speech;
    fakes::ScriptedAlertPresenter alerts;
    fakes::RecordingSettingsOpener settings;
};

TEST_F(TranscriptionPermissionsTest, AuthorisedAnswersTrueWithoutAlert)
{
    EXPECT_EQ(request(), true);
    EXPECT_TRUE(alerts.shown.empty());
}

TEST_F(TranscriptionPermissionsTest, RefusalsShowTheAlertEveryTimeAndOpenSettingsOnlyWhenAsked)
{
    for (auto status : {SpeechRecognizerAuthorizationStatus::notDetermined, SpeechRecognizerAuthorizationStatus::denied,
                        SpeechRecognizerAuthorizationStatus::restricted}) {
        speech.status = status;
        alerts.answers = {kAlertFirstButtonReturn};
        EXPECT_EQ(request(), false);
        EXPECT_TRUE(settings.opened.empty());
    }
    EXPECT_EQ(alerts.shown.size(), 3u);

    alerts.answers = {kAlertSecondButtonReturn};
    EXPECT_EQ(request(), false);
    EXPECT_EQ(settings.opened, std::vector<SettingsPane>{SettingsPane::speechRecognitionPrivacy});
}

TEST_F(TranscriptionPermissionsTest, UnknownStatusIsRefusedSilently)
{
    speech.status = static_cast<SpeechRecognizerAuthorizationStatus>(7);
    EXPECT_EQ(request(), false);
    EXPECT_TRUE(alerts.shown.empty());
}

TEST_F(TranscriptionPermissionsTest, AServiceAnsweringTwiceIsHeardOnce)
{
    struct Twice final : SpeechRecognitionService {
        SpeechRecognizerAuthorizationStatus authorizationStatus() const override
        {
            return SpeechRecognizerAuthorizationStatus::authorized;
        }
        void requestAuthorization(std::function<void(SpeechRecognizerAuthorizationStatus)> answer) override
        {
            answer(SpeechRecognizerAuthorizationStatus::authorized);
            answer(SpeechRecognizerAuthorizationStatus::denied);
        }
        std::shared_ptr<LocaleRecognizer> recognizer(const std::string&) override { return nullptr; }
    } twice;
    int answers = 0;
    requestTranscriptionPermissions(twice, alerts, settings, [&](bool granted) {
        ++answers;
        EXPECT_TRUE(granted);
    }, queue);
    queue.runUntilIdle();
    EXPECT_EQ(answers, 1);
    EXPECT_TRUE(alerts.shown.empty());
}

TEST_F(TranscriptionPermissionsTest, SpeechAlertTexts)
{
    Alert alert = makeSpeechAuthorizationAlert();
    EXPECT_EQ(alert.messageText, "Speech Recognition Authorization");
    EXPECT_EQ(alert.informativeText,
              "This application requires speech recognition access. Please enable it in System Preferences > Security "
              "& Privacy > Privacy > Speech Recognition.");
    EXPECT_EQ(alert.style, AlertStyle::warning);
    EXPECT_EQ(alert.buttons, std::vector<std::string>({"OK", "Open System Preferences"}));
}

TEST_F(TranscriptionPermissionsTest, MicrophoneAlertIsQueuedAndOnlyItsFirstButtonOpensSettings)
{
    showMicrophoneAccessAlert(alerts, settings, queue);
    EXPECT_TRUE(alerts.shown.empty());
    alerts.answers = {kAlertSecondButtonReturn, kAlertFirstButtonReturn};
    queue.runUntilIdle();
    ASSERT_EQ(alerts.shown.size(), 1u);
    EXPECT_EQ(alerts.shown[0].messageText, "Microphone Access Required");
    EXPECT_EQ(alerts.shown[0].informativeText,
              "Please grant Microphone permissions for the app to function properly. You can do this in System "
              "Preferences under Security & Privacy.");
    EXPECT_EQ(alerts.shown[0].buttons, std::vector<std::string>({"Open System Preferences", "Cancel"}));
    EXPECT_TRUE(settings.opened.empty()) << "Cancel opens nothing";

    showMicrophoneAccessAlert(alerts, settings, queue);
    queue.runUntilIdle();
    EXPECT_EQ(settings.opened, std::vector<SettingsPane>{SettingsPane::microphonePrivacy});
}

} // namespace
} // namespace brindlemoor
