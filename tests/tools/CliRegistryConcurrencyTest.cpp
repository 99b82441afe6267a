// The game's settings writes and `tessamo-cli registry import` at the same time, in two
// processes: neither loses an update of the other, and an import that cannot get the
// store's write lock within the busy timeout reports it and changes nothing.
#include <gtest/gtest.h>
#include <poll.h>
#include <sys/wait.h>
#include <unistd.h>

#include <fstream>
#include <string>
#include <vector>

#include "game/settings/Options.h"
#include "game/settings/Statistics.h"
#include "platform/PlatformConfig.h"
#include "platform/Registry.h"
#include "platform/RegistrySupport.h"
#include "platform/WideString.h"
#include "tests/support/ChildProcess.h"
#include "tests/support/LockHolder.h"
#include "tests/support/TempPlatform.h"
#include "tests/tools/CliRunner.h"

namespace fs = std::filesystem;

namespace {

constexpr char kOptionsKey[] = "HKEY_LOCAL_MACHINE\\Software\\Korvel Labs\\Korvel Tessamo\\Options";

class CliRegistryConcurrencyTest : public ::testing::Test {
  protected:
    // The tool finds the store below XDG_DATA_HOME; this process uses the same file.
    void SetUp() override {
        platform::SetRegistryPath(temp_.Root() / "korvel-tessamo" / "registry.sqlite");
    }

    // An import file that adds one value beside the game's options and one key of its own.
    fs::path ImportFile(int i) {
        const fs::path file = temp_.Root() / ("import-" + std::to_string(i) + ".txt");
        std::ofstream(file, std::ios::binary)
            << '[' << kOptionsKey << "]\n\"Imported" << i << "\"=dword:" << std::hex << i << "\n\n"
            << "[HKEY_LOCAL_MACHINE\\Software\\Imported\\Batch" << std::dec << i << "]\n"
            << "\"v\"=hex:01,02\n";
        return file;
    }

    CliResult Import(int i) {
        return RunCli("registry import " + ImportFile(i).string(), {},
                      "XDG_DATA_HOME=" + temp_.Root().string());
    }

    static long long Imported(int i) {
        HKEY key = nullptr;
        const std::u16string path = u"\\Software\\Korvel Labs\\Korvel Tessamo\\Options";
        if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, path.c_str(), 0, 0, &key) != ERROR_SUCCESS) return -1;
        const std::u16string name = u"Imported" + FromUtf8(std::to_string(i));
        DWORD value = 0, size = 4;
        const LONG rc = RegQueryValueExW(key, name.c_str(), nullptr, nullptr,
                                         reinterpret_cast<BYTE*>(&value), &size);
        RegCloseKey(key);
        if (rc != ERROR_SUCCESS) return -1;
        const std::u16string batch = u"\\Software\\Imported\\Batch" + FromUtf8(std::to_string(i));
        if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, batch.c_str(), 0, 0, &key) != ERROR_SUCCESS)
            return -2;
        RegCloseKey(key);
        return value;
    }

    TempPlatform temp_;
};

TEST_F(CliRegistryConcurrencyTest, TheGameAndAnImportWritingAtOnceLoseNothing) {
    constexpr int kImports = 25;
    {
        Statistics statistics;
        statistics.Load();  // the store exists before both start
    }
    // The game plays until every import has ended, so the two always overlap, and then
    // tells how many games it won.
    ChildProcess game([](int out, int in) {
        Statistics statistics;
        statistics.Load();
        Options options;
        options.Load();
        bool saved = true;
        std::int32_t won = 0;
        pollfd stopped{in, POLLIN, 0};
        while (won < 32000 && poll(&stopped, 1, 0) == 0) {
            statistics.RecordDeal();
            saved = saved && statistics.Saved();
            statistics.RecordWin(static_cast<std::int16_t>(++won));
            saved = saved && statistics.Saved();
            options.SetShowStatusBar(won % 2 == 0);
            options.Save();
        }
        if (write(out, &won, sizeof won) != static_cast<ssize_t>(sizeof won)) return 2;
        return saved ? 0 : 1;
    });
    ASSERT_TRUE(game.Started());
    std::vector<CliResult> imports;
    for (int i = 0; i < kImports; ++i) imports.push_back(Import(i));
    game.CloseInput();
    std::int32_t won = 0;
    ASSERT_TRUE(game.Read(&won, sizeof won));
    const int status = game.Wait();
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 0) << "a save of the game failed";
    ASSERT_GT(won, 0);

    for (int i = 0; i < kImports; ++i) {
        EXPECT_EQ(imports[i].status, 0) << i << ": " << imports[i].err;
        EXPECT_EQ(Imported(i), i);
    }
    Statistics stored;
    stored.Load();
    EXPECT_EQ(stored.Games(), static_cast<DWORD>(won));
    EXPECT_EQ(stored.Won(), static_cast<DWORD>(won));
    ASSERT_EQ(stored.Completed().size(), static_cast<std::size_t>(won + 2));
    for (int n = 1; n <= won; ++n) EXPECT_EQ(stored.Completed()[n], n);
    std::printf("%d imports beside %d games won\n", kImports, won);
}

TEST_F(CliRegistryConcurrencyTest, AnImportThatCannotGetTheLockReportsAndChangesNothing) {
    LockHolder holder(60000);  // held until released below
    ASSERT_TRUE(holder.Locked());

    // The tool waits its busy timeout (5 s), then gives up and says so.
    const CliResult locked = Import(1);
    holder.Release();
    EXPECT_EQ(locked.status, 1);
    EXPECT_NE(locked.err.find("cannot open or lock the store"), std::string::npos) << locked.err;
    EXPECT_NE(locked.err.find("nothing was changed"), std::string::npos);
    EXPECT_EQ(Imported(1), -1);

    const CliResult later = Import(1);
    EXPECT_EQ(later.status, 0) << later.err;
    EXPECT_EQ(Imported(1), 1);
}

}  // namespace
