#include "shell/enter_hot_key_handler.h"

#include "delivery/application_of_element.h"
#include "delivery/element_attributes.h"
#include "delivery/focused_element.h"
#include "delivery/synthetic_keystrokes.h"
#include "engine/main_menu_view_model.h"
#include "platform/main_queue.h"
#include "platform/standard_output.h"
#include "shell/main_menu_view.h"

namespace brindlemoor {

void EnterHotKeyHandler::handleHotKey()
{
    handle(MainMenuView::shared().viewModel());
}

void EnterHotKeyHandler::handle(MainMenuViewModel& model)
{
    if (model.isDictatingToActiveApp)
        return;
    if (std::optional<AccessibilityElement> target = model.selectedDictationTarget())
        deliverNewline(containingWindow(*target));
    StandardOutput::printLine("Command-3 was pressed");
}

void EnterHotKeyHandler::deliverNewline(const AccessibilityElement& targetWindow)
{
    std::optional<AccessibilityElement> previousWindow;
    if (std::optional<AccessibilityElement> focused = focusedElement())
        previousWindow = containingWindow(*focused);
    activateApplication(targetWindow);
    MainQueue::main().postAfter(std::chrono::microseconds(100), [previousWindow] {
        typeString("\n");
        if (previousWindow)
            activateApplication(*previousWindow);
    });
}

} // namespace brindlemoor
