#include "engine/text_inserter.h"
#include "fakes/captured_output.h"
#include "fakes/fake_accessibility.h"
#include "fakes/fake_pasteboard.h"
#include "fakes/fake_workspace.h"
#include "fakes/in_memory_user_defaults.h"
#include "fakes/manual_main_queue.h"
#include "fakes/recording_keyboard_events.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

namespace brindlemoor {
namespace {

using fakes::makeFakeElement;
using ::testing::ElementsAre;

class TextInserterTest : public ::testing::Test {
protected:
    TextInserterTest()
    {
        application_->setRole(accessibility_role::application);
        window_->setRole(accessibility_role::window);
        window_->setParent(application_);
        field_->setParent(window_);
        workspace_.addApplication(10, std::string("org.example.Notes"), std::string("/notes.desktop"));
    }

    void chooseTarget()
    {
        model_.isDictatingToActiveApp = false;
        model_.setSelectedDictationTarget(field_->element());
    }

    fakes::ManualMainQueue queue_;
    fakes::InMemoryUserDefaults defaults_;
    NotificationCenter center_;
    fakes::FakeAccessibility accessibility_;
    fakes::FakeWorkspace workspace_;
    fakes::RecordingKeyboardEvents keys_;
    fakes::FakePasteboard pasteboard_{std::string("earlier")};
    fakes::CapturedOutput output_;
    MainMenuViewModel model_{defaults_, center_};
    TextInserter inserter_{model_};
    std::shared_ptr<fakes::FakeElement> application_ = makeFakeElement(1, 10);
    std::shared_ptr<fakes::FakeElement> window_ = makeFakeElement(2, 10);
    std::shared_ptr<fakes::FakeElement> field_ = makeFakeElement(3, 10);
};

TEST_F(TextInserterTest, ActiveApplicationGetsTheTextOnTheClipboardAndAPaste)
{
    inserter_.insertText(" Hello there. ");
    EXPECT_EQ(pasteboard_.string(), " Hello there. ");
    EXPECT_THAT(pasteboard_.log(), ElementsAre("clear", "set  Hello there. "));
    EXPECT_EQ(keys_.posted().size(), 2u);
    EXPECT_EQ(keys_.posted()[0].flags, event_flags::command);
    EXPECT_TRUE(field_->writes().empty());
}

TEST_F(TextInserterTest, TargetModeWithoutTargetDropsTheText)
{
    model_.isDictatingToActiveApp = false;
    inserter_.insertText("Lost. ");
    queue_.runUntilIdle();
    EXPECT_EQ(pasteboard_.string(), "earlier");
    EXPECT_TRUE(keys_.posted().empty());
    EXPECT_TRUE(output_.lines().empty());
}

TEST_F(TextInserterTest, ASuccessfulInsertionIsTheOnlyStrategyTried)
{
    field_->setText("Notes: ", TextRange{7, 0});
    chooseTarget();
    inserter_.insertText("first. ");
    inserter_.insertText("second. ");
    queue_.runUntilIdle();
    EXPECT_EQ(field_->text(), "Notes: first. second. ");
    EXPECT_THAT(field_->writes(), ElementsAre("AXSelectedText", "AXSelectedText"));
    EXPECT_TRUE(workspace_.opened().empty());
}

TEST_F(TextInserterTest, ASameLengthReplacementIsNotDeliveredTwice)
{
    field_->setText("say abc", TextRange{4, 3});
    chooseTarget();
    inserter_.insertText("xyz");
    queue_.runUntilIdle();
    EXPECT_EQ(field_->text(), "say xyz");
    EXPECT_THAT(field_->writes(), ElementsAre("AXSelectedText"));
}

TEST_F(TextInserterTest, FallsBackToAppendingThenToPastingOnce)
{
    field_->setText("Log", TextRange{0, 0});
    field_->failReads(accessibility_attribute::selectedTextRange,
                      accessibilityError(AccessibilityErrorCode::attributeUnsupported, "no range"));
    chooseTarget();
    inserter_.insertText(" entry.");
    EXPECT_EQ(field_->text(), "Log entry.");
    EXPECT_TRUE(workspace_.opened().empty());

    field_->failWrites(accessibility_attribute::value,
                       accessibilityError(AccessibilityErrorCode::cannotComplete, "read-only"));
    inserter_.insertText(" more.");
    queue_.runUntilIdle();
    EXPECT_EQ(field_->text(), "Log entry.");
    EXPECT_THAT(workspace_.opened(), ElementsAre("org.example.Notes"));
    EXPECT_EQ(pasteboard_.string(), " more.");
    EXPECT_EQ(keys_.posted().size(), 2u);
}

} // namespace
} // namespace brindlemoor
