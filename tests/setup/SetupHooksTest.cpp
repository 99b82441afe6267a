// Loads the built setup library as the package installer does and calls its hooks by name.
#include <dlfcn.h>
#include <sys/stat.h>

#include <filesystem>
#include <type_traits>

#include <gtest/gtest.h>

#include "platform/PlatformConfig.h"
#include "setup/SetupHooks.h"
#include "tests/setup/SetupEnvironment.h"
#include "tests/support/ForeignStore.h"
#include "tests/support/StoreText.h"

namespace fs = std::filesystem;

namespace {

const std::u16string kOldKey = u"\\Software\\Korvel Labs\\Tessamo";
const std::u16string kAppKey = u"\\SOFTWARE\\Apps\\Korvel Tessamo";
const std::u16string kSettingsRoot = u"\\Software\\Korvel Labs\\Korvel Tessamo";
const std::u16string kMakerKey = u"\\Software\\Korvel Labs";

// The installer calls the hooks through the platform's own parameter lists, in which the
// failure counts of Install_Exit are 16-bit: a wider type here would read bits the caller
// never set.
static_assert(std::is_same_v<decltype(&Install_Exit),
                             codeINSTALL_EXIT (*)(void*, LPCWSTR, WORD, WORD, WORD, WORD, WORD)>);
static_assert(
    std::is_same_v<decltype(&Install_Init), codeINSTALL_INIT (*)(void*, BOOL, BOOL, LPCWSTR)>);
static_assert(std::is_same_v<decltype(&Uninstall_Init), codeUNINSTALL_INIT (*)(void*, LPCWSTR)>);
static_assert(std::is_same_v<decltype(&Uninstall_Exit), codeUNINSTALL_EXIT (*)(void*)>);

struct Hooks {
    void* library = nullptr;
    decltype(&Install_Init) installInit = nullptr;
    decltype(&Install_Exit) installExit = nullptr;
    decltype(&Uninstall_Init) uninstallInit = nullptr;
    decltype(&Uninstall_Exit) uninstallExit = nullptr;
};

const Hooks& LoadedHooks() {
    static Hooks hooks = [] {
        Hooks h;
        h.library = dlopen(TESSAMO_SETUP_LIBRARY, RTLD_NOW | RTLD_LOCAL);
        if (!h.library) return h;
        h.installInit = reinterpret_cast<decltype(h.installInit)>(dlsym(h.library, "Install_Init"));
        h.installExit = reinterpret_cast<decltype(h.installExit)>(dlsym(h.library, "Install_Exit"));
        h.uninstallInit =
            reinterpret_cast<decltype(h.uninstallInit)>(dlsym(h.library, "Uninstall_Init"));
        h.uninstallExit =
            reinterpret_cast<decltype(h.uninstallExit)>(dlsym(h.library, "Uninstall_Exit"));
        return h;
    }();
    return hooks;
}

// What PlantEarlierRelease leaves in the store.
const std::string kPlantedKeys =
    "[HKEY_LOCAL_MACHINE\\SOFTWARE]\n"
    "\n"
    "[HKEY_LOCAL_MACHINE\\SOFTWARE\\Apps]\n"
    "\n"
    "[HKEY_LOCAL_MACHINE\\SOFTWARE\\Apps\\Korvel Tessamo]\n"
    "\n"
    "[HKEY_LOCAL_MACHINE\\SOFTWARE\\Apps\\Korvel Tessamo\\Sub]\n"
    "\"Value\"=dword:00000001\n"
    "\n"
    "[HKEY_LOCAL_MACHINE\\SOFTWARE\\Apps\\Other Game]\n"
    "\"Value\"=dword:00000001\n"
    "\n"
    "[HKEY_LOCAL_MACHINE\\SOFTWARE\\Korvel Labs]\n"
    "\n"
    "[HKEY_LOCAL_MACHINE\\SOFTWARE\\Korvel Labs\\Korvel Tessamo]\n"
    "\n"
    "[HKEY_LOCAL_MACHINE\\SOFTWARE\\Korvel Labs\\Korvel Tessamo\\Options]\n"
    "\"Value\"=dword:00000001\n"
    "\n"
    "[HKEY_LOCAL_MACHINE\\SOFTWARE\\Korvel Labs\\Tessamo]\n"
    "\n"
    "[HKEY_LOCAL_MACHINE\\SOFTWARE\\Korvel Labs\\Tessamo\\Options]\n"
    "\"Value\"=dword:00000001\n";

class SetupHooksTest : public ::testing::Test {
  protected:
    void SetUp() override {
        const Hooks& h = LoadedHooks();
        ASSERT_NE(h.library, nullptr) << dlerror();
        ASSERT_TRUE(h.installInit && h.installExit && h.uninstallInit && h.uninstallExit);
    }

    int InstallInit(const char16_t* folder) {
        return LoadedHooks().installInit(nullptr, TRUE, FALSE, folder);
    }
    int UninstallExit() { return LoadedHooks().uninstallExit(nullptr); }

    // What an earlier release leaves behind, and things of the same kind that are not its.
    void PlantEarlierRelease() {
        env_.MakeFile(env_.Host("Storage/Apps/Tessamo/tessamo.exe"), "old", true);
        env_.MakeFile(env_.Host("Storage/Apps/Tessamo/Data/cards.dat"), "old", true);
        env_.MakeFile(env_.Host("Storage/Apps/Tessamo/Data/Deeper/notes.txt"));
        env_.MakeFile(env_.Host("Storage/Apps/TessamoPlus/keep.txt"));
        env_.MakeFile(env_.Host("Storage/Apps/Cards/keep.txt"));
        env_.MakeFile(env_.Host("Windows/Korvel Tessamo.unload"), "script");
        env_.MakeFile(env_.Host("Windows/tessamo.htm"), "help");
        env_.MakeFile(env_.Host("Windows/other.htm"));
        env_.MakeFile(env_.Host("Windows/Start Menu/Games/Classic/TESSAMO.LNK"), "link", true);
        env_.MakeFile(env_.Host("Windows/Start Menu/tessamo.lnk.bak"));
        env_.MakeFile(env_.Host("Windows/Start Menu/Games/tessamo.lnk/inside.txt"));
        env_.MakeKey(HKEY_LOCAL_MACHINE, kAppKey + u"\\Sub");
        env_.MakeKey(HKEY_LOCAL_MACHINE, u"\\SOFTWARE\\Apps\\Other Game");
        env_.MakeKey(HKEY_LOCAL_MACHINE, kOldKey + u"\\Options");
        env_.MakeKey(HKEY_LOCAL_MACHINE, kSettingsRoot + u"\\Options");
    }

    SetupEnvironment env_;
};

TEST_F(SetupHooksTest, WithoutEarlierReleaseKeyNothingIsRemoved) {
    PlantEarlierRelease();  // the old key only in HKEY_LOCAL_MACHINE: not a sign of it
    EXPECT_EQ(InstallInit(u"\\Storage\\Apps\\Cards"), codeINSTALL_INIT_CONTINUE);

    EXPECT_TRUE(env_.Exists(env_.Host("Storage/Apps/Tessamo/Data/cards.dat")));
    EXPECT_TRUE(env_.Exists(env_.Host("Windows/Korvel Tessamo.unload")));
    EXPECT_TRUE(env_.Exists(env_.Host("Windows/tessamo.htm")));
    EXPECT_TRUE(env_.Exists(env_.Host("Windows/Start Menu/Games/Classic/TESSAMO.LNK")));
    EXPECT_EQ(StoreText(), kPlantedKeys);
}

TEST_F(SetupHooksTest, EarlierReleaseIsRemovedBesideFolderWithTrailingSeparator) {
    PlantEarlierRelease();
    env_.MakeKey(HKEY_CURRENT_USER, kOldKey + u"\\Statistics");
    env_.MakeKey(HKEY_CURRENT_USER, u"\\Software\\Korvel Labs\\Other Game");

    EXPECT_EQ(InstallInit(u"\\Storage\\Apps\\Cards\\"), codeINSTALL_INIT_CONTINUE);

    // The old folder goes whole, read-only files included; its neighbours stay.
    EXPECT_FALSE(env_.Exists(env_.Host("Storage/Apps/Tessamo")));
    EXPECT_TRUE(env_.Exists(env_.Host("Storage/Apps/TessamoPlus/keep.txt")));
    EXPECT_TRUE(env_.Exists(env_.Host("Storage/Apps/Cards/keep.txt")));
    // The old uninstall script, help file and shortcut go; the rest of \Windows stays.
    EXPECT_FALSE(env_.Exists(env_.Host("Windows/Korvel Tessamo.unload")));
    EXPECT_FALSE(env_.Exists(env_.Host("Windows/tessamo.htm")));
    EXPECT_TRUE(env_.Exists(env_.Host("Windows/other.htm")));
    EXPECT_FALSE(env_.Exists(env_.Host("Windows/Start Menu/Games/Classic/TESSAMO.LNK")));
    EXPECT_TRUE(env_.Exists(env_.Host("Windows/Start Menu/Games/Classic")));
    EXPECT_TRUE(env_.Exists(env_.Host("Windows/Start Menu/tessamo.lnk.bak")));
    EXPECT_TRUE(env_.Exists(env_.Host("Windows/Start Menu/Games/tessamo.lnk/inside.txt")));
    // The old keys go in both hives, with the installer's application key.
    EXPECT_EQ(StoreText(),
              "[HKEY_LOCAL_MACHINE\\SOFTWARE]\n"
              "\n"
              "[HKEY_LOCAL_MACHINE\\SOFTWARE\\Apps]\n"
              "\n"
              "[HKEY_LOCAL_MACHINE\\SOFTWARE\\Apps\\Other Game]\n"
              "\"Value\"=dword:00000001\n"
              "\n"
              "[HKEY_LOCAL_MACHINE\\SOFTWARE\\Korvel Labs]\n"
              "\n"
              "[HKEY_LOCAL_MACHINE\\SOFTWARE\\Korvel Labs\\Korvel Tessamo]\n"
              "\n"
              "[HKEY_LOCAL_MACHINE\\SOFTWARE\\Korvel Labs\\Korvel Tessamo\\Options]\n"
              "\"Value\"=dword:00000001\n"
              "\n"
              "[HKEY_CURRENT_USER\\Software]\n"
              "\n"
              "[HKEY_CURRENT_USER\\Software\\Korvel Labs]\n"
              "\n"
              "[HKEY_CURRENT_USER\\Software\\Korvel Labs\\Other Game]\n"
              "\"Value\"=dword:00000001\n");
}

TEST_F(SetupHooksTest, FolderWithoutBackslashSkipsEveryStep) {
    PlantEarlierRelease();
    env_.MakeKey(HKEY_CURRENT_USER, kOldKey);
    for (const char16_t* folder :
         {u"Cards", u"Cards\\", u"", static_cast<const char16_t*>(nullptr)}) {
        EXPECT_EQ(InstallInit(folder), codeINSTALL_INIT_CONTINUE);
    }
    EXPECT_TRUE(env_.Exists(env_.Host("Storage/Apps/Tessamo/tessamo.exe")));
    EXPECT_TRUE(env_.Exists(env_.Host("Windows/Korvel Tessamo.unload")));
    EXPECT_TRUE(env_.Exists(env_.Host("Windows/tessamo.htm")));
    EXPECT_TRUE(env_.Exists(env_.Host("Windows/Start Menu/Games/Classic/TESSAMO.LNK")));
    EXPECT_EQ(StoreText(), kPlantedKeys +
                               "\n"
                               "[HKEY_CURRENT_USER\\Software]\n"
                               "\n"
                               "[HKEY_CURRENT_USER\\Software\\Korvel Labs]\n"
                               "\n"
                               "[HKEY_CURRENT_USER\\Software\\Korvel Labs\\Tessamo]\n"
                               "\"Value\"=dword:00000001\n");
}

TEST_F(SetupHooksTest, LinksInsideRemovedFoldersAreRemovedButNeverFollowed) {
    const fs::path outside = env_.Root() / "outside";
    env_.MakeFile(outside / "precious.txt", "keep me", true);
    env_.MakeFile(outside / "Nested" / "tessamo.lnk", "not on the device");
    env_.MakeFile(outside / "single.txt", "keep me too", true);
    env_.MakeFile(env_.Host("Storage/Apps/Tessamo/old.txt"));
    fs::create_directory_symlink(outside, env_.Host("Storage/Apps/Tessamo/ToOutside"));
    fs::create_symlink(outside / "single.txt", env_.Host("Storage/Apps/Tessamo/single.txt"));

    fs::create_directories(env_.Host("Windows/Start Menu"));
    fs::create_directory_symlink(outside, env_.Host("Windows/Start Menu/Linked"));
    env_.MakeKey(HKEY_CURRENT_USER, kOldKey);
    const auto permsBefore = fs::status(outside / "single.txt").permissions();

    EXPECT_EQ(InstallInit(u"\\Storage\\Apps\\Cards"), codeINSTALL_INIT_CONTINUE);

    EXPECT_FALSE(env_.Exists(env_.Host("Storage/Apps/Tessamo")));
    EXPECT_TRUE(env_.Exists(outside / "precious.txt"));
    EXPECT_TRUE(env_.Exists(outside / "single.txt"));
    EXPECT_TRUE(env_.Exists(outside / "Nested" / "tessamo.lnk"));
    EXPECT_EQ(fs::status(outside / "single.txt").permissions(), permsBefore);
    EXPECT_TRUE(fs::is_symlink(env_.Host("Windows/Start Menu/Linked")));
}

TEST_F(SetupHooksTest, HostNamesWithABackslashNeverLeadThroughALink) {
    const fs::path outside = env_.Root() / "outside";
    env_.MakeFile(outside / "Sub" / "victim.txt");
    env_.MakeFile(outside / "single.txt");
    fs::create_directories(env_.Host("Storage/Apps/Tessamo"));
    fs::create_directory_symlink(outside, env_.Host("Storage/Apps/Tessamo/ToOutside"));
    // Joined to their folder, these names would read as paths through the link.
    env_.MakeFile(env_.Host("Storage/Apps/Tessamo/ToOutside\\Sub/inner.txt"));
    env_.MakeFile(env_.Host("Storage/Apps/Tessamo/ToOutside\\single.txt"));
    env_.MakeKey(HKEY_CURRENT_USER, kOldKey);

    EXPECT_EQ(InstallInit(u"\\Storage\\Apps\\Cards"), codeINSTALL_INIT_CONTINUE);
    EXPECT_TRUE(env_.Exists(outside / "Sub" / "victim.txt"));
    EXPECT_TRUE(env_.Exists(outside / "single.txt"));
    EXPECT_FALSE(env_.Exists(env_.Host("Storage/Apps/Tessamo/ToOutside")));
}

TEST_F(SetupHooksTest, OldFolderThatIsALinkIsLeftAlone) {
    const fs::path outside = env_.Root() / "outside";
    env_.MakeFile(outside / "precious.txt");
    fs::create_directories(env_.Host("Storage/Apps"));
    fs::create_directory_symlink(outside, env_.Host("Storage/Apps/Tessamo"));
    env_.MakeKey(HKEY_CURRENT_USER, kOldKey);

    EXPECT_EQ(InstallInit(u"\\Storage\\Apps\\Cards"), codeINSTALL_INIT_CONTINUE);
    EXPECT_TRUE(env_.Exists(outside / "precious.txt"));
}

TEST_F(SetupHooksTest, UninstallKeepsMakerKeyWhileAnotherProductIsUnderIt) {
    env_.MakeKey(HKEY_LOCAL_MACHINE, kSettingsRoot + u"\\Options");
    env_.MakeKey(HKEY_LOCAL_MACHINE, kSettingsRoot + u"\\Statistics");
    env_.MakeValue(HKEY_LOCAL_MACHINE, kMakerKey, u"Owner");
    env_.MakeKey(HKEY_LOCAL_MACHINE, kMakerKey + u"\\Other Game");
    env_.MakeKey(HKEY_LOCAL_MACHINE, kAppKey);
    env_.MakeKey(HKEY_CURRENT_USER, kSettingsRoot);

    EXPECT_EQ(LoadedHooks().uninstallInit(nullptr, u"\\Storage\\Apps\\Cards"),
              codeUNINSTALL_INIT_CONTINUE);
    EXPECT_EQ(UninstallExit(), codeUNINSTALL_EXIT_DONE);

    EXPECT_EQ(StoreText(),
              "[HKEY_LOCAL_MACHINE\\Software]\n"
              "\n"
              "[HKEY_LOCAL_MACHINE\\Software\\Apps]\n"
              "\n"
              "[HKEY_LOCAL_MACHINE\\Software\\Korvel Labs]\n"
              "\"Owner\"=dword:00000001\n"
              "\n"
              "[HKEY_LOCAL_MACHINE\\Software\\Korvel Labs\\Other Game]\n"
              "\"Value\"=dword:00000001\n"
              "\n"
              "[HKEY_CURRENT_USER\\Software]\n"
              "\n"
              "[HKEY_CURRENT_USER\\Software\\Korvel Labs]\n"
              "\n"
              "[HKEY_CURRENT_USER\\Software\\Korvel Labs\\Korvel Tessamo]\n"
              "\"Value\"=dword:00000001\n");
}

TEST_F(SetupHooksTest, UninstallRemovesMakerKeyWithItsValuesWhenNothingElseIsUnderIt) {
    env_.MakeKey(HKEY_LOCAL_MACHINE, kSettingsRoot + u"\\Options");
    env_.MakeValue(HKEY_LOCAL_MACHINE, kMakerKey, u"Owner");
    env_.MakeKey(HKEY_LOCAL_MACHINE, u"\\Software\\Neighbour");

    EXPECT_EQ(UninstallExit(), codeUNINSTALL_EXIT_DONE);

    EXPECT_EQ(StoreText(),
              "[HKEY_LOCAL_MACHINE\\Software]\n"
              "\n"
              "[HKEY_LOCAL_MACHINE\\Software\\Neighbour]\n"
              "\"Value\"=dword:00000001\n");
}

TEST_F(SetupHooksTest, HooksReportSuccessWhenThereIsNothingToDo) {
    const Hooks& h = LoadedHooks();
    EXPECT_EQ(h.installInit(nullptr, FALSE, TRUE, u"\\Storage\\Apps\\Cards"), 0);
    EXPECT_EQ(h.installExit(nullptr, u"\\Storage\\Apps\\Cards", 1, 2, 3, 4, 5), 0);
    EXPECT_EQ(h.installExit(nullptr, nullptr, 0, 0, 0, 0, 0), 0);
    EXPECT_EQ(h.uninstallInit(nullptr, nullptr), 0);
    EXPECT_EQ(h.uninstallExit(nullptr), 0);  // no keys at all
    EXPECT_EQ(h.uninstallExit(nullptr), 0);
}

// Settings that another program nested 40,000 levels deep go with the rest.
TEST_F(SetupHooksTest, UninstallRemovesSettingsNestedFarDeeperThanAnyProgramMakes) {
    env_.MakeKey(HKEY_LOCAL_MACHINE, kSettingsRoot + u"\\Options");
    const auto file = platform::RegistryPath();
    const auto options =
        foreign_store::KeyId(file, {"software", "korvel labs", "korvel tessamo", "options"});
    ASSERT_GT(foreign_store::AddKeyChain(file, options, 40000), 0);

    EXPECT_EQ(UninstallExit(), codeUNINSTALL_EXIT_DONE);
    EXPECT_FALSE(env_.KeyExists(HKEY_LOCAL_MACHINE, kSettingsRoot));
    EXPECT_FALSE(env_.KeyExists(HKEY_LOCAL_MACHINE, kMakerKey));
}

}  // namespace
