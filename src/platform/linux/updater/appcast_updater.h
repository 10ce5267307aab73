#pragma once

#include "platform/http_client.h"
#include "platform/linux/updater/update_presenter.h"
#include "platform/updater.h"

#include <memory>
#include <string>

namespace brindlemoor {

// Reads the update feed when the user asks and shows the outcome. Without a feed address no
// check is possible: `canCheckForUpdates` stays false and a check says so.
class AppcastUpdater final : public Updater {
public:
    AppcastUpdater(std::string feedUrl, std::string currentVersion, HttpClient& http, UpdatePresenter& presenter);

    // Makes checks possible when a feed is configured.
    void start();

    Published<bool>& canCheckForUpdates() override { return canCheckForUpdates_; }
    void checkForUpdates() override;

private:
    void finishCheck(const HttpResult& result);

    std::string feedUrl_;
    std::string currentVersion_;
    HttpClient& http_;
    UpdatePresenter& presenter_;
    bool started_ = false;
    bool checking_ = false;
    Published<bool> canCheckForUpdates_{false};
    std::shared_ptr<int> alive_ = std::make_shared<int>(0);
};

} // namespace brindlemoor
