#include "platform/linux/updater/appcast.h"
#include "platform/linux/updater/appcast_updater.h"
#include "shell/check_for_updates_view.h"

#include "fakes/manual_main_queue.h"
#include "recording_http_client.h"

#include <gtest/gtest.h>

namespace brindlemoor {
namespace {

const char* kFeed = R"xml(<?xml version="1.0" encoding="utf-8"?>
<rss version="2.0" xmlns:app="http://example.org/appcast">
  <channel>
    <title>Brindlemoor</title>
    <item>
      <title>Version 0.9</title>
      <enclosure url="https://downloads.example.org/brindlemoor-0.9.tar.gz" app:version="0.9"/>
    </item>
    <item>
      <title>Version 0.10</title>
      <app:version>0.10.0</app:version>
      <app:shortVersionString>0.10</app:shortVersionString>
      <link>https://downloads.example.org/brindlemoor-0.10.tar.gz</link>
    </item>
    <item>
      <title>A link nobody should follow</title>
      <enclosure url="javascript:alert(1)" app:version="9.0"/>
    </item>
    <item><title>No version</title><link>https://downloads.example.org/x</link></item>
  </channel>
</rss>)xml";

TEST(Appcast, ReadsVersionsAndLinksFromElementsOrEnclosures)
{
    auto appcast = Appcast::parse(kFeed);
    ASSERT_TRUE(appcast);
    ASSERT_EQ(appcast->items().size(), 2u);
    EXPECT_EQ(appcast->items()[0].version, "0.9");
    EXPECT_EQ(appcast->items()[0].downloadLink, "https://downloads.example.org/brindlemoor-0.9.tar.gz");
    EXPECT_EQ(appcast->items()[1].version, "0.10.0");
    EXPECT_EQ(appcast->items()[1].displayVersion, "0.10");
    auto newest = appcast->newestAbove("0.1.0");
    ASSERT_TRUE(newest);
    EXPECT_EQ(newest->title, "Version 0.10");
    EXPECT_FALSE(appcast->newestAbove("0.10"));
}

TEST(Appcast, RejectsWhatIsNotAnRssFeed)
{
    std::string error;
    EXPECT_FALSE(Appcast::parse("<html><body>Not found</body></html>", &error));
    EXPECT_EQ(error, "the document is not an RSS feed");
    EXPECT_FALSE(Appcast::parse("<rss><channel><item>", &error));
    EXPECT_FALSE(error.empty());
}

TEST(Appcast, ComparesVersionsNumberByNumber)
{
    EXPECT_GT(compareVersions("1.10", "1.9"), 0);
    EXPECT_EQ(compareVersions("1.0", "1"), 0);
    EXPECT_LT(compareVersions("0.1.0", "0.1.1"), 0);
    EXPECT_EQ(compareVersions("2.0-beta", "2.0"), 0);
}

class RecordingPresenter final : public UpdatePresenter {
public:
    void showUpdateAvailable(const AppcastItem& item, const std::string& current) override
    {
        shown.push_back("available " + item.displayVersion + " " + item.downloadLink + " over " + current);
    }
    void showUpToDate(const std::string& current) override { shown.push_back("up to date " + current); }
    void showFailure(const std::string& message) override { shown.push_back("failure " + message); }

    std::vector<std::string> shown;
};

class UpdaterTest : public ::testing::Test {
protected:
    fakes::ManualMainQueue queue_;
    testing::RecordingHttpClient http_;
    RecordingPresenter presenter_;
};

TEST_F(UpdaterTest, WithoutAFeedNoCheckIsPossible)
{
    AppcastUpdater updater("", "0.1.0", http_, presenter_);
    updater.start();
    EXPECT_FALSE(updater.canCheckForUpdates().get());
    updater.checkForUpdates();
    queue_.runUntilIdle();
    EXPECT_TRUE(http_.requests().empty());
    EXPECT_EQ(presenter_.shown,
              std::vector<std::string>{"failure Update checks are not possible: this build has no update feed."});
}

TEST_F(UpdaterTest, ShowsANewerReleaseOrThatTheUserIsUpToDate)
{
    http_.reply = HttpResponse{200, kFeed};
    AppcastUpdater older("https://updates.example.org/appcast.xml", "0.1.0", http_, presenter_);
    older.start();
    older.checkForUpdates();
    queue_.runUntilIdle();
    AppcastUpdater newest("https://updates.example.org/appcast.xml", "0.10", http_, presenter_);
    newest.start();
    newest.checkForUpdates();
    queue_.runUntilIdle();
    ASSERT_EQ(http_.requests().size(), 2u);
    EXPECT_EQ(http_.requests()[0].method, "GET");
    EXPECT_EQ(http_.requests()[0].url, "https://updates.example.org/appcast.xml");
    EXPECT_EQ(presenter_.shown, (std::vector<std::string>{
                                    "available 0.10 https://downloads.example.org/brindlemoor-0.10.tar.gz over 0.1.0",
                                    "up to date 0.10"}));
}

TEST_F(UpdaterTest, FailuresAreShownAndChecksBecomePossibleAgain)
{
    AppcastUpdater updater("https://updates.example.org/appcast.xml", "0.1.0", http_, presenter_);
    updater.start();
    http_.reply = PlatformError{"HttpClient", 6, "Could not resolve host"};
    updater.checkForUpdates();
    EXPECT_FALSE(updater.canCheckForUpdates().get());
    queue_.runUntilIdle();
    EXPECT_TRUE(updater.canCheckForUpdates().get());
    http_.reply = HttpResponse{404, "gone"};
    updater.checkForUpdates();
    queue_.runUntilIdle();
    http_.reply = HttpResponse{200, "<feed/>"};
    updater.checkForUpdates();
    queue_.runUntilIdle();
    EXPECT_EQ(presenter_.shown, (std::vector<std::string>{
                                    "failure The update feed could not be reached: Could not resolve host",
                                    "failure The update feed answered with HTTP status 404.",
                                    "failure The update feed could not be read: the document is not an RSS feed."}));
}

TEST_F(UpdaterTest, ACheckWhileOneRunsIsIgnored)
{
    AppcastUpdater updater("https://updates.example.org/appcast.xml", "0.1.0", http_, presenter_);
    updater.start();
    http_.reply = HttpResponse{200, kFeed};
    updater.checkForUpdates();
    updater.checkForUpdates();
    queue_.runUntilIdle();
    EXPECT_EQ(http_.requests().size(), 1u);
    EXPECT_EQ(presenter_.shown.size(), 1u);
}

TEST_F(UpdaterTest, TheCommandFollowsWhetherACheckCanStart)
{
    AppcastUpdater updater("https://updates.example.org/appcast.xml", "0.1.0", http_, presenter_);
    CheckForUpdatesView command(updater);
    EXPECT_EQ(command.text(), QString::fromUtf8("Check for Updates\u2026"));
    EXPECT_FALSE(command.isEnabled());
    updater.start();
    EXPECT_TRUE(command.isEnabled());
    EXPECT_TRUE(command.checkForUpdatesViewModel().canCheckForUpdates.get());
    http_.reply = HttpResponse{200, kFeed};
    command.trigger();
    EXPECT_FALSE(command.isEnabled());
    queue_.runUntilIdle();
    EXPECT_TRUE(command.isEnabled());
    EXPECT_EQ(http_.requests().size(), 1u);
}

} // namespace
} // namespace brindlemoor
