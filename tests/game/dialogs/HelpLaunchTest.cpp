#include "game/dialogs/HelpLaunch.h"

#include <filesystem>
#include <fstream>
#include <optional>
#include <string>
#include <vector>

#include <gtest/gtest.h>
#include <signal.h>

#include "tests/support/HelpViewerLog.h"
#include "tests/support/TempPlatform.h"

namespace fs = std::filesystem;

namespace {

TEST(HelpCommandLineTest, AnchorsAndTopicsBecomeTheViewersCommandLine) {
    EXPECT_EQ(HelpCommandLine(u"Main_Contents"), u"file:VevivoZozoruv.htm#Main_Contents");
    EXPECT_EQ(HelpCommandLine(u"#Options"), u"file:VevivoZozoruv.htm#Options");
    EXPECT_EQ(HelpCommandLine(kHelpPlay), u"file:VevivoZozoruv.htm#play");
    // The About dialog is given the whole topic.
    EXPECT_EQ(HelpCommandLine(u"VevivoZozoruv.htm#Main_Contents"),
              u"file:VevivoZozoruv.htm#Main_Contents");
    EXPECT_EQ(HelpCommandLine(u"Other.htm#x"), u"file:Other.htm#x");
    EXPECT_EQ(HelpCommandLine(u""), u"file:VevivoZozoruv.htm");
}

class HelpLaunchTest : public ::testing::Test {
  protected:
    // A stand-in viewer that notes its argument count and argument.
    void InstallViewer() {
        viewer_.emplace(platform_.DeviceRoot(), HelpViewerLog::Record::CountAndArgument);
    }
    std::vector<std::string> WaitForLines(std::size_t count) { return viewer_->WaitFor(count); }

    TempPlatform platform_;
    std::optional<HelpViewerLog> viewer_;
};

TEST_F(HelpLaunchTest, EachRequestStartsOneViewerWithItsTopic) {
    InstallViewer();
    LaunchHelp(kHelpOptions);
    EXPECT_EQ(WaitForLines(1), std::vector<std::string>{"1 file:VevivoZozoruv.htm#Options"});
    LaunchHelp(u"VevivoZozoruv.htm#Main_Contents");
    // The second line proves the first request started exactly one viewer.
    EXPECT_EQ(WaitForLines(2),
              (std::vector<std::string>{"1 file:VevivoZozoruv.htm#Options",
                                        "1 file:VevivoZozoruv.htm#Main_Contents"}));
}

TEST_F(HelpLaunchTest, WithoutAViewerNothingHappens) {
    LaunchHelp(kHelpPlay);  // no PegHelp.exe on the device: no crash, nothing started
    const fs::path notExecutable = platform_.DeviceRoot() / "Windows" / "PegHelp.exe";
    std::ofstream(notExecutable) << "#!/bin/sh\necho started > '"
                                 << HelpViewerLog::LogPath(platform_.DeviceRoot()).string()
                                 << "'\n";
    fs::permissions(notExecutable, fs::perms::owner_read | fs::perms::owner_write);
    LaunchHelp(kHelpPlay);
    InstallViewer();  // now it works, and only this request reaches the report
    LaunchHelp(kHelpMainContents);
    EXPECT_EQ(WaitForLines(1), std::vector<std::string>{"1 file:VevivoZozoruv.htm#Main_Contents"});
}

TEST_F(HelpLaunchTest, AViewerThatNeverEndsHoldsUpNothing) {
    // Each viewer notes its process id and then waits far longer than the test.
    InstallViewer();  // for its log; the script is replaced
    const fs::path script = platform_.DeviceRoot() / "Windows" / "PegHelp.exe";
    std::ofstream(script) << "#!/bin/sh\necho $$ >> '"
                          << HelpViewerLog::LogPath(platform_.DeviceRoot()).string()
                          << "'\nexec sleep 600\n";
    fs::permissions(script, fs::perms::owner_all);
    LaunchHelp(kHelpOptions);
    LaunchHelp(kHelpPlay);
    // Both run at once: neither launch waited for its viewer to end.
    const std::vector<std::string> pids = WaitForLines(2);
    ASSERT_EQ(pids.size(), 2u);
    for (const std::string& pid : pids) {
        const pid_t viewer = static_cast<pid_t>(std::stol(pid));
        EXPECT_EQ(kill(viewer, 0), 0) << "viewer " << pid << " still runs";
        kill(viewer, SIGKILL);
    }
}

}  // namespace
