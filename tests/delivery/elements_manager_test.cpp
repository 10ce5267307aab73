#include "delivery/elements_manager.h"
#include "fakes/captured_output.h"
#include "fakes/fake_accessibility.h"
#include "fakes/fake_workspace.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

namespace brindlemoor {
namespace {

using fakes::makeFakeElement;
using ::testing::ElementsAre;

class ElementsManagerTest : public ::testing::Test {
protected:
    AccessibilityElement field(int identity)
    {
        auto element = makeFakeElement(identity, 1000 + identity);
        keep_.push_back(element);
        return element->element();
    }
    std::vector<int> identities()
    {
        std::vector<int> result;
        for (const auto& element : manager_.elements())
            result.push_back(static_cast<int>(element.hash()));
        return result;
    }

    ElementsManager manager_;
    std::vector<std::shared_ptr<fakes::FakeElement>> keep_;
};

TEST_F(ElementsManagerTest, KeepsTheLastEightAndDropsTheFront)
{
    for (int i = 1; i <= 9; ++i)
        manager_.addElement(field(i), 8);
    EXPECT_THAT(identities(), ElementsAre(2, 3, 4, 5, 6, 7, 8, 9));
}

TEST_F(ElementsManagerTest, AddingAPresentFieldChangesNothingEvenWhenFull)
{
    for (int i = 1; i <= 8; ++i)
        manager_.addElement(field(i), 8);
    // Another reference to the same element is the same entry.
    manager_.addElement(makeFakeElement(8, 1008)->element(), 8);
    manager_.addElement(field(1), 8);
    EXPECT_THAT(identities(), ElementsAre(1, 2, 3, 4, 5, 6, 7, 8));
}

TEST_F(ElementsManagerTest, AFieldMovedToTheFrontIsTheFirstToLeaveAFullSet)
{
    for (int i = 1; i <= 8; ++i)
        manager_.addElement(field(i), 8);
    manager_.moveToFront(field(5));
    EXPECT_THAT(identities(), ElementsAre(5, 1, 2, 3, 4, 6, 7, 8));
    manager_.addElement(field(9), 8);
    EXPECT_THAT(identities(), ElementsAre(1, 2, 3, 4, 6, 7, 8, 9));
}

TEST_F(ElementsManagerTest, MovingAnAbsentOrFrontFieldKeepsTheOrder)
{
    for (int i = 1; i <= 3; ++i)
        manager_.addElement(field(i), 8);
    manager_.moveToFront(field(7));
    manager_.moveToFront(field(1));
    EXPECT_THAT(identities(), ElementsAre(1, 2, 3));
}

TEST_F(ElementsManagerTest, RemoveStaleDropsFieldsWhoseApplicationIsGoneAndSaysWhy)
{
    fakes::FakeWorkspace workspace;
    fakes::CapturedOutput output;
    workspace.addApplication(1002, std::string("org.example.Kept"));
    for (int i = 1; i <= 3; ++i)
        manager_.addElement(field(i), 8);
    keep_[2]->failProcessIdentifier(accessibilityError(AccessibilityErrorCode::invalidElement, "gone"));
    manager_.removeStale();
    EXPECT_THAT(identities(), ElementsAre(2));
    EXPECT_THAT(output.lines(), ElementsAre("No running application with PID 1001", "Error getting PID: gone"));

    workspace.quit(1002);
    manager_.removeStale();
    EXPECT_TRUE(manager_.elements().empty());
}

} // namespace
} // namespace brindlemoor
