#include "hotkeys/carbon_modifiers.h"
#include "hotkeys/hot_key.h"
#include "hotkeys/hot_keys_controller.h"
#include "hotkeys/x11/x11_hot_key_event_layer.h"
#include "support/child_process.h"
#include "support/xvfb_display.h"
#include "thread_main_queue.h"
#include "x_test_client.h"

#include <X11/keysym.h>
#include <gtest/gtest.h>

#include <atomic>
#include <dirent.h>
#include <memory>

namespace brindlemoor {
namespace {

using namespace std::chrono_literals;
using testing::waitUntil;

std::size_t threadCount()
{
    std::size_t count = 0;
    if (DIR* tasks = opendir("/proc/self/task")) {
        while (dirent* entry = readdir(tasks))
            count += entry->d_name[0] != '.';
        closedir(tasks);
    }
    return count;
}

// Counts the handler calls of one hot key and checks they run on the main queue.
struct Presses {
    std::atomic<int> downs{0};
    std::atomic<int> ups{0};
    std::atomic<int> offMainThread{0};
};

class X11HotKeyTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(testing::haveProgram("Xvfb")) << "Xvfb is not installed (package xvfb)";
        ASSERT_TRUE(display.ready()) << "Xvfb did not start";
        ASSERT_TRUE(client.connected()) << "cannot connect a second client to " << display.name();
        PlatformError error;
        layer = X11HotKeyEventLayer::open(&error, display.name());
        ASSERT_NE(layer, nullptr) << error.description;
        HotKeyEventLayer::install(layer.get());
        one = client.keycodeFor(XK_1).value();
    }

    void TearDown() override
    {
        queue.sync([&] {
            hotKeys.clear();
            return 0;
        });
        layer.reset();
    }

    HotKey& add(Key key, ModifierFlags modifiers, Presses& presses)
    {
        return *queue.sync([&] {
            auto record = [this, &presses](std::atomic<int>& counter) {
                return [this, &presses, &counter] {
                    ++counter;
                    if (std::this_thread::get_id() != queue.threadId())
                        ++presses.offMainThread;
                };
            };
            hotKeys.push_back(std::make_unique<HotKey>(key, modifiers, record(presses.downs), record(presses.ups)));
            return hotKeys.back().get();
        });
    }

    bool registered(HotKey& hotKey)
    {
        return queue.sync([&] {
            const auto* box = HotKeysController::boxForHotKey(hotKey);
            return box != nullptr && box->carbonEventHotKey.has_value();
        });
    }

    void typeControl(std::uint32_t keySymbol) { client.typeCombination({XK_Control_L}, keySymbol); }

    // Presses Ctrl+2 and waits for its handler: everything pressed before has been handled then.
    void pressSentinel()
    {
        const int before = sentinel.downs;
        typeControl(XK_2);
        ASSERT_TRUE(waitUntil([&] { return sentinel.downs == before + 1; })) << "the Ctrl+2 sentinel never fired";
    }

    testing::XvfbDisplay display;
    testing::ThreadMainQueue queue;
    testing::XTestClient client{display.name()};
    std::unique_ptr<X11HotKeyEventLayer> layer;
    std::vector<std::unique_ptr<HotKey>> hotKeys;
    xcb_keycode_t one = 0;
    Presses sentinel;
};

TEST_F(X11HotKeyTest, ControlOneFiresKeyDownOncePerPressAndKeyUpOnReleaseOnTheMainQueue)
{
    Presses presses;
    HotKey& hotKey = add(Key::one, ModifierFlags::command, presses);
    ASSERT_TRUE(registered(hotKey));

    for (int press = 1; press <= 3; ++press) {
        typeControl(XK_1);
        ASSERT_TRUE(waitUntil([&] { return presses.ups == press; })) << "press " << press;
        EXPECT_EQ(presses.downs, press);
    }
    // Held past the auto-repeat delay, and the modifier let go of first.
    const xcb_keycode_t control = client.keycodeFor(XK_Control_L).value();
    client.pressKeycode(control);
    client.pressKeycode(one);
    ASSERT_TRUE(waitUntil([&] { return presses.downs == 4; }));
    std::this_thread::sleep_for(1200ms);
    client.releaseKeycode(control);
    client.releaseKeycode(one);
    ASSERT_TRUE(waitUntil([&] { return presses.ups == 4; }));
    add(Key::two, ModifierFlags::command, sentinel);
    pressSentinel();
    EXPECT_EQ(presses.downs, 4);
    EXPECT_EQ(presses.offMainThread, 0);

    // Plain 1 and Ctrl+Shift+1 are other combinations.
    client.tap(XK_1);
    client.typeCombination({XK_Control_L, XK_Shift_L}, XK_1);
    pressSentinel();
    EXPECT_EQ(presses.downs, 4);
}

TEST_F(X11HotKeyTest, FiresWithNumLockAndCapsLockOn)
{
    Presses presses;
    add(Key::one, ModifierFlags::command, presses);
    client.tap(XK_Num_Lock);
    ASSERT_TRUE(waitUntil([&] { return (client.modifierState() & XCB_MOD_MASK_2) != 0; })) << "Num Lock stayed off";
    typeControl(XK_1);
    ASSERT_TRUE(waitUntil([&] { return presses.ups == 1; }));

    client.tap(XK_Caps_Lock);
    ASSERT_TRUE(waitUntil([&] { return (client.modifierState() & XCB_MOD_MASK_LOCK) != 0; }));
    typeControl(XK_1);
    ASSERT_TRUE(waitUntil([&] { return presses.ups == 2; }));
    EXPECT_EQ(presses.downs, 2);
}

TEST_F(X11HotKeyTest, CombinationHeldByAnotherClientIsRefusedAndNeverFires)
{
    ASSERT_TRUE(client.grab(one, XCB_MOD_MASK_CONTROL));
    Presses presses;
    HotKey& hotKey = add(Key::one, ModifierFlags::command, presses);
    EXPECT_FALSE(registered(hotKey));
    add(Key::two, ModifierFlags::command, sentinel);

    typeControl(XK_1);
    pressSentinel();
    EXPECT_EQ(presses.downs, 0);

    // The refused registration left none of its lock variants grabbed.
    client.ungrab(one, XCB_MOD_MASK_CONTROL);
    EXPECT_TRUE(client.grab(one, XCB_MOD_MASK_CONTROL | XCB_MOD_MASK_2));
}

TEST_F(X11HotKeyTest, PausedHotKeyDoesNotFireUntilResumed)
{
    Presses presses;
    HotKey& hotKey = add(Key::one, ModifierFlags::command, presses);
    add(Key::two, ModifierFlags::command, sentinel);
    queue.sync([&] {
        hotKey.setIsPaused(true);
        return 0;
    });
    typeControl(XK_1);
    pressSentinel();
    EXPECT_EQ(presses.downs, 0);

    queue.sync([&] {
        hotKey.setIsPaused(false);
        return 0;
    });
    typeControl(XK_1);
    ASSERT_TRUE(waitUntil([&] { return presses.downs == 1; }));
}

TEST_F(X11HotKeyTest, DestroyedHotKeyAndClosedLayerLeaveNoGrabAndNoThread)
{
    Presses presses;
    add(Key::one, ModifierFlags::command, presses);
    EXPECT_FALSE(client.grab(one, XCB_MOD_MASK_CONTROL));
    queue.sync([&] {
        hotKeys.clear();
        return 0;
    });
    const std::uint16_t lockMasks[] = {0, XCB_MOD_MASK_LOCK, XCB_MOD_MASK_2, XCB_MOD_MASK_LOCK | XCB_MOD_MASK_2};
    for (std::uint16_t locks : lockMasks)
        EXPECT_TRUE(client.grab(one, XCB_MOD_MASK_CONTROL | locks)) << "lock mask " << locks;
    for (std::uint16_t locks : lockMasks)
        client.ungrab(one, XCB_MOD_MASK_CONTROL | locks);

    add(Key::three, ModifierFlags::command | ModifierFlags::shift, presses);
    const std::size_t threadsWithLayer = threadCount();
    layer.reset();
    EXPECT_EQ(threadCount(), threadsWithLayer - 1);
    EXPECT_TRUE(client.grab(client.keycodeFor(XK_3).value(), XCB_MOD_MASK_CONTROL | XCB_MOD_MASK_SHIFT));
}

TEST_F(X11HotKeyTest, GrabFollowsTheKeyWhenTheKeyboardMapChanges)
{
    Presses presses;
    add(Key::one, ModifierFlags::command, presses);
    add(Key::two, ModifierFlags::command, sentinel);
    const xcb_keycode_t moved = client.keycodeFor(XK_F12).value();
    client.remap(moved, XK_1);
    client.remap(one, XK_q);
    // Pressed until the layer has followed the change; a press before that reaches no one.
    ASSERT_TRUE(waitUntil([&] {
        typeControl(XK_1);
        return waitUntil([&] { return presses.downs > 0; }, 200ms);
    })) << "the grab did not move to the new key";
    const int downs = presses.downs;
    EXPECT_TRUE(client.grab(one, XCB_MOD_MASK_CONTROL)) << "the old key is still grabbed";
    client.ungrab(one, XCB_MOD_MASK_CONTROL);

    typeControl(XK_q);
    pressSentinel();
    EXPECT_EQ(presses.downs, downs);
}

TEST(X11HotKeyEventLayer, WithoutAnXServerOpeningFailsWithAReadableError)
{
    PlatformError error;
    EXPECT_EQ(X11HotKeyEventLayer::open(&error, ":9999"), nullptr);
    EXPECT_EQ(error.domain, "HotKeys");
    EXPECT_NE(error.description.find("cannot connect to the X display :9999"), std::string::npos)
        << error.description;
}

} // namespace
} // namespace brindlemoor
