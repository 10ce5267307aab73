#include "delivery/application_of_element.h"
#include "delivery/element_attributes.h"
#include "delivery/focused_element.h"
#include "fakes/captured_output.h"
#include "fakes/fake_accessibility.h"
#include "fakes/fake_workspace.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

namespace brindlemoor {
namespace {

using fakes::makeFakeElement;
using ::testing::ElementsAre;

// An application (pid 100) with a window holding a text field.
struct Desktop {
    std::shared_ptr<fakes::FakeElement> application = makeFakeElement(1);
    std::shared_ptr<fakes::FakeElement> window = makeFakeElement(2);
    std::shared_ptr<fakes::FakeElement> field = makeFakeElement(3);

    Desktop()
    {
        application->setRole(accessibility_role::application);
        application->setAttribute(accessibility_attribute::title, std::string("Editor"));
        window->setRole(accessibility_role::window);
        window->setParent(application);
        field->setRole(accessibility_role::textField);
        field->setParent(window);
    }
};

TEST(ParentWalks, FindTheWindowAndTheApplicationFromAnyElement)
{
    Desktop desktop;
    EXPECT_EQ(containingWindow(desktop.field->element()), desktop.window->element());
    EXPECT_EQ(containingWindow(desktop.window->element()), desktop.window->element());
    EXPECT_EQ(applicationElement(desktop.field->element()), desktop.application->element());
    EXPECT_EQ(applicationElement(desktop.application->element()), desktop.application->element());
    EXPECT_EQ(applicationTitle(desktop.field->element()), "Editor");
}

TEST(ParentWalks, EndAtTheTopmostElementWhenNoWindowOrApplicationIsMet)
{
    auto top = makeFakeElement(10);
    auto middle = makeFakeElement(11);
    auto leaf = makeFakeElement(12);
    top->setRole("AXGroup");
    middle->setParent(top);
    leaf->setParent(middle);
    middle->failReads(accessibility_attribute::role, accessibilityError(AccessibilityErrorCode::failure, "gone"));

    EXPECT_EQ(containingWindow(leaf->element()), top->element());
    EXPECT_FALSE(applicationElement(leaf->element()));
    EXPECT_FALSE(applicationTitle(leaf->element()));
}

TEST(ParentWalks, StopOnAParentCycleInsteadOfHanging)
{
    auto a = makeFakeElement(20);
    auto b = makeFakeElement(21);
    a->setParent(b);
    b->setParent(a);
    EXPECT_FALSE(applicationElement(a->element()));
    AccessibilityElement top = containingWindow(a->element());
    EXPECT_TRUE(top == a->element() || top == b->element());
}

TEST(IsTextInput, AcceptsOnlyTheThreeTextRoles)
{
    auto element = makeFakeElement(1);
    for (auto role : {accessibility_role::textField, accessibility_role::textArea, accessibility_role::comboBox}) {
        element->setRole(role);
        EXPECT_TRUE(isTextInput(element->element())) << role;
    }
    element->setRole("AXSearchField");
    EXPECT_FALSE(isTextInput(element->element()));
    element->failReads(accessibility_attribute::role, accessibilityError(AccessibilityErrorCode::failure, "x"));
    EXPECT_FALSE(isTextInput(element->element()));
}

TEST(Readers, AnswerNoneForTheWrongKindOfValue)
{
    auto element = makeFakeElement(1);
    element->setAttribute(accessibility_attribute::title, TextRange{1, 2});
    element->setAttribute(accessibility_attribute::parent, std::string("not an element"));
    EXPECT_FALSE(stringAttribute(element->element(), accessibility_attribute::title));
    EXPECT_FALSE(elementAttribute(element->element(), accessibility_attribute::parent));
    EXPECT_EQ(describeValue(*axValueAttribute(element->element(), accessibility_attribute::title)), "{1, 2}");
}

TEST(BundleIdentifier, ComesFromTheRunningApplicationOfTheProcess)
{
    fakes::FakeWorkspace workspace;
    fakes::CapturedOutput output;
    Desktop desktop;
    workspace.addApplication(100, std::string("org.example.Editor"));
    EXPECT_EQ(bundleIdentifier(desktop.field->element()), "org.example.Editor");

    workspace.quit(100);
    EXPECT_FALSE(bundleIdentifier(desktop.field->element()));
    desktop.field->failProcessIdentifier(
        accessibilityError(AccessibilityErrorCode::invalidElement, "The element is no longer available"));
    EXPECT_FALSE(bundleIdentifier(desktop.field->element()));
    EXPECT_THAT(output.lines(), ElementsAre("No running application with PID 100",
                                            "Error getting PID: The element is no longer available"));
}

TEST(ActivateApplication, OpensTheApplicationOfTheElementsApplicationElement)
{
    fakes::FakeWorkspace workspace;
    fakes::CapturedOutput output;
    Desktop desktop;
    workspace.addApplication(100, std::string("org.example.Editor"), std::string("/apps/editor.desktop"),
                             std::string("/icons/editor.png"));
    activateApplication(desktop.field->element());
    EXPECT_THAT(workspace.opened(), ElementsAre("org.example.Editor"));
    EXPECT_EQ(applicationIcon(desktop.field->element()), "/icons/editor.png");
    EXPECT_TRUE(output.lines().empty());
}

TEST(ActivateApplication, ReportsAnApplicationWithoutLocationAndOpensNothing)
{
    fakes::FakeWorkspace workspace;
    fakes::CapturedOutput output;
    Desktop desktop;
    workspace.addApplication(100, std::string("org.example.Gone"));
    activateApplication(desktop.field->element());
    EXPECT_TRUE(workspace.opened().empty());
    EXPECT_FALSE(applicationIcon(desktop.field->element()));
    EXPECT_THAT(output.lines(), ElementsAre("Application not found: org.example.Gone"));

    auto orphan = makeFakeElement(9);
    activateApplication(orphan->element());
    EXPECT_TRUE(workspace.opened().empty());
}

TEST(FocusedElement, ReadsTheDesktopsFocusedElementAndItsTexts)
{
    fakes::FakeAccessibility accessibility;
    EXPECT_FALSE(focusedElement());
    EXPECT_FALSE(focusedElementValueText());

    auto field = makeFakeElement(5);
    field->setText("hello world", TextRange{6, 0});
    accessibility.setFocused(field);
    EXPECT_EQ(focusedElement(), field->element());
    EXPECT_EQ(focusedElementValueText(), "hello world");
    EXPECT_FALSE(focusedSelectedText());
    field->setAttribute(accessibility_attribute::selectedTextRange, TextRange{0, 5});
    EXPECT_EQ(focusedSelectedText(), "hello");
}

} // namespace
} // namespace brindlemoor
