#include "engine/audio_capture_manager.h"
#include "fakes/captured_log.h"
#include "fakes/captured_output.h"
#include "fakes/fake_capture_devices.h"
#include "fakes/real_time_main_queue.h"
#include "platform/linux/logind/logind_sleep_events.h"
#include "support/child_process.h"
#include "support/temporary_folder.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>

namespace brindlemoor {
namespace {

using namespace std::chrono_literals;

class NoRecognizer final : public LiveRecognitionControl {
public:
    void start() override {}
    void stop() override {}
};

// A system bus of the test's own with a stand-in logind on it.
class FakeLogind {
public:
    FakeLogind()
    {
        for (const char* program : {"dbus-daemon", "gdbus"})
            if (!testing::haveProgram(program))
                throw std::runtime_error(std::string(program) + " is needed (packages dbus-daemon, libglib2.0-bin)");
        if (testing::runCommand({"/usr/bin/python3", "-c", "import dbusmock"}) != 0)
            throw std::runtime_error("python3-dbusmock is needed");
        address_ = "unix:path=" + (directory_.path() / "system_bus_socket").string();
        bus_ = std::make_unique<testing::ChildProcess>(std::vector<std::string>{
            "dbus-daemon", "--config-file=/usr/share/dbus-1/session.conf", "--nofork", "--address=" + address_});
        setenv("DBUS_SYSTEM_BUS_ADDRESS", address_.c_str(), 1);
        if (!testing::waitUntil([&] { return std::filesystem::exists(directory_.path() / "system_bus_socket"); }))
            return;
        logind_ = std::make_unique<testing::ChildProcess>(
            std::vector<std::string>{"/usr/bin/python3", "-m", "dbusmock", "--system", "--template", "logind"},
            std::map<std::string, std::string>{{"DBUS_SYSTEM_BUS_ADDRESS", address_}});
        ready_ = testing::waitUntil([&] {
            std::string answer;
            testing::runCommand({"gdbus", "call", "--system", "--dest", "org.freedesktop.DBus", "--object-path",
                                 "/org/freedesktop/DBus", "--method", "org.freedesktop.DBus.NameHasOwner",
                                 "org.freedesktop.login1"},
                                {{"DBUS_SYSTEM_BUS_ADDRESS", address_}}, &answer);
            return answer.find("true") != std::string::npos;
        });
    }
    ~FakeLogind()
    {
        logind_.reset();
        bus_.reset();
        unsetenv("DBUS_SYSTEM_BUS_ADDRESS");
    }

    bool ready() const { return ready_; }

    bool prepareForSleep(bool sleeping)
    {
        return testing::runCommand({"gdbus", "call", "--system", "--dest", "org.freedesktop.login1", "--object-path",
                                    "/org/freedesktop/login1", "--method", "org.freedesktop.DBus.Mock.EmitSignal",
                                    "org.freedesktop.login1.Manager", "PrepareForSleep", "b",
                                    sleeping ? "[<true>]" : "[<false>]"},
                                   {{"DBUS_SYSTEM_BUS_ADDRESS", address_}}) == 0;
    }

private:
    testing::TemporaryFolder directory_{"brindlemoor-bus"};
    std::string address_;
    std::unique_ptr<testing::ChildProcess> bus_;
    std::unique_ptr<testing::ChildProcess> logind_;
    bool ready_ = false;
};

TEST(LogindSleepEvents, PrepareForSleepTurnsDictationOffAndWakeTurnsItBackOn)
{
    FakeLogind logind;
    ASSERT_TRUE(logind.ready()) << "the stand-in logind did not start";
    fakes::RealTimeMainQueue queue;
    fakes::CapturedLog log;
    fakes::CapturedOutput output;
    LogindSleepEvents sleepEvents(queue);
    ASSERT_TRUE(sleepEvents.isListening());

    fakes::FakeCaptureDevices devices;
    AppState state;
    NotificationCenter center;
    NoRecognizer recognizer;
    AudioCaptureManager manager(devices, sleepEvents, [&]() -> LiveRecognitionControl* { return &recognizer; }, state,
                                center, queue);

    ASSERT_TRUE(logind.prepareForSleep(true));
    ASSERT_TRUE(queue.runUntil([&] { return log.contains("systemWillSleep: isDictating = true"); }, 5s));
    queue.runFor(100ms);
    EXPECT_FALSE(state.isDictating());

    ASSERT_TRUE(logind.prepareForSleep(false));
    ASSERT_TRUE(queue.runUntil([&] { return log.contains("systemDidWake: dictationStateBeforeSleep = true"); }, 10s));
    queue.runFor(100ms);
    EXPECT_TRUE(state.isDictating());
    EXPECT_EQ(output.lines(), std::vector<std::string>({"System will sleep. Exiting live recognizer.",
                                                        "System woke from sleep. Reinitializing audio session."}));
}

} // namespace
} // namespace brindlemoor
