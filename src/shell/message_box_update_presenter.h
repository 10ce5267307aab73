#pragma once

#include "platform/linux/updater/update_presenter.h"

namespace brindlemoor {

// Shows the outcome of an update check in a message box; a newer release comes with its link.
class MessageBoxUpdatePresenter final : public UpdatePresenter {
public:
    void showUpdateAvailable(const AppcastItem& item, const std::string& currentVersion) override;
    void showUpToDate(const std::string& currentVersion) override;
    void showFailure(const std::string& message) override;
};

} // namespace brindlemoor
