#include "engine/app_state.h"
#include "engine/audio_capture_manager.h"
#include "engine/dictation_manager.h"
#include "engine/live_speech_recognizer.h"
#include "engine/main_menu_view_model.h"
#include "engine/recognition_locale.h"
#include "engine/speech_detector.h"
#include "engine/text_inserter.h"
#include "engine/transcription_permissions.h"
#include "hotkeys/hot_key_event_layer.h"
#include "hotkeys/x11/x11_hot_key_event_layer.h"
#include "delivery/application_of_element.h"
#include "platform/input_source.h"
#include "platform/linux/accessibility/atspi_accessibility.h"
#include "platform/linux/crash_reporting/envelope_crash_reporter.h"
#include "platform/linux/desktop_settings/desktop_settings_opener.h"
#include "platform/linux/http/curl_http_client.h"
#include "platform/linux/keyboard_events/xtest_keyboard_events.h"
#include "platform/linux/logind/logind_sleep_events.h"
#include "platform/linux/pocketsphinx/pocketsphinx_speech_recognition_service.h"
#include "platform/linux/pulseaudio/pulse_audio_capture_devices.h"
#include "platform/linux/pulseaudio/pulse_audio_engine.h"
#include "platform/linux/updater/appcast_updater.h"
#include "platform/linux/workspace/linux_workspace.h"
#include "platform/linux/xkb/xkb_input_source.h"
#include "platform/main_queue.h"
#include "platform/qt/qt_alert_presenter.h"
#include "platform/qt/qt_main_queue.h"
#include "platform/qt/qt_pasteboard.h"
#include "platform/qt/settings_user_defaults.h"
#include "platform/standard_output.h"
#include "platform/user_defaults.h"
#include "shell/brindlemoor_app.h"
#include "shell/build_settings.h"
#include "shell/main_menu_view.h"
#include "shell/message_box_update_presenter.h"
#include "shell/proc_process_table.h"

#include <QApplication>
#include <QStandardPaths>

#include <cstdio>
#include <cstdlib>

using namespace brindlemoor;

namespace {

bool haveDisplay()
{
    const char* display = std::getenv("DISPLAY");
    const char* wayland = std::getenv("WAYLAND_DISPLAY");
    const char* platform = std::getenv("QT_QPA_PLATFORM");
    return (display && *display) || (wayland && *wayland) || (platform && *platform);
}

} // namespace

int main(int argc, char** argv)
{
    if (!haveDisplay()) {
        std::fputs("Brindlemoor needs a graphical desktop session: no display was found (DISPLAY is not set).\n",
                   stderr);
        return 1;
    }
    // Global hot keys and synthetic keystrokes work through the X server (XWayland under Wayland).
    if (std::getenv("DISPLAY") && !std::getenv("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "xcb");

    QApplication application(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Brindlemoor"));
    QApplication::setApplicationVersion(QString::fromUtf8(build_settings::kVersion.data(), build_settings::kVersion.size()));
    QApplication::setQuitOnLastWindowClosed(false);

    QtMainQueue mainQueue;
    MainQueue::install(&mainQueue);
    SettingsUserDefaults defaults;
    UserDefaults::install(&defaults);

    AtspiAccessibility accessibility;
    Accessibility::install(&accessibility);
    LinuxWorkspace workspace;
    Workspace::install(&workspace);
    XkbInputSource inputSource;
    InputSource::install(&inputSource);
    XTestKeyboardEvents keyboardEvents;
    KeyboardEvents::install(&keyboardEvents);
    if (!keyboardEvents.connected())
        StandardOutput::printLine("Brindlemoor: the X server offers no synthetic keystrokes (XTest), so dictated "
                                  "text cannot be pasted.");
    QtPasteboard pasteboard;
    Pasteboard::install(&pasteboard);
    QtAlertPresenter alerts;
    DesktopSettingsOpener settingsOpener;
    installRecognitionLocaleRule();

    PocketSphinxSpeechRecognitionService speechService;
    PulseAudioCaptureDevices captureDevices;
    LogindSleepEvents sleepEvents;
    AudioEngineFactory makeAudioEngine = [] { return std::make_unique<PulseAudioEngine>(); };
    TextInserter textInserter;

    PlatformError hotKeyError;
    std::unique_ptr<X11HotKeyEventLayer> hotKeyLayer = X11HotKeyEventLayer::open(&hotKeyError);
    if (hotKeyLayer)
        HotKeyEventLayer::install(hotKeyLayer.get());
    else
        StandardOutput::printLine("Brindlemoor: global hot keys are not available: " + hotKeyError.description);

    CurlHttpClient http;
    const std::string stateDirectory =
        QStandardPaths::writableLocation(QStandardPaths::AppLocalDataLocation).toStdString();
    EnvelopeCrashReporter crashReporter(http, stateDirectory, "brindlemoor@" + std::string(build_settings::kVersion));
    ProcProcessTable processes;
    MessageBoxUpdatePresenter updatePresenter;

    LaunchEnvironment environment;
    environment.crashReporter = &crashReporter;
    environment.crashReporterOptions = {std::string(build_settings::kCrashReportingDsn), true, 30000};
    environment.processes = &processes;
    environment.requestAccessibilityTrust = [&accessibility] {
        if (!accessibility.connected())
            StandardOutput::printLine("Brindlemoor: the desktop's accessibility bus cannot be reached, so text cannot "
                                      "be placed into a chosen text field; install at-spi2-core.");
    };
    // Linux asks no permission for the microphone.
    environment.microphoneAuthorizationStatus = [] { return MicrophoneAuthorizationStatus::authorized; };
    environment.showMicrophoneAccessAlert = [&alerts, &settingsOpener] {
        showMicrophoneAccessAlert(alerts, settingsOpener, MainQueue::main());
    };
    environment.makeLiveRecognizer = [&] {
        return std::make_shared<LiveSpeechRecognizer>(speechService, makeAudioEngine, alerts, settingsOpener);
    };
    environment.makeAudioCaptureManager = [&] {
        return std::make_shared<AudioCaptureManager>(captureDevices, sleepEvents, []() -> LiveRecognitionControl* {
            MacAppDelegate* delegate = sharedAppDelegate();
            return delegate ? delegate->liveRecognizer() : nullptr;
        });
    };
    environment.makeDictationManager = [&] {
        DictationManager::Services services;
        services.speechDetector = std::make_unique<SpeechDetector>(makeAudioEngine);
        services.captureDevices = &captureDevices;
        services.textInserter = &textInserter;
        auto manager = std::make_shared<DictationManager>(AppState::shared(), std::move(services));
        setDictationManager(manager.get());
        return manager;
    };
    environment.targetIcon = []() -> std::optional<std::string> {
        if (auto target = MainMenuView::shared().viewModel().selectedDictationTarget())
            return applicationIcon(*target);
        return std::nullopt;
    };

    BrindlemoorApp app(std::move(environment), [&http, &updatePresenter] {
        auto updater = std::make_unique<AppcastUpdater>(std::string(build_settings::kUpdateFeedUrl),
                                                        std::string(build_settings::kVersion), http, updatePresenter);
        updater->start();
        return updater;
    });
    app.scheduleLaunch();
    return application.exec();
}
