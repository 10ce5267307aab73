#include "shell/manual_dictation_hot_key_handler.h"

#include "delivery/focused_element.h"
#include "engine/main_menu_view_model.h"
#include "platform/main_queue.h"
#include "platform/standard_output.h"
#include "shell/main_menu_view.h"

namespace brindlemoor {

void ManualDictationHotKeyHandler::handleHotKey()
{
    MainQueue::main().post([] { switchTarget(MainMenuView::shared()); });
    StandardOutput::printLine("Command-2 was pressed");
}

void ManualDictationHotKeyHandler::switchTarget(MainMenuView& view)
{
    MainMenuViewModel& model = view.viewModel();
    if (!model.isDictatingToActiveApp) {
        model.setSelectedDictationTarget(std::nullopt);
        model.isDictatingToActiveApp = true;
    } else {
        std::optional<AccessibilityElement> focused = focusedElement();
        if (!focused) {
            view.refreshMenuStates();
            return;
        }
        model.setSelectedDictationTarget(*focused);
        model.isDictatingToActiveApp = false;
    }
    view.refreshMenuStates();
}

} // namespace brindlemoor
