// Runs the built tessamo-installer from a bin folder of its own, against the test's device
// folder and registry, with the built setup library.
#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "tests/setup/SetupEnvironment.h"
#include "tests/support/StoreText.h"

extern char** environ;

namespace fs = std::filesystem;

namespace {

const std::u16string kAppKey = u"\\SOFTWARE\\Apps\\Korvel Tessamo";

std::string Read(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

class InstallerTest : public ::testing::Test {
  protected:
    void SetUp() override {
        fs::create_directories(bin_);
        fs::copy_file(TESSAMO_INSTALLER, bin_ / "tessamo-installer");
        env_.MakeFile(bin_ / "tessamo", "#!/bin/sh\necho game\n");
        fs::permissions(bin_ / "tessamo", fs::perms::owner_exec, fs::perm_options::add);
        env_.MakeFile(bin_ / "tessamo-cli", std::string(200000, 'c'));
    }

    struct Result {
        int status;
        std::string output;
    };

    Result Run(std::vector<std::string> args) {
        args.insert(args.begin(), (bin_ / "tessamo-installer").string());
        std::vector<char*> argv;
        for (auto& a : args) argv.push_back(a.data());
        argv.push_back(nullptr);
        const fs::path log = env_.Root() / "installer.log";
        posix_spawn_file_actions_t actions;
        posix_spawn_file_actions_init(&actions);
        posix_spawn_file_actions_addopen(&actions, 1, log.c_str(), O_WRONLY | O_CREAT | O_TRUNC,
                                         0644);
        posix_spawn_file_actions_adddup2(&actions, 1, 2);
        pid_t pid = 0;
        int status = -1;
        if (posix_spawn(&pid, argv[0], &actions, nullptr, argv.data(), environ) == 0) {
            waitpid(pid, &status, 0);
        }
        posix_spawn_file_actions_destroy(&actions);
        return {WIFEXITED(status) ? WEXITSTATUS(status) : -1, Read(log)};
    }

    SetupEnvironment env_;
    fs::path bin_ = env_.Root() / "bin";
    std::string library_ = TESSAMO_SETUP_LIBRARY;
};

TEST_F(InstallerTest, InstallThenUninstallLeavesNothingOfTheGame) {
    // An earlier release, which installation clears away through Install_Init.
    env_.MakeFile(env_.Host("Storage/Apps/Tessamo/tessamo.exe"), "old", true);
    env_.MakeKey(HKEY_CURRENT_USER, u"\\Software\\Korvel Labs\\Tessamo");
    env_.MakeFile(env_.Host("Storage/Apps/Other Game/keep.txt"));

    Result install = Run({"--library", library_, "install", "\\Storage\\Apps\\Cards"});
    ASSERT_EQ(install.status, 0) << install.output;
    const fs::path folder = env_.Host("Storage/Apps/Cards");
    EXPECT_EQ(Read(folder / "tessamo"), Read(bin_ / "tessamo"));
    EXPECT_EQ(Read(folder / "tessamo-cli"), Read(bin_ / "tessamo-cli"));
    EXPECT_NE(fs::status(folder / "tessamo").permissions() & fs::perms::owner_exec,
              fs::perms::none);
    EXPECT_FALSE(env_.Exists(env_.Host("Storage/Apps/Tessamo")));
    EXPECT_EQ(StoreText(),
              "[HKEY_LOCAL_MACHINE\\SOFTWARE]\n"
              "\n"
              "[HKEY_LOCAL_MACHINE\\SOFTWARE\\Apps]\n"
              "\n"
              "[HKEY_LOCAL_MACHINE\\SOFTWARE\\Apps\\Korvel Tessamo]\n"
              "\"InstallDir\"=\"\\\\Storage\\\\Apps\\\\Cards\"\n"
              "\n"
              "[HKEY_LOCAL_MACHINE\\SOFTWARE\\Apps\\Korvel Tessamo\\Files]\n"
              "\"tessamo\"=dword:00000001\n"
              "\"tessamo-cli\"=dword:00000001\n"
              "\n"
              "[HKEY_CURRENT_USER\\Software]\n"
              "\n"
              "[HKEY_CURRENT_USER\\Software\\Korvel Labs]\n");

    // The game's own settings, as the game writes them.
    env_.MakeKey(HKEY_LOCAL_MACHINE, u"\\Software\\Korvel Labs\\Korvel Tessamo\\Options");

    Result uninstall = Run({"--library", library_, "uninstall"});
    ASSERT_EQ(uninstall.status, 0) << uninstall.output;
    EXPECT_FALSE(env_.Exists(folder));
    EXPECT_TRUE(env_.Exists(env_.Host("Storage/Apps/Other Game/keep.txt")));
    EXPECT_EQ(StoreText(),
              "[HKEY_LOCAL_MACHINE\\SOFTWARE]\n"
              "\n"
              "[HKEY_LOCAL_MACHINE\\SOFTWARE\\Apps]\n"
              "\n"
              "[HKEY_CURRENT_USER\\Software]\n"
              "\n"
              "[HKEY_CURRENT_USER\\Software\\Korvel Labs]\n");
}

TEST_F(InstallerTest, FindsLibraryBesideItselfAndCopiesOnlyWhatExists) {
    fs::copy_file(library_, bin_ / "libtessamo-setup.so");
    fs::remove(bin_ / "tessamo");
    env_.MakeFile(env_.Host("Storage/Apps/Cards/readme.txt"));

    Result install = Run({"install", "\\Storage\\Apps\\Cards\\"});
    ASSERT_EQ(install.status, 0) << install.output;
    EXPECT_NE(install.output.find("skipped: tessamo\n"), std::string::npos) << install.output;
    EXPECT_TRUE(env_.Exists(env_.Host("Storage/Apps/Cards/tessamo-cli")));
    EXPECT_FALSE(env_.Exists(env_.Host("Storage/Apps/Cards/tessamo")));

    EXPECT_EQ(Run({"install", "\\Storage\\Apps\\Other"}).status, 1);  // already installed

    // Files that were there before the game stay, and so does their folder.
    ASSERT_EQ(Run({"uninstall"}).status, 0);
    EXPECT_FALSE(env_.Exists(env_.Host("Storage/Apps/Cards/tessamo-cli")));
    EXPECT_TRUE(env_.Exists(env_.Host("Storage/Apps/Cards/readme.txt")));
    EXPECT_EQ(Run({"uninstall"}).status, 1);  // no longer installed
}

// A folder that became a link after installation, at its own level or further up, leads
// elsewhere: nothing is deleted there, but the game is still deregistered.
TEST_F(InstallerTest, UninstallDeletesNothingThroughALinkedFolder) {
    const fs::path outside = env_.Root() / "outside";
    env_.MakeFile(outside / "Cards" / "tessamo", "not the game's");
    env_.MakeFile(outside / "Cards" / "tessamo-cli", "not the game's either");
    const fs::path apps = env_.Host("Storage/Apps");
    const fs::path cards = env_.Host("Storage/Apps/Cards");

    for (const fs::path& linked : {cards, apps}) {
        SCOPED_TRACE(linked.string());
        ASSERT_EQ(Run({"--library", library_, "install", "\\Storage\\Apps\\Cards"}).status, 0);
        env_.MakeKey(HKEY_LOCAL_MACHINE, u"\\Software\\Korvel Labs\\Korvel Tessamo\\Options");
        const fs::path moved = env_.Root() / "moved";
        fs::rename(linked, moved);
        fs::create_directory_symlink(linked == cards ? outside / "Cards" : outside, linked);

        Result uninstall = Run({"--library", library_, "uninstall"});
        EXPECT_EQ(uninstall.status, 1) << uninstall.output;
        EXPECT_NE(uninstall.output.find("no files were removed"), std::string::npos)
            << uninstall.output;
        EXPECT_EQ(Read(outside / "Cards" / "tessamo"), "not the game's");
        EXPECT_EQ(Read(outside / "Cards" / "tessamo-cli"), "not the game's either");
        EXPECT_TRUE(fs::is_symlink(linked));
        EXPECT_FALSE(env_.KeyExists(HKEY_LOCAL_MACHINE, kAppKey));
        // Uninstall_Exit ran: the settings and the maker's key are gone.
        EXPECT_FALSE(env_.KeyExists(HKEY_LOCAL_MACHINE, u"\\Software\\Korvel Labs"));

        fs::remove(linked);
        fs::rename(moved, linked);
        EXPECT_TRUE(env_.Exists(cards / "tessamo"));  // the game's own copy stays too
        fs::remove_all(cards);
    }

    // A folder removed by hand leaves nothing to delete, and that is no failure.
    ASSERT_EQ(Run({"--library", library_, "install", "\\Storage\\Apps\\Cards"}).status, 0);
    fs::remove_all(cards);
    Result uninstall = Run({"--library", library_, "uninstall"});
    EXPECT_EQ(uninstall.status, 0) << uninstall.output;
    EXPECT_FALSE(env_.KeyExists(HKEY_LOCAL_MACHINE, kAppKey));
}

TEST_F(InstallerTest, BadCommandLinesAndMissingLibraryFailWithAMessage) {
    Result noLibrary =
        Run({"--library", (env_.Root() / "none.so").string(), "install", "\\Storage\\Apps\\Cards"});
    EXPECT_EQ(noLibrary.status, 3);
    EXPECT_NE(noLibrary.output.find("setup library not found"), std::string::npos);
    // Nothing beside it and no ../lib in the test's folders.
    EXPECT_EQ(Run({"install", "\\Storage\\Apps\\Cards"}).status, 3);

    EXPECT_EQ(Run({"--library", library_, "install"}).status, 2);
    EXPECT_EQ(Run({"--library", library_, "install", "Cards"}).status, 2);
    EXPECT_EQ(Run({"--library", library_, "install", "\\"}).status, 2);
    EXPECT_EQ(Run({"--library", library_, "install", "\\Storage\\..\\..\\x"}).status, 2);
    EXPECT_EQ(Run({"--library", library_, "remove"}).status, 2);
    EXPECT_FALSE(env_.Exists(env_.Host("Storage")));
    EXPECT_EQ(StoreText(), "");
}

// Every file's device path fits in MAX_PATH; a longer folder is refused before anything is
// made. A folder recorded longer by another release is still found, and uninstalled.
TEST_F(InstallerTest, FolderLengthsAreBoundedAndAnyRecordedFolderIsFoundAgain) {
    const std::string name(238, 'a');
    const std::string longest = "\\Storage\\" + name;  // 247 characters
    Result tooLong = Run({"--library", library_, "install", longest + "a"});
    EXPECT_EQ(tooLong.status, 2) << tooLong.output;
    EXPECT_NE(tooLong.output.find("at most 247 characters"), std::string::npos) << tooLong.output;
    EXPECT_FALSE(env_.Exists(env_.Host("Storage")));
    EXPECT_EQ(StoreText(), "");

    ASSERT_EQ(Run({"--library", library_, "install", longest}).status, 0);
    ASSERT_TRUE(env_.Exists(env_.Host("Storage/" + name + "/tessamo-cli")));
    ASSERT_EQ(Run({"--library", library_, "uninstall"}).status, 0);
    EXPECT_FALSE(env_.Exists(env_.Host("Storage/" + name)));

    const std::string a(150, 'a');
    const std::string b(140, 'b');
    const std::u16string recorded = u"\\Storage\\" + std::u16string(a.begin(), a.end()) + u"\\" +
                                    std::u16string(b.begin(), b.end()) + u'\0';
    env_.MakeValue(HKEY_LOCAL_MACHINE, kAppKey + u"\\Files", u"tessamo");
    HKEY app = nullptr;
    ASSERT_EQ(RegOpenKeyExW(HKEY_LOCAL_MACHINE, kAppKey.c_str(), 0, 0, &app), ERROR_SUCCESS);
    ASSERT_EQ(RegSetValueExW(app, u"InstallDir", 0, REG_SZ,
                             reinterpret_cast<const BYTE*>(recorded.data()),
                             static_cast<DWORD>(recorded.size() * sizeof(char16_t))),
              ERROR_SUCCESS);
    RegCloseKey(app);
    const fs::path folder = env_.Host("Storage/" + a + "/" + b);
    env_.MakeFile(folder / "tessamo");
    Result uninstall = Run({"--library", library_, "uninstall"});
    EXPECT_EQ(uninstall.status, 0) << uninstall.output;
    EXPECT_FALSE(env_.Exists(folder));
    EXPECT_FALSE(env_.KeyExists(HKEY_LOCAL_MACHINE, kAppKey));
}

// Files the store cannot record could never be uninstalled: the installation fails and
// takes them away again.
TEST_F(InstallerTest, AnInstallationTheStoreCannotRecordFailsAndLeavesNoFiles) {
    fs::create_directory(env_.XdgDataHome() / "korvel-tessamo" / "registry.sqlite");
    Result install = Run({"--library", library_, "install", "\\Storage\\Apps\\Cards"});
    EXPECT_EQ(install.status, 1) << install.output;
    EXPECT_NE(install.output.find("cannot record the installation"), std::string::npos)
        << install.output;
    EXPECT_EQ(install.output.find("Korvel Tessamo installed"), std::string::npos) << install.output;
    EXPECT_FALSE(env_.Exists(env_.Host("Storage/Apps/Cards")));
}

}  // namespace
