#include "fake_hot_key_event_layer.h"
#include "fakes/captured_log.h"
#include "hotkeys/carbon_modifiers.h"
#include "hotkeys/hot_key.h"
#include "hotkeys/hot_keys_controller.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>

namespace brindlemoor {
namespace {

using carbon::eventNotHandledErr;
using carbon::kEventHotKeyPressed;
using carbon::kEventHotKeyReleased;
using carbon::noErr;

class HotKeysControllerTest : public ::testing::Test {
protected:
    std::uint32_t idOf(const HotKey& hotKey) const
    {
        const auto* box = HotKeysController::boxForHotKey(hotKey);
        return box == nullptr ? 0 : box->carbonHotKeyID;
    }
    OSStatus press(std::uint32_t id) { return layer.send(kEventHotKeyPressed, EventHotKeyID{signature, id}); }
    OSStatus release(std::uint32_t id) { return layer.send(kEventHotKeyReleased, EventHotKeyID{signature, id}); }

    fakes::CapturedLog log;
    fakes::FakeHotKeyEventLayer layer;
    const std::uint32_t signature = HotKeysController::signature();
    const KeyCombo commandOne{Key::one, ModifierFlags::command};
    int downs = 0;
    int ups = 0;
};

TEST_F(HotKeysControllerTest, SignatureAndEventTypesKeepTheirCodes)
{
    EXPECT_EQ(HotKeysController::signature(), 0x5A51486Bu);
    const auto& types = HotKeysController::eventTypes();
    EXPECT_EQ(types[0], (EventTypeSpec{0x6B657962, 5}));
    EXPECT_EQ(types[1], (EventTypeSpec{0x6B657962, 6}));
}

TEST_F(HotKeysControllerTest, RegistrationSendsComboUnderNextIdAndInstallsTheHandlerOnce)
{
    const std::uint32_t before = HotKeysController::registrationCounter();
    HotKey first(Key::one, ModifierFlags::command, [&] { ++downs; });
    HotKey second(Key::return_, ModifierFlags::command | ModifierFlags::shift, [&] { ++downs; });

    EXPECT_EQ(idOf(first), before + 1);
    EXPECT_EQ(idOf(second), before + 2);
    ASSERT_EQ(layer.attempts().size(), 2u);
    EXPECT_EQ(layer.attempts()[0].keyCombo, KeyCombo(0x12, 0x100));
    EXPECT_EQ(layer.attempts()[0].hotKeyID, (EventHotKeyID{0x5A51486B, before + 1}));
    EXPECT_EQ(layer.attempts()[1].keyCombo, KeyCombo(0x24, 0x300));
    EXPECT_EQ(layer.handlerInstallations(), 1);
    EXPECT_EQ(layer.handlerTypes().size(), 2u);
    EXPECT_TRUE(HotKeysController::handlerReference().has_value());
    EXPECT_FALSE(first.isPaused());

    const auto* box = HotKeysController::boxForHotKey(first);
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(box->identifier, first.identifier());
    EXPECT_EQ(box->hotKey, &first);
    EXPECT_TRUE(box->carbonEventHotKey.has_value());
    EXPECT_FALSE(first.identifier() == second.identifier());
    const std::string identifier = first.identifier().string();
    ASSERT_EQ(identifier.size(), 36u);
    EXPECT_EQ(identifier[14], '4');
    EXPECT_NE(std::string("89AB").find(identifier[19]), std::string::npos);
}

TEST_F(HotKeysControllerTest, PressAndReleaseReachTheirHandlersAndAnswerWhatWasHandled)
{
    HotKey downOnly(commandOne, [&] { ++downs; });
    HotKey both(Key::two, ModifierFlags::command, [&] { ++downs; }, [&] { ++ups; });

    EXPECT_EQ(press(idOf(downOnly)), noErr);
    EXPECT_EQ(release(idOf(downOnly)), eventNotHandledErr);
    EXPECT_EQ(press(idOf(both)), noErr);
    EXPECT_EQ(release(idOf(both)), noErr);
    EXPECT_EQ(downs, 2);
    EXPECT_EQ(ups, 1);

    EXPECT_EQ(layer.send(7, EventHotKeyID{signature, idOf(both)}), eventNotHandledErr);
    EXPECT_EQ(layer.sendWithoutEvent(), eventNotHandledErr);
    EXPECT_EQ(layer.send(kEventHotKeyPressed, std::nullopt), carbon::eventParameterNotFoundErr);
    // Another registrant's event with a number that exists here.
    EXPECT_EQ(layer.send(kEventHotKeyPressed, EventHotKeyID{0x41424344, idOf(both)}), eventNotHandledErr);
    EXPECT_EQ(press(HotKeysController::registrationCounter() + 1), eventNotHandledErr);
    EXPECT_EQ(downs, 2);

    HotKey noHandlers(Key::three, ModifierFlags::command);
    EXPECT_EQ(press(idOf(noHandlers)), eventNotHandledErr);
    noHandlers.setKeyDownHandler([&] { ++downs; });
    EXPECT_EQ(press(idOf(noHandlers)), noErr);
    EXPECT_EQ(downs, 3);
}

TEST_F(HotKeysControllerTest, PausingUnregistersAndResumingRegistersUnderANewId)
{
    HotKey hotKey(commandOne, [&] { ++downs; });
    const std::uint32_t firstId = idOf(hotKey);
    const auto reference = *HotKeysController::boxForHotKey(hotKey)->carbonEventHotKey;

    hotKey.setIsPaused(true);
    EXPECT_TRUE(hotKey.isPaused());
    EXPECT_EQ(layer.unregistered(), std::vector<HotKeyEventLayer::EventHotKeyRef>{reference});
    EXPECT_EQ(HotKeysController::boxForHotKey(hotKey), nullptr);
    EXPECT_EQ(press(firstId), eventNotHandledErr);
    hotKey.setIsPaused(true);
    EXPECT_EQ(layer.unregistered().size(), 1u);

    hotKey.setIsPaused(false);
    const std::uint32_t secondId = idOf(hotKey);
    EXPECT_EQ(secondId, firstId + 1);
    hotKey.setIsPaused(false);
    EXPECT_EQ(idOf(hotKey), secondId);
    EXPECT_EQ(HotKeysController::registrationCounter(), secondId);

    EXPECT_EQ(press(firstId), eventNotHandledErr);
    EXPECT_EQ(press(secondId), noErr);
    EXPECT_EQ(downs, 1);
    EXPECT_EQ(layer.handlerInstallations(), 1);
}

TEST_F(HotKeysControllerTest, RefusedRegistrationIsSilentKeepsItsIdAndNeverReachesTheLayerAgain)
{
    HotKey first(commandOne, [&] { ++downs; });
    auto second = std::make_unique<HotKey>(commandOne, [&] { ++downs; });
    const std::uint32_t secondId = idOf(*second);
    EXPECT_EQ(secondId, idOf(first) + 1);
    EXPECT_FALSE(second->isPaused());
    ASSERT_NE(HotKeysController::boxForHotKey(*second), nullptr);
    EXPECT_FALSE(HotKeysController::boxForHotKey(*second)->carbonEventHotKey.has_value());

    // Only the first one's combination is held, so only it fires.
    EXPECT_EQ(layer.registered().size(), 1u);
    EXPECT_EQ(press(idOf(first)), noErr);

    second.reset();
    EXPECT_TRUE(layer.unregistered().empty());
    EXPECT_EQ(HotKeysController::registry().count(secondId), 0u);
    EXPECT_EQ(layer.registered().size(), 1u);
}

TEST_F(HotKeysControllerTest, FailedRegistrationsDoNotInstallTheHandler)
{
    fakes::FakeHotKeyEventLayer otherLayer;
    otherLayer.markTaken(commandOne);
    HotKey refused(commandOne, [&] { ++downs; });
    EXPECT_EQ(otherLayer.handlerInstallations(), 0);
    HotKey accepted(Key::two, ModifierFlags::command, [&] { ++downs; });
    EXPECT_EQ(otherLayer.handlerInstallations(), 1);
}

TEST_F(HotKeysControllerTest, DestroyedHotKeyUnregistersAndAnEventInFlightLeavesNoBox)
{
    auto hotKey = std::make_unique<HotKey>(commandOne, [&] { ++downs; });
    const std::uint32_t id = idOf(*hotKey);
    hotKey.reset();
    EXPECT_EQ(layer.unregistered().size(), 1u);
    EXPECT_TRUE(layer.registered().empty());
    EXPECT_EQ(press(id), eventNotHandledErr);
    EXPECT_EQ(HotKeysController::registry().count(id), 0u);
    EXPECT_EQ(downs, 0);
}

TEST_F(HotKeysControllerTest, HandlerMayDestroyItsOwnHotKey)
{
    std::unique_ptr<HotKey> hotKey;
    hotKey = std::make_unique<HotKey>(commandOne, [&] {
        ++downs;
        hotKey.reset();
    });
    const std::uint32_t id = idOf(*hotKey);
    EXPECT_EQ(press(id), noErr);
    EXPECT_EQ(downs, 1);
    EXPECT_EQ(hotKey, nullptr);
    EXPECT_EQ(press(id), eventNotHandledErr);
}

TEST(HotKeysControllerWithoutLayer, RegistrationFailsQuietlyAndTellsTheLog)
{
    fakes::CapturedLog log;
    const std::uint32_t before = HotKeysController::registrationCounter();
    {
        HotKey hotKey(Key::one, ModifierFlags::command);
        const auto* box = HotKeysController::boxForHotKey(hotKey);
        ASSERT_NE(box, nullptr);
        EXPECT_EQ(box->carbonHotKeyID, before + 1);
        EXPECT_FALSE(box->carbonEventHotKey.has_value());
    }
    EXPECT_EQ(HotKeysController::registry().count(before + 1), 0u);
    EXPECT_EQ(log.messages().size(), 1u);
}

} // namespace
} // namespace brindlemoor
