#include "platform/linux/workspace/application_identifier.h"
#include "platform/linux/workspace/desktop_entry.h"
#include "platform/linux/workspace/linux_workspace.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <unistd.h>

namespace brindlemoor {
namespace {

class LinuxWorkspaceTest : public ::testing::Test {
protected:
    LinuxWorkspaceTest()
    {
        char pattern[] = "/tmp/brindlemoor-entries-XXXXXX";
        folder_ = mkdtemp(pattern);
        self_ = executablePath(getpid());
    }
    ~LinuxWorkspaceTest() override { std::filesystem::remove_all(folder_); }

    void writeEntry(const std::string& relativePath, const std::string& body)
    {
        std::filesystem::create_directories((folder_ / relativePath).parent_path());
        std::ofstream(folder_ / relativePath) << body;
    }

    std::filesystem::path folder_;
    std::string self_;
};

TEST_F(LinuxWorkspaceTest, NamesAProcessByItsExecutableWhenNoEntryStartsIt)
{
    LinuxWorkspace workspace({folder_.string()});
    auto application = workspace.runningApplication(getpid());
    ASSERT_TRUE(application);
    EXPECT_EQ(application->bundleIdentifier, std::filesystem::path(self_).filename().string());
    EXPECT_FALSE(workspace.runningApplication(0));
    EXPECT_FALSE(workspace.locationForApplication("org.example.NotInstalled"));
}

TEST_F(LinuxWorkspaceTest, NamesAProcessByTheDesktopEntryThatStartsItsProgram)
{
    writeEntry("org/example/Tests.desktop", "[Desktop Entry]\nType=Application\nName=Tests\nExec=env LANG=C \"" + self_ +
                                                "\" %U\nIcon=" + folder_.string() + "/tests.png\n[Desktop Action new]\nExec=other\n");
    std::ofstream(folder_ / "tests.png") << "png";
    writeEntry("broken.desktop", "[Desktop Entry]\nType=Link\nExec=" + self_ + "\n");
    LinuxWorkspace workspace({folder_.string()});

    auto application = workspace.runningApplication(getpid());
    ASSERT_TRUE(application);
    EXPECT_EQ(application->bundleIdentifier, "org-example-Tests");
    auto location = workspace.locationForApplication("org-example-Tests");
    ASSERT_TRUE(location);
    EXPECT_EQ(location->path, (folder_ / "org/example/Tests.desktop").string());
    EXPECT_EQ(workspace.iconForApplication(*location), (folder_ / "tests.png").string());
}

TEST(DesktopEntry, FindsTheProgramBehindEnvironmentSettings)
{
    DesktopEntry entry;
    entry.exec = "env GDK_BACKEND=x11 /usr/bin/gedit --new-window %U";
    EXPECT_EQ(entry.programName(), "gedit");
    entry.exec = "\"/opt/My App/run\" %f";
    EXPECT_EQ(entry.programName(), "run");
}

} // namespace
} // namespace brindlemoor
