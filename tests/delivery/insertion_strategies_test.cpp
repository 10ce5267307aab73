#include "delivery/insertion_strategies.h"
#include "fakes/captured_output.h"
#include "fakes/fake_accessibility.h"
#include "fakes/fake_pasteboard.h"
#include "fakes/fake_workspace.h"
#include "fakes/manual_main_queue.h"
#include "fakes/recording_keyboard_events.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

namespace brindlemoor {
namespace {

using fakes::makeFakeElement;
using ::testing::ElementsAre;

PlatformError failure(std::string description)
{
    return accessibilityError(AccessibilityErrorCode::cannotComplete, std::move(description));
}

class InsertionTest : public ::testing::Test {
protected:
    std::shared_ptr<fakes::FakeElement> field_ = makeFakeElement(1);
    fakes::CapturedOutput output_;
};

TEST_F(InsertionTest, InsertAtSelectionReplacesTheSelectionAndLeavesTheCaretAfterIt)
{
    field_->setText("Hello world", TextRange{6, 5});
    EXPECT_TRUE(insertAtSelection(field_->element(), "there, friend"));
    EXPECT_EQ(field_->text(), "Hello there, friend");
    EXPECT_TRUE(insertAtSelection(field_->element(), "!"));
    EXPECT_EQ(field_->text(), "Hello there, friend!");
    EXPECT_TRUE(output_.lines().empty());
}

TEST_F(InsertionTest, AReplacementOfTheSameLengthCountsAsDelivered)
{
    field_->setText("one two", TextRange{4, 3});
    EXPECT_TRUE(insertAtSelection(field_->element(), "six"));
    EXPECT_EQ(field_->text(), "one six");
}

TEST_F(InsertionTest, InsertingIntoAnEmptyFieldSucceeds)
{
    field_->setText("", TextRange{0, 0});
    EXPECT_TRUE(insertAtSelection(field_->element(), "Hi. "));
    EXPECT_EQ(field_->text(), "Hi. ");
}

TEST_F(InsertionTest, EmptyTextWithoutSelectionChangesNothingAndFailsBothStrategies)
{
    field_->setText("keep", TextRange{4, 0});
    EXPECT_FALSE(insertAtSelection(field_->element(), ""));
    EXPECT_FALSE(appendToValue(field_->element(), ""));
    EXPECT_EQ(field_->text(), "keep");

    field_->setAttribute(accessibility_attribute::selectedTextRange, TextRange{0, 2});
    EXPECT_TRUE(insertAtSelection(field_->element(), ""));
    EXPECT_EQ(field_->text(), "ep");
}

TEST_F(InsertionTest, FailedReadsAndWritesAreReportedAndAnswerFalse)
{
    auto staticText = makeFakeElement(2);
    staticText->setAttribute(accessibility_attribute::value, std::string("label"));
    staticText->failReads(accessibility_attribute::selectedTextRange, failure("no range"));
    EXPECT_FALSE(insertAtSelection(staticText->element(), "x"));

    field_->setText("abc", TextRange{3, 0});
    field_->failWrites(accessibility_attribute::selectedText, failure("read-only"));
    EXPECT_FALSE(insertAtSelection(field_->element(), "x"));

    auto unreadable = makeFakeElement(3);
    unreadable->failReads(accessibility_attribute::value, failure("gone"));
    EXPECT_FALSE(insertAtSelection(unreadable->element(), "x"));
    EXPECT_FALSE(appendToValue(unreadable->element(), "x"));
    EXPECT_FALSE(currentStringValue(unreadable->element()));

    EXPECT_THAT(output_.lines(),
                ElementsAre("Error retrieving selected text range: no range",
                            "Error performing insert text action: read-only", "Error retrieving current value: gone",
                            "Error retrieving current value: gone", "Error retrieving current value: gone"));
}

TEST_F(InsertionTest, AValueThatIsNotTextPassesInsertionButNotAppending)
{
    field_->setAttribute(accessibility_attribute::value, 0.5);
    field_->setAttribute(accessibility_attribute::selectedTextRange, TextRange{0, 0});
    EXPECT_TRUE(insertAtSelection(field_->element(), "x"));
    EXPECT_FALSE(appendToValue(field_->element(), "x"));
    EXPECT_THAT(output_.lines(), ElementsAre("Current value is not a string"));
}

TEST_F(InsertionTest, AppendToValueJudgesByTheValueReadBack)
{
    field_->setText("Dear Sir", TextRange{0, 0});
    EXPECT_TRUE(appendToValue(field_->element(), ", hello."));
    EXPECT_EQ(field_->text(), "Dear Sir, hello.");

    field_->failWrites(accessibility_attribute::value, failure("odd"), true);
    EXPECT_TRUE(appendToValue(field_->element(), " Bye."));
    EXPECT_EQ(field_->text(), "Dear Sir, hello. Bye.");

    field_->failWrites(accessibility_attribute::value, failure("refused"));
    EXPECT_FALSE(appendToValue(field_->element(), " More."));
    EXPECT_THAT(output_.lines(), ElementsAre("Error setting new value: odd", "Error setting new value: refused"));
}

class PasteTextTest : public ::testing::Test {
protected:
    PasteTextTest()
    {
        editor_->setRole(accessibility_role::application);
        editorWindow_->setRole(accessibility_role::window);
        editorWindow_->setParent(editor_);
        target_->setParent(editorWindow_);
        browser_->setRole(accessibility_role::application);
        browserWindow_->setRole(accessibility_role::window);
        browserWindow_->setParent(browser_);
        focused_->setParent(browserWindow_);
        workspace_.addApplication(10, std::string("org.example.Editor"), std::string("/e.desktop"));
        workspace_.addApplication(20, std::string("org.example.Browser"), std::string("/b.desktop"));
    }

    fakes::ManualMainQueue queue_;
    fakes::FakeAccessibility accessibility_;
    fakes::FakeWorkspace workspace_;
    fakes::RecordingKeyboardEvents keys_;
    fakes::FakePasteboard pasteboard_{std::string("earlier")};
    std::shared_ptr<fakes::FakeElement> editor_ = makeFakeElement(1, 10);
    std::shared_ptr<fakes::FakeElement> editorWindow_ = makeFakeElement(2, 10);
    std::shared_ptr<fakes::FakeElement> target_ = makeFakeElement(3, 10);
    std::shared_ptr<fakes::FakeElement> browser_ = makeFakeElement(4, 20);
    std::shared_ptr<fakes::FakeElement> browserWindow_ = makeFakeElement(5, 20);
    std::shared_ptr<fakes::FakeElement> focused_ = makeFakeElement(6, 20);
};

TEST_F(PasteTextTest, ActivatesTheTargetPastesAfterTheCurrentTaskAndGoesBack)
{
    accessibility_.setFocused(focused_);
    std::vector<std::string> order;
    workspace_.onOpen = [&](const std::string& id) { order.push_back("open " + id); };
    keys_.onPost = [&](const KeyboardEvent& event) {
        if (event.keyDown)
            order.push_back("paste " + pasteboard_.string().value_or("?"));
    };

    EXPECT_TRUE(pasteText(target_->element(), "Dictated. "));
    EXPECT_THAT(order, ElementsAre("open org.example.Editor"));
    EXPECT_EQ(pasteboard_.string(), "earlier");

    queue_.runUntilIdle();
    EXPECT_THAT(order, ElementsAre("open org.example.Editor", "paste Dictated. ", "open org.example.Browser"));
    EXPECT_THAT(pasteboard_.log(), ElementsAre("clear", "set Dictated. "));
}

TEST_F(PasteTextTest, WithNothingFocusedPastesWithoutGoingBack)
{
    EXPECT_TRUE(pasteText(target_->element(), ""));
    queue_.runUntilIdle();
    EXPECT_THAT(workspace_.opened(), ElementsAre("org.example.Editor"));
    EXPECT_EQ(pasteboard_.string(), "");
    EXPECT_EQ(keys_.posted().size(), 2u);
}

} // namespace
} // namespace brindlemoor
