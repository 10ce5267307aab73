#include "shell/check_for_updates_view.h"

#include "platform/updater.h"

namespace brindlemoor {

CheckForUpdatesView::CheckForUpdatesView(Updater& updater, QObject* parent)
    : QAction(QStringLiteral("Check for Updates\u2026"), parent), checkForUpdatesViewModel_(updater), updater_(updater)
{
    enabledSubscription_ =
        checkForUpdatesViewModel_.canCheckForUpdates.subscribe([this](const bool& value) { setEnabled(value); });
    connect(this, &QAction::triggered, this, [this] { updater_.checkForUpdates(); });
}

} // namespace brindlemoor
