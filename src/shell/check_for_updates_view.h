#pragma once

#include "platform/cancellable.h"
#include "shell/check_for_updates_view_model.h"

#include <QAction>

namespace brindlemoor {

class Updater;

// The "Check for Updates…" command: starts a check, disabled while none can start.
class CheckForUpdatesView final : public QAction {
    Q_OBJECT

public:
    CheckForUpdatesView(Updater& updater, QObject* parent = nullptr);

    CheckForUpdatesViewModel& checkForUpdatesViewModel() { return checkForUpdatesViewModel_; }

private:
    CheckForUpdatesViewModel checkForUpdatesViewModel_;
    Updater& updater_;
    Cancellable enabledSubscription_;
};

} // namespace brindlemoor
