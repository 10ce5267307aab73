#include "shell/dictate_hot_key_handler.h"

#include "engine/app_state.h"
#include "engine/notification_names.h"
#include "platform/main_queue.h"
#include "platform/notification_center.h"
#include "platform/standard_output.h"
#include "shell/brindlemoor_app.h"
#include "shell/floating_window.h"
#include "shell/mac_app_delegate.h"

namespace brindlemoor {

void DictateHotKeyHandler::handleHotKey()
{
    NotificationCenter::defaultCenter().post(std::string(notification_names::toggleDictation));
    // Read once the toggle above has stored its flag, so the window comes forward only while
    // dictation is on.
    MainQueue::main().post([] {
        if (!AppState::shared().isDictating())
            return;
        if (MacAppDelegate* delegate = sharedAppDelegate(); delegate && delegate->window())
            delegate->window()->orderFrontRegardless();
    });
    StandardOutput::printLine("Command-1 was pressed");
}

} // namespace brindlemoor
