#pragma once

#include "platform/linux/updater/appcast.h"

#include <string>

namespace brindlemoor {

// Tells the user how an update check ended.
class UpdatePresenter {
public:
    virtual ~UpdatePresenter() = default;

    virtual void showUpdateAvailable(const AppcastItem& item, const std::string& currentVersion) = 0;
    virtual void showUpToDate(const std::string& currentVersion) = 0;
    virtual void showFailure(const std::string& message) = 0;
};

} // namespace brindlemoor
