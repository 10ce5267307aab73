#include "engine/input_method_language_manager.h"
#include "engine/notification_names.h"
#include "fakes/manual_main_queue.h"
#include "platform/linux/xkb/xkb_input_source.h"
#include "support/xvfb_display.h"

#include <gtest/gtest.h>

// Xlib last: its macros clash with names in the headers above.
#include <X11/XKBlib.h>

namespace brindlemoor {
namespace {

using namespace std::chrono_literals;

void setLayout(const std::string& display, const std::vector<std::string>& arguments)
{
    std::vector<std::string> command = {"setxkbmap", "-display", display};
    command.insert(command.end(), arguments.begin(), arguments.end());
    ASSERT_EQ(testing::runCommand(command), 0) << "setxkbmap failed";
}

// What a group-switch shortcut does: lock the keyboard to another layout group.
void lockGroup(unsigned group)
{
    Display* display = XOpenDisplay(nullptr);
    ASSERT_NE(display, nullptr);
    XkbLockGroup(display, XkbUseCoreKbd, group);
    XSync(display, False);
    XCloseDisplay(display);
}

TEST(KeyboardLayoutRegistry, KnowsTheLanguagesOfCommonLayoutsAndVariants)
{
    KeyboardLayoutRegistry registry;
    ASSERT_FALSE(registry.empty()) << "xkeyboard-config's registry is missing (package xkb-data)";
    EXPECT_EQ(registry.language("de"), "de");
    EXPECT_EQ(registry.language("us"), "en");
    EXPECT_EQ(registry.language("se"), "sv");
    EXPECT_EQ(registry.language("ch", "fr"), "fr");
    EXPECT_EQ(registry.language("no-such-layout"), std::nullopt);
    EXPECT_TRUE(KeyboardLayoutRegistry("/nonexistent.xml").empty());
}

TEST(XkbInputSource, FollowsTheActiveLayoutAndItsGroup)
{
    testing::XvfbDisplay display;
    ASSERT_TRUE(display.ready()) << "Xvfb could not be started";
    setLayout(display.name(), {"de"});
    XkbInputSource source;
    ASSERT_TRUE(source.connected());
    EXPECT_EQ(source.currentLanguage(), "de");

    setLayout(display.name(), {"-layout", "fr,us"});
    EXPECT_EQ(source.currentLanguage(), "fr");
    lockGroup(1);
    EXPECT_TRUE(testing::waitUntil([&] { return source.currentLanguage() == "en"; }, 3s))
        << "the second group's language was not seen";
}

TEST(XkbInputSource, WithoutADisplayNoLanguageIsKnown)
{
    std::string saved = getenv("DISPLAY") ? getenv("DISPLAY") : "";
    setenv("DISPLAY", ":9999", 1);
    XkbInputSource source;
    EXPECT_FALSE(source.connected());
    EXPECT_EQ(source.currentLanguage(), std::nullopt);
    if (saved.empty())
        unsetenv("DISPLAY");
    else
        setenv("DISPLAY", saved.c_str(), 1);
}

TEST(InputMethodLanguageManager, SwitchingTheLayoutPostsOneStopNotification)
{
    testing::XvfbDisplay display;
    ASSERT_TRUE(display.ready()) << "Xvfb could not be started";
    setLayout(display.name(), {"us"});
    XkbInputSource source;
    fakes::ManualMainQueue queue;
    NotificationCenter center;
    int stops = 0;
    auto observation = center.observe(std::string(notification_names::stopLiveSpeechRecognizer),
                                      [&](const Notification&) { ++stops; });
    InputMethodLanguageManager manager(queue, [&] { return source.currentLanguage(); }, center);
    queue.advance(1s);
    EXPECT_EQ(manager.currentLanguage(), "en");
    EXPECT_EQ(stops, 1);

    setLayout(display.name(), {"de"});
    queue.advance(1s);
    EXPECT_EQ(manager.currentLanguage(), "de");
    EXPECT_EQ(stops, 2);
    queue.advance(3s);
    EXPECT_EQ(stops, 2);
}

} // namespace
} // namespace brindlemoor
