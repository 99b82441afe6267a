#include "platform/Process.h"

#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <thread>

#include <gtest/gtest.h>

#include "platform/PlatformConfig.h"
#include "tests/support/TempPlatform.h"

namespace fs = std::filesystem;

namespace {

class ProcessTest : public ::testing::Test {
  protected:
    // A script in the device's \Windows folder that records its arguments and session.
    void InstallScript(const std::string& name, bool shebang = true) {
        const fs::path script = platform_.DeviceRoot() / "Windows" / name;
        std::ofstream out(script);
        if (shebang) out << "#!/bin/sh\n";
        out << "{ echo \"$#\"; echo \"$1\"; cut -d' ' -f6 /proc/$$/stat; } > '" << report_.string()
            << ".tmp'\nmv '" << report_.string() << ".tmp' '" << report_.string() << "'\n";
        out.close();
        fs::permissions(script, fs::perms::owner_all);
    }

    // The report's lines, once the script has written it (waits up to 20 s).
    std::vector<std::string> WaitForReport() {
        for (int i = 0; i < 2000 && !fs::exists(report_); ++i) {
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
        }
        std::ifstream in(report_);
        std::vector<std::string> lines;
        for (std::string line; std::getline(in, line);) lines.push_back(line);
        return lines;
    }

    TempPlatform platform_;
    fs::path report_ = platform_.Root() / "report.txt";
};

TEST_F(ProcessTest, StartsAProgramOfTheWindowsFolderDetachedWithItsCommandLine) {
    InstallScript("PegHelp.exe");
    PROCESS_INFORMATION info;
    ASSERT_TRUE(CreateProcessW(u"peghelp.EXE", u"file:Vevivo Zozoruv.htm#play", nullptr, nullptr,
                               FALSE, 0, nullptr, nullptr, nullptr, &info));
    EXPECT_NE(info.dwProcessId, 0u);
    EXPECT_EQ(info.hProcess, nullptr);

    const std::vector<std::string> lines = WaitForReport();
    ASSERT_EQ(lines.size(), 3u);
    EXPECT_EQ(lines[0], "1");  // one argument, spaces and all
    EXPECT_EQ(lines[1], "file:Vevivo Zozoruv.htm#play");
    EXPECT_NE(std::stol(lines[2]), static_cast<long>(getsid(0)));  // a session of its own

    // The program is not our child, and the intermediate process has been reaped.
    EXPECT_EQ(waitpid(static_cast<pid_t>(info.dwProcessId), nullptr, WNOHANG), -1);
    EXPECT_EQ(waitpid(-1, nullptr, WNOHANG), -1);
    EXPECT_EQ(errno, ECHILD);
}

TEST_F(ProcessTest, ScriptWithoutInterpreterLineRunsUnderTheShell) {
    InstallScript("helper", false);
    ASSERT_TRUE(CreateProcessW(u"\\Windows\\helper", u"x", nullptr, nullptr, FALSE, 0, nullptr,
                               nullptr, nullptr, nullptr));
    const std::vector<std::string> lines = WaitForReport();
    ASSERT_EQ(lines.size(), 3u);
    EXPECT_EQ(lines[1], "x");
}

TEST_F(ProcessTest, ProgramsThatCannotStartGiveFalse) {
    EXPECT_FALSE(CreateProcessW(u"PegHelp.exe", u"file:x.htm", nullptr, nullptr, FALSE, 0, nullptr,
                                nullptr, nullptr, nullptr));
    EXPECT_EQ(GetLastError(), DWORD(ERROR_FILE_NOT_FOUND));

    const fs::path windows = platform_.DeviceRoot() / "Windows";
    std::ofstream(windows / "plain.exe") << "#!/bin/sh\n";
    fs::permissions(windows / "plain.exe", fs::perms::owner_read | fs::perms::owner_write);
    EXPECT_FALSE(CreateProcessW(u"plain.exe", nullptr, nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                                nullptr, nullptr));
    EXPECT_EQ(GetLastError(), DWORD(ERROR_ACCESS_DENIED));

    fs::create_directory(windows / "Folder.exe");
    EXPECT_FALSE(CreateProcessW(u"Folder.exe", nullptr, nullptr, nullptr, FALSE, 0, nullptr,
                                nullptr, nullptr, nullptr));
    EXPECT_FALSE(CreateProcessW(u"\\..\\..\\bin\\sh", nullptr, nullptr, nullptr, FALSE, 0, nullptr,
                                nullptr, nullptr, nullptr));
    EXPECT_FALSE(CreateProcessW(nullptr, u"x", nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                                nullptr, nullptr));
    EXPECT_EQ(waitpid(-1, nullptr, WNOHANG), -1);  // no child left behind by the failures
}

TEST(ModuleFileName, GivesTheProgramPathCutSafelyToTheBuffer) {
    platform::SetModulePath("/opt/my.games/tessamo");
    WCHAR buffer[MAX_PATH];
    EXPECT_EQ(GetModuleFileNameW(nullptr, buffer, MAX_PATH), 21u);
    EXPECT_EQ(std::u16string(buffer), u"/opt/my.games/tessamo");

    WCHAR small[6] = {u'x', u'x', u'x', u'x', u'x', u'x'};
    EXPECT_EQ(GetModuleFileNameW(nullptr, small, 5), 4u);
    EXPECT_EQ(std::u16string(small), u"/opt");
    EXPECT_EQ(small[5], u'x');
    EXPECT_EQ(GetLastError(), DWORD(ERROR_INSUFFICIENT_BUFFER));
    EXPECT_EQ(GetModuleFileNameW(nullptr, small, 0), 0u);
    EXPECT_EQ(small[0], u'/');
    EXPECT_EQ(GetModuleFileNameW(buffer, buffer, MAX_PATH), 0u);
    platform::SetModulePath({});

    ASSERT_GT(GetModuleFileNameW(nullptr, buffer, MAX_PATH), 0u);
    EXPECT_TRUE(std::u16string(buffer).ends_with(u"platform_process_test"));
}

}  // namespace
