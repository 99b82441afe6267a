#include "common/registry/KeyTree.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "common/registry/RegistryKey.h"
#include "common/registry/SettingsRoot.h"
#include "platform/RegistrySupport.h"
#include "tests/support/ForeignStore.h"
#include "tests/support/StoreText.h"
#include "tests/support/TempPlatform.h"

namespace {

bool Exists(LPCWSTR path) {
    HKEY key = nullptr;
    if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, path, 0, 0, &key) != ERROR_SUCCESS) return false;
    RegCloseKey(key);
    return true;
}

void Make(LPCWSTR path, LPCWSTR value = nullptr) {
    RegistryKey key(HKEY_LOCAL_MACHINE, path, true, false);
    ASSERT_NE(key.Handle(), nullptr);
    if (value) key.SetDword(value, 1);
}

class KeyTreeTest : public ::testing::Test {
  protected:
    void SetUp() override {
        platform::SetRegistryObserver([this](const platform::RegistryEvent& event) {
            if (event.kind == platform::RegistryEvent::Kind::kDeleteKey) {
                deleted_.push_back(event.key);
            }
        });
    }
    void TearDown() override { platform::SetRegistryObserver({}); }

    TempPlatform temp_;
    std::vector<std::u16string> deleted_;
};

TEST_F(KeyTreeTest, DeleteKeyTreeRemovesTheDeepestKeysFirst) {
    Make(u"\\Root\\A\\B\\C", u"V");
    Make(u"\\Root\\A\\B2");
    Make(u"\\Sibling");
    ASSERT_TRUE(DeleteKeyTree(HKEY_LOCAL_MACHINE, u"\\Root\\A"));
    EXPECT_EQ(deleted_, (std::vector<std::u16string>{
                            u"HKEY_LOCAL_MACHINE\\Root\\A\\B\\C",
                            u"HKEY_LOCAL_MACHINE\\Root\\A\\B",
                            u"HKEY_LOCAL_MACHINE\\Root\\A\\B2",
                            u"HKEY_LOCAL_MACHINE\\Root\\A",
                        }));
    EXPECT_TRUE(Exists(u"\\Root"));
    EXPECT_TRUE(Exists(u"\\Sibling"));
}

TEST_F(KeyTreeTest, DeleteKeyTreeOfNothingFails) {
    EXPECT_FALSE(DeleteKeyTree(HKEY_LOCAL_MACHINE, u"\\Missing"));
    EXPECT_FALSE(DeleteKeyTree(HKEY_LOCAL_MACHINE, nullptr));
    // An empty path would otherwise open the hive itself and empty it.
    Make(u"\\Software\\Keep", u"V");
    EXPECT_FALSE(DeleteKeyTree(HKEY_LOCAL_MACHINE, u""));
    EXPECT_FALSE(DeleteRegistryTree(HKEY_LOCAL_MACHINE, u"\\"));
    EXPECT_TRUE(Exists(u"\\Software\\Keep"));
    EXPECT_TRUE(deleted_.empty());
}

TEST_F(KeyTreeTest, DeleteRegistryTreeRemovesValuesSubkeysAndTheKey) {
    const std::u16string root = kSettingsRoot;
    Make((root + u"\\Options").c_str(), u"DblClickMoves");
    Make((root + u"\\Statistics").c_str(), u"Won");
    Make(root.c_str(), u"Version");
    Make(root.c_str(), u"Options");  // a value named like a subkey
    Make(u"\\Software\\Korvel Labs\\Other", u"Keep");

    EXPECT_TRUE(DeleteRegistryTree(HKEY_LOCAL_MACHINE, kSettingsRoot));
    EXPECT_FALSE(Exists(kSettingsRoot));
    EXPECT_TRUE(Exists(u"\\Software\\Korvel Labs\\Other"));
    ASSERT_FALSE(deleted_.empty());
    EXPECT_EQ(deleted_.back(), u"HKEY_LOCAL_MACHINE\\Software\\Korvel Labs\\Korvel Tessamo");
}

TEST_F(KeyTreeTest, DeleteRegistryTreeOfAMissingKeyRemovesNothing) {
    Make(u"\\Software\\Keep", u"V");
    EXPECT_FALSE(DeleteRegistryTree(HKEY_LOCAL_MACHINE, u"\\Software\\Missing"));
    EXPECT_TRUE(Exists(u"\\Software\\Keep"));
    EXPECT_TRUE(deleted_.empty());
}

// A store written by another program may nest keys far deeper than the registry lets anyone
// create them; both removals still take the whole tree.
TEST_F(KeyTreeTest, RemovesTreesFarDeeperThanAnyProgramMakes) {
    platform::SetRegistryObserver({});  // a path per deleted key would be 40,000 long strings
    Make(u"\\One", u"V");
    Make(u"\\Two", u"V");
    Make(u"\\Keep", u"V");
    const auto file = temp_.RegistryFile();
    ASSERT_GT(foreign_store::AddKeyChain(file, foreign_store::KeyId(file, {"one"}), 15000), 0);
    ASSERT_GT(foreign_store::AddKeyChain(file, foreign_store::KeyId(file, {"two"}), 40000), 0);

    EXPECT_TRUE(DeleteKeyTree(HKEY_LOCAL_MACHINE, u"\\One"));
    EXPECT_TRUE(DeleteRegistryTree(HKEY_LOCAL_MACHINE, u"\\Two"));
    EXPECT_FALSE(Exists(u"\\One"));
    EXPECT_FALSE(Exists(u"\\Two"));
    EXPECT_TRUE(Exists(u"\\Keep"));
    EXPECT_EQ(foreign_store::KeyId(file, {"one", "d"}), -1);
    EXPECT_EQ(foreign_store::KeyId(file, {"two", "d"}), -1);
}

// Another program may store key names that no RegCreateKeyExW takes. Opened by name, an
// empty one or a separator reaches the parent again; the walks must end, refusing the key.
TEST_F(KeyTreeTest, KeysNamedLikeNoKeyEndTheWalksInsteadOfLoopingForever) {
    const auto file = temp_.RegistryFile();
    const char* names[] = {"\\", "", "a\\b", "tab\there"};
    std::vector<std::u16string> keys;
    for (int i = 0; i < 4; ++i) {
        const std::u16string key = u"\\K" + std::u16string(1, static_cast<char16_t>(u'0' + i));
        Make(key.c_str(), u"V");
        keys.push_back(key);
        const std::string id =
            std::to_string(foreign_store::KeyId(file, {"k" + std::to_string(i)}));
        ASSERT_TRUE(foreign_store::Exec(file, "INSERT INTO keys(parent, name, folded) VALUES(" +
                                                  id + ", '" + names[i] + "', '" + names[i] +
                                                  "')"));
    }
    HKEY k0 = nullptr;
    ASSERT_EQ(RegOpenKeyExW(HKEY_LOCAL_MACHINE, u"\\K0", 0, 0, &k0), ERROR_SUCCESS);
    WCHAR name[260];
    DWORD length = 260;
    EXPECT_EQ(RegEnumKeyExW(k0, 0, name, &length, nullptr, nullptr, nullptr, nullptr), ERROR_BADDB);
    RegCloseKey(k0);

    for (int i = 0; i < 4; ++i) {
        const LPCWSTR path = keys[i].c_str();
        EXPECT_FALSE(i % 2 ? DeleteRegistryTree(HKEY_LOCAL_MACHINE, path)
                           : DeleteKeyTree(HKEY_LOCAL_MACHINE, path))
            << i;
        EXPECT_TRUE(Exists(path)) << i;
    }
    EXPECT_EQ(StoreText(), "(the store could not be exported)\n");
}

}  // namespace
