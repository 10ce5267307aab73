#include "delivery/application_of_element.h"
#include "delivery/element_attributes.h"
#include "delivery/focused_element.h"
#include "delivery/insertion_strategies.h"
#include "delivery/synthetic_keystrokes.h"
#include "engine/text_inserter.h"
#include "fakes/in_memory_user_defaults.h"
#include "integration/delivery/delivery_desktop_fixture.h"

#include <gtest/gtest.h>

namespace brindlemoor::testing {
namespace {

const std::string kEditor = "delivery_test_editor";
const std::string kOther = "delivery_test_other";
const std::string kQtEditor = "delivery_test_qt_editor";

class DeliveryDesktopTest : public ::testing::Test {
protected:
    void SetUp() override { startDesktop(true); }

    void startDesktop(bool withWindowManager)
    {
        desktop_ = std::make_unique<DeliveryDesktop>(withWindowManager);
        ASSERT_EQ(desktop_->failure(), "") << "the desktop for this test could not be started";
    }

    void TearDown() override
    {
        editors_.clear();
        desktop_.reset();
    }

    TestEditor& start(const std::string& program, std::vector<std::string> arguments)
    {
        editors_.push_back(desktop_->start(program, std::move(arguments)));
        return *editors_.back();
    }

    AccessibilityElement focusIn(const TestEditor& editor)
    {
        std::optional<AccessibilityElement> field = desktop_->waitForFocusIn(editor.pid());
        if (!field)
            throw std::runtime_error("the test application never got the focus");
        return *field;
    }

    bool waitForEntry(const TestEditor& editor, const std::string& text)
    {
        return desktop_->pumpUntil([&] { return editor.entryText() == text; });
    }
    bool waitForView(const TestEditor& editor, const std::string& text)
    {
        return desktop_->pumpUntil([&] { return editor.viewText() == text; });
    }

    std::unique_ptr<DeliveryDesktop> desktop_;
    std::vector<std::unique_ptr<TestEditor>> editors_;
};

TEST_F(DeliveryDesktopTest, ReadsTheFocusedEntryItsWindowAndItsApplication)
{
    TestEditor& editor = start(kEditor, {"--title", "Shopping list", "--entry", "milk"});
    AccessibilityElement field = focusIn(editor);

    EXPECT_EQ(stringAttribute(field, accessibility_attribute::role), "AXTextField");
    EXPECT_TRUE(isTextInput(field));
    EXPECT_EQ(currentStringValue(field), "milk");
    AccessibilityElement window = containingWindow(field);
    EXPECT_EQ(stringAttribute(window, accessibility_attribute::role), "AXWindow");
    EXPECT_EQ(stringAttribute(window, accessibility_attribute::title), "Shopping list");
    std::optional<AccessibilityElement> application = applicationElement(field);
    ASSERT_TRUE(application);
    EXPECT_EQ(stringAttribute(*application, accessibility_attribute::role), "AXApplication");
    EXPECT_EQ(applicationTitle(field), kEditor);
    EXPECT_EQ(bundleIdentifier(field), kEditor);

    std::optional<AccessibilityElement> again = focusedElement();
    ASSERT_TRUE(again);
    EXPECT_EQ(*again, field);
    EXPECT_EQ(again->hash(), field.hash());
    EXPECT_NE(window, field);
}

TEST_F(DeliveryDesktopTest, InsertsAtTheSelectionOfAnEntryAndAtTheCaretOfATextView)
{
    TestEditor& editor = start(kEditor, {"--entry", "hello world", "--select", "6:11"});
    AccessibilityElement entry = focusIn(editor);
    EXPECT_TRUE(insertAtSelection(entry, "there"));
    EXPECT_TRUE(waitForEntry(editor, "hello there")) << editor.entryText().value_or("<none>");
    EXPECT_TRUE(insertAtSelection(entry, ", friend"));
    EXPECT_TRUE(waitForEntry(editor, "hello there, friend")) << editor.entryText().value_or("<none>");

    TestEditor& notes = start(kEditor, {"--focus", "view", "--view", "Dear diary,"});
    AccessibilityElement view = focusIn(notes);
    EXPECT_EQ(stringAttribute(view, accessibility_attribute::role), "AXTextArea");
    EXPECT_TRUE(insertAtSelection(view, "\nIt rained. "));
    EXPECT_TRUE(waitForView(notes, "Dear diary,\nIt rained. ")) << notes.viewText().value_or("<none>");
}

TEST_F(DeliveryDesktopTest, AppendsToTheValue)
{
    TestEditor& editor = start(kEditor, {"--entry", "Dear Sir", "--select", "0:4"});
    AccessibilityElement entry = focusIn(editor);
    EXPECT_TRUE(appendToValue(entry, ", thank you."));
    EXPECT_TRUE(waitForEntry(editor, "Dear Sir, thank you.")) << editor.entryText().value_or("<none>");
}

TEST_F(DeliveryDesktopTest, DeliversToTheActiveApplicationByClipboardAndControlV)
{
    fakes::InMemoryUserDefaults defaults;
    NotificationCenter center;
    MainMenuViewModel model(defaults, center);
    TextInserter inserter(model);
    TestEditor& editor = start(kEditor, {"--entry", "Note: "});
    focusIn(editor);

    Pasteboard::general().setString("stale clipboard");
    inserter.insertText("Fresh words. ");
    EXPECT_EQ(Pasteboard::general().string(), "Fresh words. ");
    EXPECT_TRUE(waitForEntry(editor, "Note: Fresh words. ")) << editor.entryText().value_or("<none>");
    inserter.insertText("More. ");
    EXPECT_TRUE(waitForEntry(editor, "Note: Fresh words. More. ")) << editor.entryText().value_or("<none>");
}

TEST_F(DeliveryDesktopTest, TypesANewlineWhileTheUserStillHoldsControlAndShift)
{
    TestEditor& editor = start(kEditor, {"--focus", "view", "--view", "first"});
    focusIn(editor);
    userKey("Control_L", true);
    userKey("Shift_L", true);
    typeString("\n");
    bool typed = waitForView(editor, "first\n");
    EXPECT_TRUE(keyIsDown("Control_L"));
    EXPECT_TRUE(keyIsDown("Shift_L"));
    userKey("Shift_L", false);
    userKey("Control_L", false);
    EXPECT_TRUE(typed) << editor.viewText().value_or("<none>");
}

TEST_F(DeliveryDesktopTest, TypesLettersTheKeyboardLayoutLacksOnASpareKey)
{
    ASSERT_EQ(runCommand({"setxkbmap", "-layout", "ru"}), 0) << "setxkbmap (x11-xkb-utils) is needed";
    TestEditor& editor = start(kEditor, {});
    focusIn(editor);
    typeString("ok");
    EXPECT_TRUE(waitForEntry(editor, "ok")) << editor.entryText().value_or("<none>");
    EXPECT_FALSE(keyboardHasSymbol("o")) << "the borrowed key was not given back";
}

TEST_F(DeliveryDesktopTest, ActivatesTheEditorFromAnotherWindow)
{
    TestEditor& editor = start(kEditor, {"--entry", "mine"});
    AccessibilityElement field = focusIn(editor);
    TestEditor& other = start(kOther, {});
    focusIn(other);
    activateApplication(field);
    EXPECT_TRUE(desktop_->pumpUntil([&] { return focusedWindowProcess() == editor.pid(); }));
    EXPECT_TRUE(desktop_->waitForFocusIn(editor.pid()));
}

TEST_F(DeliveryDesktopTest, InsertsIntoTheChosenTextAreaWhileAnotherWindowHasTheFocus)
{
    fakes::InMemoryUserDefaults defaults;
    NotificationCenter center;
    MainMenuViewModel model(defaults, center);
    TextInserter inserter(model);
    TestEditor& editor = start(kEditor, {"--focus", "view", "--view", "Minutes:"});
    AccessibilityElement target = focusIn(editor);
    TestEditor& other = start(kOther, {});
    focusIn(other);

    model.isDictatingToActiveApp = false;
    model.setSelectedDictationTarget(target);
    inserter.insertText(" Opened at nine. ");
    EXPECT_TRUE(waitForView(editor, "Minutes: Opened at nine. ")) << editor.viewText().value_or("<none>");
    inserter.insertText("Closed at ten. ");
    EXPECT_TRUE(waitForView(editor, "Minutes: Opened at nine. Closed at ten. ")) << editor.viewText().value_or("<none>");
    EXPECT_EQ(focusedWindowProcess(), other.pid());
}

TEST_F(DeliveryDesktopTest, PastingIntoTheTargetGivesTheFocusBack)
{
    TestEditor& editor = start(kEditor, {"--focus", "view", "--view", "Log:"});
    AccessibilityElement target = focusIn(editor);
    TestEditor& other = start(kOther, {});
    focusIn(other);

    EXPECT_TRUE(pasteText(target, " pasted line."));
    EXPECT_TRUE(waitForView(editor, "Log: pasted line.")) << editor.viewText().value_or("<none>");
    EXPECT_TRUE(desktop_->pumpUntil([&] { return focusedWindowProcess() == other.pid(); }));
    EXPECT_EQ(Pasteboard::general().string(), " pasted line.");
}

TEST_F(DeliveryDesktopTest, DeliversIntoTheFieldsOfAQtApplication)
{
    fakes::InMemoryUserDefaults defaults;
    NotificationCenter center;
    MainMenuViewModel model(defaults, center);
    TextInserter inserter(model);
    TestEditor& editor = start(kQtEditor, {"--title", "Qt notes", "--entry", "hello world", "--select", "6:11"});
    AccessibilityElement entry = focusIn(editor);
    EXPECT_EQ(stringAttribute(entry, accessibility_attribute::role), "AXTextField");
    EXPECT_EQ(stringAttribute(containingWindow(entry), accessibility_attribute::title), "Qt notes");
    EXPECT_EQ(bundleIdentifier(entry), kQtEditor);

    EXPECT_TRUE(insertAtSelection(entry, "there"));
    EXPECT_TRUE(waitForEntry(editor, "hello there")) << editor.entryText().value_or("<none>");
    EXPECT_TRUE(appendToValue(entry, ", friend."));
    EXPECT_TRUE(waitForEntry(editor, "hello there, friend.")) << editor.entryText().value_or("<none>");
    inserter.insertText(" Pasted.");
    EXPECT_TRUE(waitForEntry(editor, "hello there, friend. Pasted.")) << editor.entryText().value_or("<none>");
}

class BareDesktopDeliveryTest : public DeliveryDesktopTest {
protected:
    void SetUp() override { startDesktop(false); }
};

TEST_F(BareDesktopDeliveryTest, ActivatesWithoutAWindowManager)
{
    TestEditor& editor = start(kEditor, {});
    ASSERT_TRUE(desktop_->pumpUntil([&] { return focusWindowOf(editor.pid()); }));
    AccessibilityElement field = focusIn(editor);
    TestEditor& other = start(kOther, {});
    ASSERT_TRUE(desktop_->pumpUntil([&] { return focusWindowOf(other.pid()); }));
    focusIn(other);
    activateApplication(field);
    EXPECT_TRUE(desktop_->pumpUntil([&] { return focusedWindowProcess() == editor.pid(); }));
    EXPECT_TRUE(desktop_->waitForFocusIn(editor.pid()));
}

} // namespace
} // namespace brindlemoor::testing
