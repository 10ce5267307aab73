#include "shell/proc_process_table.h"
#include "shell/single_instance_guard.h"

#include "fakes/captured_output.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <map>
#include <unistd.h>

namespace brindlemoor {
namespace {

class FakeProcessTable final : public ProcessTable {
public:
    std::vector<RunningApplication> applications;
    std::optional<std::string> ownIdentifier = "com.qz.brindlemoor";
    std::map<pid_t, uid_t> owners;
    std::map<uid_t, std::string> names{{1000, "ada"}, {1001, "grace"}};
    std::string userName = "ada";
    std::vector<pid_t> terminated;

    std::vector<RunningApplication> runningApplications() override { return applications; }
    std::optional<std::string> mainBundleIdentifier() override { return ownIdentifier; }
    pid_t currentProcessIdentifier() override { return 10; }
    std::optional<uid_t> ownerUserIdentifier(pid_t process) override
    {
        auto found = owners.find(process);
        return found == owners.end() ? std::nullopt : std::optional(found->second);
    }
    std::optional<std::string> loginName(uid_t user) override
    {
        auto found = names.find(user);
        return found == names.end() ? std::nullopt : std::optional(found->second);
    }
    std::string currentUserName() override { return userName; }
    bool isRunning(pid_t) override { return false; }
    void forceTerminate(pid_t process) override { terminated.push_back(process); }
};

TEST(SingleInstanceGuard, AloneItPrintsAndEndsNothing)
{
    fakes::CapturedOutput output;
    FakeProcessTable table;
    table.applications = {{10, "com.qz.brindlemoor"}, {11, "org.example.editor"}};
    EXPECT_EQ(terminateOtherInstances(table), std::nullopt);
    EXPECT_EQ(output.text(), "");
    EXPECT_TRUE(table.terminated.empty());
}

TEST(SingleInstanceGuard, EndsTheFirstOtherCopyOfTheSameUserOnly)
{
    fakes::CapturedOutput output;
    FakeProcessTable table;
    table.applications = {{10, "com.qz.brindlemoor"}, {20, "com.qz.brindlemoor"}, {30, "com.qz.brindlemoor"}};
    table.owners = {{20, 1000}, {30, 1000}};
    EXPECT_EQ(terminateOtherInstances(table), 20);
    EXPECT_EQ(output.lines(), std::vector<std::string>{"Process launched by user: ada"});
    EXPECT_EQ(table.terminated, std::vector<pid_t>{20});
}

TEST(SingleInstanceGuard, LeavesACopyOfAnotherUserAlone)
{
    fakes::CapturedOutput output;
    FakeProcessTable table;
    table.applications = {{20, "com.qz.brindlemoor"}, {30, "com.qz.brindlemoor"}};
    table.owners = {{20, 1001}, {30, 1000}};
    EXPECT_EQ(terminateOtherInstances(table), std::nullopt);
    EXPECT_EQ(output.lines(), std::vector<std::string>{"Process launched by user: grace"});
    EXPECT_TRUE(table.terminated.empty());
}

TEST(SingleInstanceGuard, FailedLookupsAreReportedOncePerLookupAndEndNothing)
{
    fakes::CapturedOutput output;
    FakeProcessTable table;
    table.applications = {{20, "com.qz.brindlemoor"}};
    terminateOtherInstances(table);
    table.owners = {{20, 4242}};
    terminateOtherInstances(table);
    EXPECT_EQ(output.lines(), (std::vector<std::string>{
                                  "Failed to retrieve process info for PID 20", "Failed to retrieve process info for PID 20",
                                  "Failed to retrieve username for UID 4242", "Failed to retrieve username for UID 4242"}));
    EXPECT_TRUE(table.terminated.empty());
}

TEST(SingleInstanceGuard, AMissingIdentifierMatchesOnlyAnotherMissingOne)
{
    fakes::CapturedOutput output;
    FakeProcessTable table;
    table.ownIdentifier = std::nullopt;
    table.applications = {{20, "com.qz.brindlemoor"}, {30, std::nullopt}};
    table.owners = {{20, 1000}, {30, 1000}};
    EXPECT_EQ(terminateOtherInstances(table), 30);

    table.ownIdentifier = "com.qz.brindlemoor";
    table.applications = {{30, std::nullopt}};
    table.terminated.clear();
    EXPECT_EQ(terminateOtherInstances(table), std::nullopt);
}

// A /proc of the test's making: copies are recognised by their executable's name, owners by the
// real user id, and a process that has ended but not been reaped no longer runs.
class ProcProcessTableTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        root_ = std::filesystem::temp_directory_path() / ("proc-table-" + std::to_string(getpid()));
        std::filesystem::remove_all(root_);
        addProcess(20, "/opt/build/brindlemoor", 1000, 'S', true);
        addProcess(30, "/usr/bin/brindlemoor (deleted)", 1001, 'Z', true);
        addProcess(40, "/usr/bin/gedit", 1000, 'R', false);
        std::filesystem::create_directories(root_ / "self");
        std::filesystem::create_directory_symlink("/usr/bin/brindlemoor", root_ / "self" / "exe");
    }
    void TearDown() override { std::filesystem::remove_all(root_); }

    void addProcess(int pid, const std::string& executable, int uid, char state, bool readableLink)
    {
        auto directory = root_ / std::to_string(pid);
        std::filesystem::create_directories(directory);
        if (readableLink)
            std::filesystem::create_symlink(executable, directory / "exe");
        std::ofstream(directory / "cmdline") << executable << '\0' << "--flag" << '\0';
        std::ofstream(directory / "status") << "Name:\tx\nUid:\t" << uid << "\t0\t0\t0\n";
        std::ofstream(directory / "stat") << pid << " (a (b) c) " << state << " 1 2 3\n";
    }

    std::filesystem::path root_;
};

TEST_F(ProcProcessTableTest, ReadsCopiesOwnersAndStates)
{
    ProcProcessTable table(root_.string());
    auto applications = table.runningApplications();
    ASSERT_EQ(applications.size(), 3u);
    EXPECT_EQ(applications[0].bundleIdentifier, "com.qz.brindlemoor");
    EXPECT_EQ(applications[1].bundleIdentifier, "com.qz.brindlemoor");
    EXPECT_EQ(applications[2].bundleIdentifier, "gedit");
    EXPECT_EQ(table.mainBundleIdentifier(), "com.qz.brindlemoor");
    EXPECT_EQ(table.ownerUserIdentifier(30), 1001u);
    EXPECT_EQ(table.ownerUserIdentifier(99), std::nullopt);
    EXPECT_TRUE(table.isRunning(20));
    EXPECT_FALSE(table.isRunning(30));
    EXPECT_FALSE(table.isRunning(99));
    EXPECT_EQ(table.loginName(0), "root");
}

} // namespace
} // namespace brindlemoor
