#include "shell/check_for_updates_view_model.h"

#include "platform/updater.h"

namespace brindlemoor {

CheckForUpdatesViewModel::CheckForUpdatesViewModel(Updater& updater)
{
    observation_ = updater.canCheckForUpdates().subscribe([this](const bool& value) { canCheckForUpdates.set(value); });
}

} // namespace brindlemoor
