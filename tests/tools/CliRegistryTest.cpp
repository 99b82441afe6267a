// tessamo-cli registry export and import, run as a separate process on a temporary store.
#include <sys/wait.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "platform/PlatformConfig.h"
#include "platform/Registry.h"
#include "platform/RegistrySupport.h"
#include "tests/support/ForeignStore.h"
#include "tests/support/TempPlatform.h"
#include "tests/tools/CliRunner.h"

namespace fs = std::filesystem;

namespace {

class CliRegistryTest : public ::testing::Test {
  protected:
    // The tool finds the store below XDG_DATA_HOME; this process uses the same file.
    void SetUp() override { platform::SetRegistryPath(StoreFile(temp_.Root())); }

    static fs::path StoreFile(const fs::path& dataHome) {
        return dataHome / "korvel-tessamo" / "registry.sqlite";
    }

    CliResult Run(const std::string& args, const fs::path& dataHome) {
        return RunCli(args, {}, "XDG_DATA_HOME=" + dataHome.string());
    }
    CliResult Run(const std::string& args) { return Run(args, temp_.Root()); }

    CliResult Import(const std::string& text) {
        const fs::path file = temp_.Root() / "import.txt";
        std::ofstream(file, std::ios::binary) << text;
        return Run("registry import " + file.string());
    }

    static void Set(HKEY hive, const char16_t* path, const char16_t* name, DWORD type,
                    std::vector<BYTE> data) {
        HKEY key = nullptr;
        ASSERT_EQ(RegCreateKeyExW(hive, path, 0, nullptr, 0, 0, nullptr, &key, nullptr),
                  ERROR_SUCCESS);
        if (name) {
            ASSERT_EQ(
                RegSetValueExW(key, name, 0, type, data.data(), static_cast<DWORD>(data.size())),
                ERROR_SUCCESS);
        }
        RegCloseKey(key);
    }

    static std::vector<BYTE> Text(std::u16string text) {
        std::vector<BYTE> bytes;
        text += u'\0';
        for (char16_t c : text) {
            bytes.push_back(static_cast<BYTE>(c));
            bytes.push_back(static_cast<BYTE>(c >> 8));
        }
        return bytes;
    }

    static bool Exists(HKEY hive, const char16_t* path) {
        HKEY key = nullptr;
        if (RegOpenKeyExW(hive, path, 0, 0, &key) != ERROR_SUCCESS) return false;
        RegCloseKey(key);
        return true;
    }

    TempPlatform temp_;
};

TEST_F(CliRegistryTest, ExportWritesEveryKeyDepthFirstInNameOrder) {
    const char16_t* tessamo = u"\\Software\\Korvel Labs\\Korvel Tessamo";
    Set(HKEY_LOCAL_MACHINE, u"\\Software\\Korvel Labs\\Korvel Tessamo\\Statistics", u"Completed",
        REG_BINARY, {0x00, 0x80, 0xFF, 0x7F});
    Set(HKEY_LOCAL_MACHINE, u"\\Software\\Korvel Labs\\Korvel Tessamo\\Options", u"ShowStatusBar",
        REG_DWORD, {10, 0, 0, 0});
    Set(HKEY_LOCAL_MACHINE, u"\\Software\\Korvel Labs\\Korvel Tessamo\\Options", u"dblClickMoves",
        REG_DWORD, {1, 0, 0, 0});
    Set(HKEY_LOCAL_MACHINE, tessamo, u"Say \"hi\"", REG_SZ, Text(u"C:\\d\u00e9j\u00e0"));
    Set(HKEY_CURRENT_USER, u"\\Apps", nullptr, 0, {});

    const CliResult result = Run("registry export");
    EXPECT_EQ(result.status, 0) << result.err;
    EXPECT_EQ(result.out,
              "[HKEY_LOCAL_MACHINE\\Software]\n"
              "\n"
              "[HKEY_LOCAL_MACHINE\\Software\\Korvel Labs]\n"
              "\n"
              "[HKEY_LOCAL_MACHINE\\Software\\Korvel Labs\\Korvel Tessamo]\n"
              "\"Say \\\"hi\\\"\"=\"C:\\\\d\xC3\xA9j\xC3\xA0\"\n"
              "\n"
              "[HKEY_LOCAL_MACHINE\\Software\\Korvel Labs\\Korvel Tessamo\\Options]\n"
              "\"dblClickMoves\"=dword:00000001\n"
              "\"ShowStatusBar\"=dword:0000000a\n"
              "\n"
              "[HKEY_LOCAL_MACHINE\\Software\\Korvel Labs\\Korvel Tessamo\\Statistics]\n"
              "\"Completed\"=hex:00,80,ff,7f\n"
              "\n"
              "[HKEY_CURRENT_USER\\Apps]\n");
}

TEST_F(CliRegistryTest, ExportAndImportRoundTripEveryValueExactly) {
    Set(HKEY_LOCAL_MACHINE, u"\\A\\B", u"Dword", REG_DWORD, {1, 2, 3, 4});
    Set(HKEY_LOCAL_MACHINE, u"\\A\\B", u"LongDword", REG_DWORD, {1, 2, 3, 4, 5, 6, 7, 8});
    Set(HKEY_LOCAL_MACHINE, u"\\A\\B", u"Binary", REG_BINARY, {0xDE, 0xAD});
    Set(HKEY_LOCAL_MACHINE, u"\\A\\B", u"Empty", REG_BINARY, {});
    Set(HKEY_LOCAL_MACHINE, u"\\A", u"", REG_SZ, Text(u"default \u20ac"));
    Set(HKEY_LOCAL_MACHINE, u"\\A", u"Unterminated", REG_SZ, {'x', 0});
    Set(HKEY_LOCAL_MACHINE, u"\\A", u"Lines", REG_SZ, Text(u"two\nlines"));
    Set(HKEY_LOCAL_MACHINE, u"\\A", u"None", REG_NONE, {});
    Set(HKEY_LOCAL_MACHINE, u"\\A", u"Other", 0x1234, {9});
    Set(HKEY_CURRENT_USER, u"\\Z\\Y\\X", u"Back\\slash", REG_SZ, Text(u"\"q\""));
    Set(HKEY_CURRENT_USER, nullptr, u"AtRoot", REG_DWORD, {0, 0, 0, 0});
    const CliResult exported = Run("registry export");
    ASSERT_EQ(exported.status, 0) << exported.err;

    const fs::path file = temp_.Root() / "backup.txt";
    std::ofstream(file, std::ios::binary) << exported.out;
    const fs::path other = temp_.Root() / "other";
    const CliResult imported = Run("registry import " + file.string(), other);
    ASSERT_EQ(imported.status, 0) << imported.err;
    const CliResult again = Run("registry export", other);
    EXPECT_EQ(again.out, exported.out);

    // The bytes themselves came across, not only their text.
    platform::SetRegistryPath(StoreFile(other));
    HKEY key = nullptr;
    ASSERT_EQ(RegOpenKeyExW(HKEY_LOCAL_MACHINE, u"\\A\\B", 0, 0, &key), ERROR_SUCCESS);
    BYTE data[16];
    DWORD type = 0, size = sizeof data;
    ASSERT_EQ(RegQueryValueExW(key, u"LongDword", nullptr, &type, data, &size), ERROR_SUCCESS);
    EXPECT_EQ(type, REG_DWORD);
    EXPECT_EQ(size, 8u);
    RegCloseKey(key);
}

TEST_F(CliRegistryTest, ImportAddsReplacesAndRemoves) {
    Set(HKEY_LOCAL_MACHINE, u"\\Software\\Korvel Labs\\Korvel Tessamo\\Options", u"Keep", REG_DWORD,
        {5, 0, 0, 0});
    Set(HKEY_LOCAL_MACHINE, u"\\Software\\Korvel Labs\\Korvel Tessamo\\Options", u"Drop", REG_DWORD,
        {5, 0, 0, 0});
    Set(HKEY_LOCAL_MACHINE, u"\\Software\\Korvel Labs\\Old Release\\Deep\\Deeper", u"V", REG_DWORD,
        {1, 0, 0, 0});
    Set(HKEY_LOCAL_MACHINE, u"\\Software\\Korvel Labs\\Other", u"V", REG_DWORD, {1, 0, 0, 0});
    const CliResult result = Import(
        "; restore\r\n"
        "[HKEY_LOCAL_MACHINE\\Software\\Korvel Labs\\Korvel Tessamo\\Options]\r\n"
        "\"ShowStatusBar\"=dword:00000000\r\n"
        "\"drop\"=-\r\n"
        "\r\n"
        "[-HKEY_LOCAL_MACHINE\\Software\\Korvel Labs\\Old Release]\r\n"
        "[-HKEY_LOCAL_MACHINE\\Software\\Never There]\r\n");
    ASSERT_EQ(result.status, 0) << result.err;
    EXPECT_FALSE(Exists(HKEY_LOCAL_MACHINE, u"\\Software\\Korvel Labs\\Old Release"));
    EXPECT_TRUE(Exists(HKEY_LOCAL_MACHINE, u"\\Software\\Korvel Labs\\Other"));
    EXPECT_EQ(Run("registry export").out,
              "[HKEY_LOCAL_MACHINE\\Software]\n\n"
              "[HKEY_LOCAL_MACHINE\\Software\\Korvel Labs]\n\n"
              "[HKEY_LOCAL_MACHINE\\Software\\Korvel Labs\\Korvel Tessamo]\n\n"
              "[HKEY_LOCAL_MACHINE\\Software\\Korvel Labs\\Korvel Tessamo\\Options]\n"
              "\"Keep\"=dword:00000005\n"
              "\"ShowStatusBar\"=dword:00000000\n\n"
              "[HKEY_LOCAL_MACHINE\\Software\\Korvel Labs\\Other]\n"
              "\"V\"=dword:00000001\n");
}

TEST_F(CliRegistryTest, AMalformedFileIsRefusedWithItsLineNumberAndChangesNothing) {
    Set(HKEY_LOCAL_MACHINE, u"\\Software\\Keep", u"V", REG_DWORD, {1, 0, 0, 0});
    const std::string before = Run("registry export").out;
    struct Case {
        const char* text;
        const char* line;
    };
    const Case cases[] = {
        {"[HKEY_LOCAL_MACHINE\\New]\n\"A\"=dword:1\n[-HKEY_LOCAL_MACHINE\\Software]\n\"B\"=dwrd:"
         "2\n",
         ":4:"},
        {"\"A\"=dword:1\n", ":1:"},
        {"[HKEY_LOCAL_MACHINE\\New]\n\n\"A\"=hex:0g\n", ":3:"},
        {"[HKEY_LOCAL_MACHINE\\New]\n\"A\"=\"unterminated\n", ":2:"},
        {"[HKEY_LOCAL_MACHINE\\New]\n\"A\\n\"=dword:1\n", ":2:"},
        {"[HKEY_SOMEWHERE\\New]\n", ":1:"},
        {"[HKEY_LOCAL_MACHINE\\New\\\\Gap]\n", ":1:"},
        {"[HKEY_LOCAL_MACHINE\\New\n", ":1:"},
        {"[-HKEY_LOCAL_MACHINE]\n", ":1:"},
        {"[HKEY_LOCAL_MACHINE\\New]\n\"A\"=dword:123456789\n", ":2:"},
        {"[HKEY_LOCAL_MACHINE\\New]\n\"A\"=\"\xff\"\n", ":2:"},
        {"[HKEY_LOCAL_MACHINE\\New]\n\"A\"=\"x\" trailing\n", ":2:"},
        {"[HKEY_LOCAL_MACHINE\\New]\nstray text\n", ":2:"},
    };
    for (const Case& c : cases) {
        const CliResult result = Import(c.text);
        EXPECT_EQ(result.status, 2) << c.text;
        EXPECT_NE(result.err.find(c.line), std::string::npos) << c.text << " -> " << result.err;
        EXPECT_EQ(std::count(result.err.begin(), result.err.end(), '\n'), 1) << result.err;
    }
    // A name one character over the registry's limit; the pairs count as two characters each.
    const std::string tooLong(16384, 'y');
    std::string pairs;
    for (int i = 0; i < 8192; ++i) pairs += "\xF0\x9F\x82\xA1";
    for (const std::string& name : {tooLong, pairs}) {
        const CliResult result = Import("[HKEY_LOCAL_MACHINE\\New]\n\n\"" + name + "\"=dword:1\n");
        EXPECT_EQ(result.status, 2);
        EXPECT_NE(result.err.find(":3:"), std::string::npos) << result.err;
        EXPECT_EQ(std::count(result.err.begin(), result.err.end(), '\n'), 1) << result.err;
    }
    // Neither a missing file nor a folder can be read.
    for (const fs::path& unreadable : {temp_.Root() / "missing.txt", temp_.Root()}) {
        const CliResult result = Run("registry import " + unreadable.string());
        EXPECT_EQ(result.status, 2) << unreadable << ": " << result.err;
        EXPECT_EQ(std::count(result.err.begin(), result.err.end(), '\n'), 1) << result.err;
    }
    EXPECT_EQ(Run("registry export").out, before);
    EXPECT_EQ(Run("registry frobnicate").status, 2);
}

TEST_F(CliRegistryTest, NamesUpToTheRegistrysLimitsRoundTrip) {
    // Longer than the handheld's 260-character paths, and the longest names the registry takes.
    const std::string longValue = std::string(299, 'v') + "\xE2\x82\xAC";
    const std::string longestValue(16383, 'w');
    const std::string longestKey(255, 'k');
    const std::string text = "[HKEY_LOCAL_MACHINE\\" + longestKey + "]\n\"" + longestValue +
                             "\"=dword:00000002\n\n[HKEY_LOCAL_MACHINE\\Long]\n\"" + longValue +
                             "\"=dword:00000007\n";
    const CliResult imported = Import(text);
    ASSERT_EQ(imported.status, 0) << imported.err;
    const CliResult exported = Run("registry export");
    ASSERT_EQ(exported.status, 0) << exported.err;
    EXPECT_EQ(exported.out, text);

    const fs::path file = temp_.Root() / "backup.txt";
    std::ofstream(file, std::ios::binary) << exported.out;
    const fs::path other = temp_.Root() / "other";
    ASSERT_EQ(Run("registry import " + file.string(), other).status, 0);
    EXPECT_EQ(Run("registry export", other).out, exported.out);
}

TEST_F(CliRegistryTest, ExportNeitherLocksNorCreatesTheStore) {
    // Where there is no store, there is nothing to show, and none is made.
    const fs::path nowhere = temp_.Root() / "nowhere";
    const CliResult none = Run("registry export", nowhere);
    EXPECT_EQ(none.status, 0) << none.err;
    EXPECT_EQ(none.out, "");
    EXPECT_FALSE(fs::exists(nowhere));

    // While the game holds the store for writing, export shows what was committed.
    Set(HKEY_LOCAL_MACHINE, u"\\Committed", u"V", REG_DWORD, {1, 0, 0, 0});
    const std::string committed = Run("registry export").out;
    ASSERT_NE(committed, "");
    platform::RegistryBatch writing;
    ASSERT_TRUE(writing.Ok());
    Set(HKEY_LOCAL_MACHINE, u"\\Pending", u"V", REG_DWORD, {2, 0, 0, 0});
    const CliResult during = Run("registry export");
    EXPECT_EQ(during.status, 0) << during.err;
    EXPECT_EQ(during.out, committed);
}

// Import takes keys as deep as the registry lets anyone create them, and no deeper.
TEST_F(CliRegistryTest, ImportRefusesKeysDeeperThanTheRegistryTakes) {
    std::string deepest = "[HKEY_LOCAL_MACHINE";
    for (int i = 0; i < kMaxKeyDepth; ++i) deepest += "\\k";
    const std::string text = deepest + "]\n\"V\"=dword:00000001\n";
    ASSERT_EQ(Import(text).status, 0);
    const CliResult before = Run("registry export");
    ASSERT_EQ(before.status, 0) << before.err;
    EXPECT_TRUE(before.out.ends_with(text));

    const CliResult refused = Import("; deeper\n" + deepest + "\\one]\n");
    EXPECT_EQ(refused.status, 2);
    EXPECT_NE(refused.err.find(":2: key path deeper than 512 levels"), std::string::npos)
        << refused.err;
    EXPECT_TRUE(Run("registry export").out == before.out);
}

// A store that another program nested far deeper: export says so instead of crashing or
// writing part of it, and one removal line takes the whole tree.
TEST_F(CliRegistryTest, AStoreNestedDeeperThanTheRegistryTakesIsRefusedAndCanBeRemoved) {
    Set(HKEY_LOCAL_MACHINE, u"\\d", u"V", REG_DWORD, {1, 0, 0, 0});
    Set(HKEY_LOCAL_MACHINE, u"\\Keep", u"V", REG_DWORD, {2, 0, 0, 0});
    const fs::path file = StoreFile(temp_.Root());
    ASSERT_GT(foreign_store::AddKeyChain(file, foreign_store::KeyId(file, {"d"}), 15000), 0);

    const CliResult exported = Run("registry export");
    EXPECT_EQ(exported.status, 1);
    EXPECT_EQ(exported.out, "");
    EXPECT_NE(exported.err.find("deeper than 512 levels"), std::string::npos) << exported.err;

    const CliResult removed = Import("[-HKEY_LOCAL_MACHINE\\d]\n");
    EXPECT_EQ(removed.status, 0) << removed.err;
    const CliResult after = Run("registry export");
    EXPECT_EQ(after.status, 0) << after.err;
    EXPECT_EQ(after.out, "[HKEY_LOCAL_MACHINE\\Keep]\n\"V\"=dword:00000002\n");
}

// Export only reads: a file that is no store is reported and left exactly as it is, never
// set aside for a new and empty store whose listing would look like a backup.
TEST_F(CliRegistryTest, ExportOfADamagedStoreFailsAndLeavesItAsItIs) {
    const fs::path file = StoreFile(temp_.Root());
    fs::create_directories(file.parent_path());
    const std::string bytes = "not a store, but somebody's data\n";
    std::ofstream(file, std::ios::binary) << bytes;

    const CliResult exported = Run("registry export");
    EXPECT_EQ(exported.status, 1);
    EXPECT_EQ(exported.out, "");
    EXPECT_NE(exported.err.find("it is left as it is"), std::string::npos) << exported.err;
    std::ifstream in(file, std::ios::binary);
    EXPECT_EQ(std::string(std::istreambuf_iterator<char>(in), {}), bytes);
    for (const auto& entry : fs::directory_iterator(file.parent_path())) {
        EXPECT_EQ(entry.path().filename().string().find(".corrupt-"), std::string::npos)
            << entry.path();
    }
}

// A listing that could not be written whole is a failure, also when the tool only finds out
// as its output is flushed.
TEST_F(CliRegistryTest, ExportToAFullDiskFails) {
    Set(HKEY_LOCAL_MACHINE, u"\\Key", u"V", REG_DWORD, {1, 0, 0, 0});
    const std::string command = "XDG_DATA_HOME=" + temp_.Root().string() +
                                " " TESSAMO_CLI " registry export >/dev/full 2>/dev/null";
    const int raw = std::system(command.c_str());
    ASSERT_TRUE(WIFEXITED(raw));
    EXPECT_EQ(WEXITSTATUS(raw), 1);
}

}  // namespace
