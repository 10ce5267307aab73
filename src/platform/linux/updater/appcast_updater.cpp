#include "platform/linux/updater/appcast_updater.h"

#include "platform/main_queue.h"

namespace brindlemoor {

AppcastUpdater::AppcastUpdater(std::string feedUrl, std::string currentVersion, HttpClient& http,
                               UpdatePresenter& presenter)
    : feedUrl_(std::move(feedUrl)), currentVersion_(std::move(currentVersion)), http_(http), presenter_(presenter)
{
}

void AppcastUpdater::start()
{
    started_ = true;
    canCheckForUpdates_.set(!feedUrl_.empty() && !checking_);
}

void AppcastUpdater::checkForUpdates()
{
    if (feedUrl_.empty()) {
        presenter_.showFailure("Update checks are not possible: this build has no update feed.");
        return;
    }
    if (checking_)
        return;
    checking_ = true;
    canCheckForUpdates_.set(false);
    HttpRequest request;
    request.url = feedUrl_;
    std::weak_ptr<int> alive = alive_;
    http_.send(std::move(request), [this, alive](HttpResult result) {
        MainQueue::main().post([this, alive, result = std::move(result)] {
            if (!alive.expired())
                finishCheck(result);
        });
    });
}

void AppcastUpdater::finishCheck(const HttpResult& result)
{
    checking_ = false;
    canCheckForUpdates_.set(started_);
    if (const auto* error = std::get_if<PlatformError>(&result)) {
        presenter_.showFailure("The update feed could not be reached: " + error->description);
        return;
    }
    const HttpResponse& response = std::get<HttpResponse>(result);
    if (response.status != 200) {
        presenter_.showFailure("The update feed answered with HTTP status " + std::to_string(response.status) + ".");
        return;
    }
    std::string error;
    std::optional<Appcast> appcast = Appcast::parse(response.body, &error);
    if (!appcast) {
        presenter_.showFailure("The update feed could not be read: " + error + ".");
        return;
    }
    if (auto newer = appcast->newestAbove(currentVersion_))
        presenter_.showUpdateAvailable(*newer, currentVersion_);
    else
        presenter_.showUpToDate(currentVersion_);
}

} // namespace brindlemoor
