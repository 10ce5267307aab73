#pragma once

#include "platform/cancellable.h"
#include "platform/published.h"

namespace brindlemoor {

class Updater;

// Mirrors whether the updater can start a check now.
class CheckForUpdatesViewModel {
public:
    explicit CheckForUpdatesViewModel(Updater& updater);

    Published<bool> canCheckForUpdates{false};

private:
    Cancellable observation_;
};

} // namespace brindlemoor
