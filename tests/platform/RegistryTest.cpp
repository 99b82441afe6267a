// The registry's semantics on one store, as the game and the setup hooks rely on them.
#include "platform/Registry.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <string>
#include <vector>

#include "platform/Files.h"
#include "platform/PlatformConfig.h"
#include "platform/RegistrySupport.h"
#include "tests/support/ForeignStore.h"
#include "tests/support/StoreText.h"
#include "tests/support/TempPlatform.h"

namespace {

class RegistryTest : public ::testing::Test {
  protected:
    // Creates (or opens) a key below HKLM; fails the test if it cannot.
    HKEY Create(const char16_t* path, DWORD* disposition = nullptr) {
        HKEY key = nullptr;
        EXPECT_EQ(
            RegCreateKeyExW(HKEY_LOCAL_MACHINE, path, 0, nullptr, 0, 0, nullptr, &key, disposition),
            ERROR_SUCCESS);
        return key;
    }

    // The names of the key's subkeys or of its values, in the registry's order.
    static std::vector<std::u16string> Names(HKEY key, bool values) {
        std::vector<std::u16string> names;
        for (DWORD i = 0;; ++i) {
            WCHAR name[MAX_PATH];
            DWORD length = MAX_PATH;
            const LONG status =
                values ? RegEnumValueW(key, i, name, &length, nullptr, nullptr, nullptr, nullptr)
                       : RegEnumKeyExW(key, i, name, &length, nullptr, nullptr, nullptr, nullptr);
            if (status != ERROR_SUCCESS) break;
            names.emplace_back(name, length);
        }
        return names;
    }
    static std::vector<std::u16string> Subkeys(HKEY key) { return Names(key, false); }
    static std::vector<std::u16string> Values(HKEY key) { return Names(key, true); }

    static LONG SetDword(HKEY key, const char16_t* name, DWORD value) {
        return RegSetValueExW(key, name, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&value), 4);
    }

    TempPlatform temp_;
};

TEST_F(RegistryTest, NamesAreCaseInsensitiveAndKeepTheirFirstCase) {
    HKEY apps = Create(u"\\SOFTWARE\\Apps");
    HKEY labs = Create(u"\\Software\\Korvel Labs");
    EXPECT_EQ(Subkeys(HKEY_LOCAL_MACHINE), std::vector<std::u16string>{u"SOFTWARE"});

    HKEY software = nullptr;
    ASSERT_EQ(RegOpenKeyExW(HKEY_LOCAL_MACHINE, u"software", 0, 0, &software), ERROR_SUCCESS);
    EXPECT_EQ(Subkeys(software), (std::vector<std::u16string>{u"Apps", u"Korvel Labs"}));

    // A path without the leading backslash, in another case, reaches the same key.
    HKEY same = nullptr;
    ASSERT_EQ(RegOpenKeyExW(HKEY_LOCAL_MACHINE, u"SOFTWARE\\KORVEL LABS", 0, 0, &same),
              ERROR_SUCCESS);
    ASSERT_EQ(SetDword(labs, u"Mixed", 7), ERROR_SUCCESS);
    ASSERT_EQ(SetDword(same, u"MIXED", 9), ERROR_SUCCESS);
    EXPECT_EQ(Values(labs), std::vector<std::u16string>{u"Mixed"});
    DWORD value = 0, size = 4, type = 0;
    ASSERT_EQ(
        RegQueryValueExW(labs, u"mixed", nullptr, &type, reinterpret_cast<BYTE*>(&value), &size),
        ERROR_SUCCESS);
    EXPECT_EQ(value, 9u);
    EXPECT_EQ(type, REG_DWORD);

    for (HKEY k : {apps, labs, software, same}) EXPECT_EQ(RegCloseKey(k), ERROR_SUCCESS);
    EXPECT_EQ(StoreText(),
              "[HKEY_LOCAL_MACHINE\\SOFTWARE]\n"
              "\n"
              "[HKEY_LOCAL_MACHINE\\SOFTWARE\\Apps]\n"
              "\n"
              "[HKEY_LOCAL_MACHINE\\SOFTWARE\\Korvel Labs]\n"
              "\"Mixed\"=dword:00000009\n");
}

TEST_F(RegistryTest, CreateReportsWhetherTheKeyIsNew) {
    DWORD disposition = 0;
    HKEY a = Create(u"\\A\\B\\C", &disposition);
    EXPECT_EQ(disposition, REG_CREATED_NEW_KEY);
    HKEY b = Create(u"a\\b\\c", &disposition);
    EXPECT_EQ(disposition, REG_OPENED_EXISTING_KEY);
    HKEY missing = nullptr;
    EXPECT_EQ(RegOpenKeyExW(HKEY_LOCAL_MACHINE, u"\\A\\X", 0, 0, &missing), ERROR_FILE_NOT_FOUND);
    EXPECT_EQ(missing, nullptr);
    // The other hive is separate.
    EXPECT_EQ(RegOpenKeyExW(HKEY_CURRENT_USER, u"\\A", 0, 0, &missing), ERROR_FILE_NOT_FOUND);
    RegCloseKey(a);
    RegCloseKey(b);
}

TEST_F(RegistryTest, ValuesKeepTypeAndBytesAndReportSizes) {
    HKEY key = Create(u"\\Values");
    const BYTE blob[] = {0x00, 0x80, 0xFF, 0x7F, 0x01};
    const char16_t text[] = u"h\u00e9llo";
    ASSERT_EQ(SetDword(key, u"Number", 0xA0B0C0D0), ERROR_SUCCESS);
    ASSERT_EQ(RegSetValueExW(key, u"Blob", 0, REG_BINARY, blob, sizeof blob), ERROR_SUCCESS);
    ASSERT_EQ(
        RegSetValueExW(key, u"Text", 0, REG_SZ, reinterpret_cast<const BYTE*>(text), sizeof text),
        ERROR_SUCCESS);
    ASSERT_EQ(RegSetValueExW(key, u"Empty", 0, REG_BINARY, nullptr, 0), ERROR_SUCCESS);
    EXPECT_EQ(RegSetValueExW(key, u"Bad", 0, REG_BINARY, nullptr, 3), ERROR_INVALID_PARAMETER);

    // Size only, then a buffer one byte short, then the right size.
    DWORD type = 0, size = 0;
    ASSERT_EQ(RegQueryValueExW(key, u"Blob", nullptr, &type, nullptr, &size), ERROR_SUCCESS);
    EXPECT_EQ(type, REG_BINARY);
    EXPECT_EQ(size, sizeof blob);
    BYTE buffer[8] = {0xEE, 0xEE, 0xEE, 0xEE, 0xEE, 0xEE, 0xEE, 0xEE};
    size = 4;
    EXPECT_EQ(RegQueryValueExW(key, u"Blob", nullptr, nullptr, buffer, &size), ERROR_MORE_DATA);
    EXPECT_EQ(size, sizeof blob);
    size = sizeof buffer;
    ASSERT_EQ(RegQueryValueExW(key, u"Blob", nullptr, nullptr, buffer, &size), ERROR_SUCCESS);
    EXPECT_EQ(size, sizeof blob);
    EXPECT_EQ(std::memcmp(buffer, blob, sizeof blob), 0);
    EXPECT_EQ(buffer[5], 0xEE);  // nothing written past the value

    DWORD number = 0;
    size = 4;
    ASSERT_EQ(
        RegQueryValueExW(key, u"NUMBER", nullptr, &type, reinterpret_cast<BYTE*>(&number), &size),
        ERROR_SUCCESS);
    EXPECT_EQ(type, REG_DWORD);
    EXPECT_EQ(number, 0xA0B0C0D0u);

    char16_t readText[16] = {};
    size = sizeof readText;
    ASSERT_EQ(
        RegQueryValueExW(key, u"Text", nullptr, &type, reinterpret_cast<BYTE*>(readText), &size),
        ERROR_SUCCESS);
    EXPECT_EQ(type, REG_SZ);
    EXPECT_EQ(size, sizeof text);
    EXPECT_EQ(std::u16string(readText), std::u16string(text));

    size = 99;
    ASSERT_EQ(RegQueryValueExW(key, u"Empty", nullptr, nullptr, buffer, &size), ERROR_SUCCESS);
    EXPECT_EQ(size, 0u);

    // A replaced value takes its new type and size.
    ASSERT_EQ(RegSetValueExW(key, u"Number", 0, REG_BINARY, blob, 2), ERROR_SUCCESS);
    size = 0;
    ASSERT_EQ(RegQueryValueExW(key, u"Number", nullptr, &type, nullptr, &size), ERROR_SUCCESS);
    EXPECT_EQ(type, REG_BINARY);
    EXPECT_EQ(size, 2u);

    EXPECT_EQ(RegDeleteValueW(key, u"blob"), ERROR_SUCCESS);
    EXPECT_EQ(RegDeleteValueW(key, u"Blob"), ERROR_FILE_NOT_FOUND);
    EXPECT_EQ(RegQueryValueExW(key, u"Blob", nullptr, nullptr, nullptr, &size),
              ERROR_FILE_NOT_FOUND);
    RegCloseKey(key);
    EXPECT_EQ(StoreText(),
              "[HKEY_LOCAL_MACHINE\\Values]\n"
              "\"Empty\"=hex:\n"
              "\"Number\"=hex:00,80\n"
              "\"Text\"=\"h\xC3\xA9llo\"\n");
}

TEST_F(RegistryTest, EnumerationIsOrderedAndEndsWithNoMoreItems) {
    HKEY root = Create(u"\\Enum");
    for (const char16_t* name : {u"beta", u"Alpha", u"GAMMA"}) {
        HKEY k = nullptr;
        ASSERT_EQ(RegCreateKeyExW(root, name, 0, nullptr, 0, 0, nullptr, &k, nullptr),
                  ERROR_SUCCESS);
        RegCloseKey(k);
        ASSERT_EQ(SetDword(root, name, 1), ERROR_SUCCESS);
    }
    const std::vector<std::u16string> expected{u"Alpha", u"beta", u"GAMMA"};
    EXPECT_EQ(Subkeys(root), expected);
    EXPECT_EQ(Subkeys(root), expected);  // the same again while nothing changes
    EXPECT_EQ(Values(root), expected);

    WCHAR name[MAX_PATH];
    DWORD length = MAX_PATH;
    EXPECT_EQ(RegEnumKeyExW(root, 3, name, &length, nullptr, nullptr, nullptr, nullptr),
              ERROR_NO_MORE_ITEMS);
    length = MAX_PATH;
    EXPECT_EQ(RegEnumValueW(root, 3, name, &length, nullptr, nullptr, nullptr, nullptr),
              ERROR_NO_MORE_ITEMS);
    // A name buffer too small for "GAMMA" and its terminator.
    WCHAR small[5];
    length = 5;
    EXPECT_EQ(RegEnumKeyExW(root, 2, small, &length, nullptr, nullptr, nullptr, nullptr),
              ERROR_MORE_DATA);
    // Enumerating values can hand out the data as well.
    DWORD type = 0, data = 0, dataLength = 4;
    length = MAX_PATH;
    ASSERT_EQ(RegEnumValueW(root, 0, name, &length, nullptr, &type, reinterpret_cast<BYTE*>(&data),
                            &dataLength),
              ERROR_SUCCESS);
    EXPECT_EQ(type, REG_DWORD);
    EXPECT_EQ(data, 1u);
    RegCloseKey(root);
}

TEST_F(RegistryTest, DeleteKeyRefusesAKeyWithSubkeys) {
    HKEY leaf = Create(u"\\Tree\\Branch\\Leaf");
    ASSERT_EQ(SetDword(leaf, u"V", 1), ERROR_SUCCESS);
    EXPECT_EQ(RegDeleteKeyW(HKEY_LOCAL_MACHINE, u"\\Tree\\Branch"), ERROR_KEY_HAS_CHILDREN);
    EXPECT_EQ(RegDeleteKeyW(HKEY_LOCAL_MACHINE, u"\\Tree\\Branch\\Leaf"), ERROR_SUCCESS);
    // The open handle now names a deleted key: every use fails, nothing crashes.
    DWORD size = 0;
    EXPECT_EQ(RegQueryValueExW(leaf, u"V", nullptr, nullptr, nullptr, &size), ERROR_BADKEY);
    EXPECT_EQ(SetDword(leaf, u"V", 2), ERROR_BADKEY);
    EXPECT_EQ(RegCloseKey(leaf), ERROR_SUCCESS);
    EXPECT_EQ(RegDeleteKeyW(HKEY_LOCAL_MACHINE, u"\\Tree\\Branch"), ERROR_SUCCESS);
    EXPECT_EQ(RegDeleteKeyW(HKEY_LOCAL_MACHINE, u"\\Tree\\Branch"), ERROR_FILE_NOT_FOUND);
    EXPECT_EQ(RegDeleteKeyW(HKEY_LOCAL_MACHINE, u""), ERROR_INVALID_PARAMETER);

    // A key recreated under the same name starts empty.
    HKEY again = Create(u"\\Tree\\Branch\\Leaf");
    EXPECT_EQ(RegQueryValueExW(again, u"V", nullptr, nullptr, nullptr, &size),
              ERROR_FILE_NOT_FOUND);
    RegCloseKey(again);
    EXPECT_EQ(StoreText(),
              "[HKEY_LOCAL_MACHINE\\Tree]\n"
              "\n"
              "[HKEY_LOCAL_MACHINE\\Tree\\Branch]\n"
              "\n"
              "[HKEY_LOCAL_MACHINE\\Tree\\Branch\\Leaf]\n");
}

TEST_F(RegistryTest, BadHandlesAndNamesFailSafely) {
    HKEY key = Create(u"\\Handles");
    ASSERT_EQ(RegCloseKey(key), ERROR_SUCCESS);
    EXPECT_EQ(RegCloseKey(key), ERROR_INVALID_HANDLE);
    HKEY madeUp = reinterpret_cast<HKEY>(static_cast<std::uintptr_t>(0x1234));
    DWORD size = 0;
    for (HKEY bad : {key, madeUp, static_cast<HKEY>(nullptr)}) {
        EXPECT_EQ(RegQueryValueExW(bad, u"V", nullptr, nullptr, nullptr, &size),
                  ERROR_INVALID_HANDLE);
        EXPECT_EQ(SetDword(bad, u"V", 1), ERROR_INVALID_HANDLE);
        EXPECT_EQ(RegFlushKey(bad), ERROR_INVALID_HANDLE);
        HKEY child = nullptr;
        EXPECT_EQ(RegOpenKeyExW(bad, u"X", 0, 0, &child), ERROR_INVALID_HANDLE);
    }
    HKEY child = nullptr;
    EXPECT_EQ(RegCreateKeyExW(HKEY_LOCAL_MACHINE, u"\\Bad\nName", 0, nullptr, 0, 0, nullptr, &child,
                              nullptr),
              ERROR_INVALID_PARAMETER);
    const std::u16string tooLong(256, u'x');
    EXPECT_EQ(RegCreateKeyExW(HKEY_LOCAL_MACHINE, tooLong.c_str(), 0, nullptr, 0, 0, nullptr,
                              &child, nullptr),
              ERROR_INVALID_PARAMETER);
    EXPECT_EQ(RegOpenKeyExW(HKEY_LOCAL_MACHINE, u"\\Bad", 0, 0, &child), ERROR_FILE_NOT_FOUND);
}

TEST_F(RegistryTest, ANewStorePathIsUsedAtOnceAndOldHandlesFail) {
    HKEY key = Create(u"\\First");
    ASSERT_EQ(SetDword(key, u"V", 1), ERROR_SUCCESS);
    const auto other = temp_.Root() / "nested" / "folder" / "other.sqlite";
    platform::SetRegistryPath(other);
    HKEY found = nullptr;
    EXPECT_EQ(RegOpenKeyExW(HKEY_LOCAL_MACHINE, u"\\First", 0, 0, &found), ERROR_FILE_NOT_FOUND);
    EXPECT_TRUE(std::filesystem::exists(other));
    DWORD size = 0;
    EXPECT_EQ(RegQueryValueExW(key, u"V", nullptr, nullptr, nullptr, &size), ERROR_INVALID_HANDLE);
    platform::SetRegistryPath(temp_.RegistryFile());
    ASSERT_EQ(RegOpenKeyExW(HKEY_LOCAL_MACHINE, u"\\First", 0, 0, &found), ERROR_SUCCESS);
    EXPECT_EQ(RegQueryValueExW(found, u"V", nullptr, nullptr, nullptr, &size), ERROR_SUCCESS);
    RegCloseKey(found);
}

TEST_F(RegistryTest, BatchCommitsAllOrNothing) {
    {
        platform::RegistryBatch batch;
        ASSERT_TRUE(batch.Ok());
        HKEY key = Create(u"\\Batch\\Dropped");
        EXPECT_EQ(SetDword(key, u"V", 1), ERROR_SUCCESS);
        RegCloseKey(key);
    }
    HKEY key = nullptr;
    EXPECT_EQ(RegOpenKeyExW(HKEY_LOCAL_MACHINE, u"\\Batch", 0, 0, &key), ERROR_FILE_NOT_FOUND);
    {
        platform::RegistryBatch batch;
        HKEY kept = Create(u"\\Batch\\Kept");
        EXPECT_EQ(SetDword(kept, u"V", 1), ERROR_SUCCESS);
        RegCloseKey(kept);
        EXPECT_EQ(batch.Commit(), platform::RegistryBatch::CommitResult::kDone);
        // Once committed, there is nothing left to commit.
        EXPECT_EQ(batch.Commit(), platform::RegistryBatch::CommitResult::kFailed);
    }
    EXPECT_EQ(RegOpenKeyExW(HKEY_LOCAL_MACHINE, u"\\Batch\\Kept", 0, 0, &key), ERROR_SUCCESS);
    RegCloseKey(key);
    EXPECT_EQ(StoreText(),
              "[HKEY_LOCAL_MACHINE\\Batch]\n"
              "\n"
              "[HKEY_LOCAL_MACHINE\\Batch\\Kept]\n"
              "\"V\"=dword:00000001\n");
}

// A path of `levels` components, each "k".
std::u16string DeepPath(const char16_t* top, int levels) {
    std::u16string path = top;
    for (int i = 0; i < levels; ++i) path += u"\\k";
    return path;
}

TEST_F(RegistryTest, KeysNestAtMostTheDepthLimit) {
    // The top key counts as the first level.
    HKEY deepest = Create(DeepPath(u"\\Deep", kMaxKeyDepth - 1).c_str());
    ASSERT_NE(deepest, nullptr);
    HKEY child = nullptr;
    EXPECT_EQ(RegCreateKeyExW(deepest, u"one more", 0, nullptr, 0, 0, nullptr, &child, nullptr),
              ERROR_INVALID_PARAMETER);
    EXPECT_EQ(RegOpenKeyExW(deepest, u"one more", 0, 0, &child), ERROR_FILE_NOT_FOUND);
    // An existing key at the limit opens through create as well.
    HKEY again = nullptr;
    EXPECT_EQ(RegCreateKeyExW(HKEY_LOCAL_MACHINE, DeepPath(u"\\Deep", kMaxKeyDepth - 1).c_str(), 0,
                              nullptr, 0, 0, nullptr, &again, nullptr),
              ERROR_SUCCESS);
    RegCloseKey(again);
    RegCloseKey(deepest);

    // One path too deep creates nothing at all, not even its first levels.
    EXPECT_EQ(RegCreateKeyExW(HKEY_LOCAL_MACHINE, DeepPath(u"\\Fresh", kMaxKeyDepth).c_str(), 0,
                              nullptr, 0, 0, nullptr, &child, nullptr),
              ERROR_INVALID_PARAMETER);
    EXPECT_EQ(RegCreateKeyExW(HKEY_LOCAL_MACHINE, DeepPath(u"\\Fresh", 20000).c_str(), 0, nullptr,
                              0, 0, nullptr, &child, nullptr),
              ERROR_INVALID_PARAMETER);
    EXPECT_EQ(RegOpenKeyExW(HKEY_LOCAL_MACHINE, u"\\Fresh", 0, 0, &child), ERROR_FILE_NOT_FOUND);
}

// Another program may have nested keys deeper than the limit: they open and enumerate, and
// nothing new is created below them.
TEST_F(RegistryTest, KeysNestedDeeperByAnotherProgramOpenButGrowNoFurther) {
    RegCloseKey(Create(u"\\Foreign"));
    const auto top = foreign_store::KeyId(temp_.RegistryFile(), {"foreign"});
    ASSERT_GT(foreign_store::AddKeyChain(temp_.RegistryFile(), top, 2000), 0);
    std::u16string path = u"\\Foreign";
    for (int i = 0; i < 2000; ++i) path += u"\\d";
    HKEY deepest = nullptr;
    ASSERT_EQ(RegOpenKeyExW(HKEY_LOCAL_MACHINE, path.c_str(), 0, 0, &deepest), ERROR_SUCCESS);
    EXPECT_TRUE(Subkeys(deepest).empty());
    EXPECT_EQ(SetDword(deepest, u"V", 1), ERROR_SUCCESS);
    HKEY child = nullptr;
    EXPECT_EQ(RegCreateKeyExW(deepest, u"x", 0, nullptr, 0, 0, nullptr, &child, nullptr),
              ERROR_INVALID_PARAMETER);
    RegCloseKey(deepest);
}

// Walking by index seeks from where the last call stopped; a change in between, by this
// process or another, must still give the entry now at that index.
TEST_F(RegistryTest, AnIndexNamesTheEntryNowAtItAfterEveryChange) {
    HKEY key = Create(u"\\Walk");
    for (const char16_t* name : {u"b", u"c", u"d", u"e"}) ASSERT_EQ(SetDword(key, name, 1), 0);
    auto valueAt = [&](DWORD index) {
        WCHAR name[MAX_PATH];
        DWORD length = MAX_PATH;
        const LONG rc =
            RegEnumValueW(key, index, name, &length, nullptr, nullptr, nullptr, nullptr);
        if (rc == ERROR_NO_MORE_ITEMS) return std::u16string(u"(end)");
        return rc == ERROR_SUCCESS ? std::u16string(name, length) : std::u16string(u"(error)");
    };
    EXPECT_EQ(valueAt(0), u"b");
    EXPECT_EQ(valueAt(1), u"c");
    ASSERT_EQ(RegDeleteValueW(key, u"b"), ERROR_SUCCESS);
    EXPECT_EQ(valueAt(2), u"e");  // c d e: the third is e now
    EXPECT_EQ(valueAt(1), u"d");
    // Another connection adds a name that sorts first.
    const auto id = foreign_store::KeyId(temp_.RegistryFile(), {"walk"});
    ASSERT_TRUE(foreign_store::Exec(
        temp_.RegistryFile(),
        "INSERT INTO vals VALUES(" + std::to_string(id) + ", 'a', 'a', 4, x'01000000')"));
    EXPECT_EQ(valueAt(2), u"d");  // a c d e
    EXPECT_EQ(valueAt(3), u"e");
    EXPECT_EQ(valueAt(4), u"(end)");
    // The same for subkeys, through two handles of one key walked in turns.
    for (const char16_t* name : {u"k1", u"k2", u"k3"})
        RegCloseKey(Create((u"\\Walk\\" + std::u16string(name)).c_str()));
    HKEY other = Create(u"\\Walk");
    std::vector<std::u16string> first, second;
    for (DWORD i = 0; i < 3; ++i) {
        WCHAR name[MAX_PATH];
        DWORD length = MAX_PATH;
        ASSERT_EQ(RegEnumKeyExW(key, i, name, &length, nullptr, nullptr, nullptr, nullptr), 0);
        first.emplace_back(name, length);
        length = MAX_PATH;
        ASSERT_EQ(RegEnumKeyExW(other, 2 - i, name, &length, nullptr, nullptr, nullptr, nullptr),
                  0);
        second.emplace_back(name, length);
    }
    EXPECT_EQ(first, (std::vector<std::u16string>{u"k1", u"k2", u"k3"}));
    EXPECT_EQ(second, (std::vector<std::u16string>{u"k3", u"k2", u"k1"}));
    RegCloseKey(other);
    RegCloseKey(key);
}

TEST(RegistryAfterTheTestPlatform, ReachesNeitherTheDefaultStoreNorTheDefaultDevice) {
    TempPlatform outer;
    // Where the default store would be; kept inside the test's own folder.
    const std::filesystem::path dataHome = outer.Root() / "data";
    const char* saved = std::getenv("XDG_DATA_HOME");
    const std::string savedValue = saved ? saved : "";
    setenv("XDG_DATA_HOME", dataHome.c_str(), 1);
    { TempPlatform inner; }
    HKEY key = nullptr;
    EXPECT_NE(
        RegCreateKeyExW(HKEY_LOCAL_MACHINE, u"\\After", 0, nullptr, 0, 0, nullptr, &key, nullptr),
        ERROR_SUCCESS);
    EXPECT_EQ(GetFileAttributesW(u"\\Windows"), INVALID_FILE_ATTRIBUTES);
    EXPECT_FALSE(std::filesystem::exists(dataHome));
    if (saved) {
        setenv("XDG_DATA_HOME", savedValue.c_str(), 1);
    } else {
        unsetenv("XDG_DATA_HOME");
    }
}

}  // namespace
