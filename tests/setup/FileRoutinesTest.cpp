#include "setup/FileRoutines.h"

#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>

#include <gtest/gtest.h>

#include "platform/Shell.h"
#include "tests/setup/SetupEnvironment.h"

namespace {

TEST(SeparatorTest, OneTrailingSeparatorOfEitherKindIsAddedOrRemoved) {
    std::u16string text = u"\\Storage\\Apps";
    AppendSeparator(text);
    EXPECT_EQ(text, u"\\Storage\\Apps\\");
    AppendSeparator(text);
    EXPECT_EQ(text, u"\\Storage\\Apps\\");
    text = u"\\Storage/";
    AppendSeparator(text);
    EXPECT_EQ(text, u"\\Storage/");

    text = u"\\Storage\\Apps\\\\";
    StripSeparator(text);
    EXPECT_EQ(text, u"\\Storage\\Apps\\");
    text = u"a/";
    StripSeparator(text);
    EXPECT_EQ(text, u"a");

    std::u16string empty;
    AppendSeparator(empty);
    StripSeparator(empty);
    EXPECT_EQ(empty, u"");
}

class FileRoutinesTest : public ::testing::Test {
  protected:
    SetupEnvironment env_;
};

TEST_F(FileRoutinesTest, PathKindTellsFoldersFilesAndNothingAndTakesLinksForFiles) {
    env_.MakeFile(env_.Host("Storage/file.txt"));
    std::filesystem::create_directory_symlink(env_.Host("Storage"), env_.Host("Linked"));
    EXPECT_EQ(PathKind(u"\\Storage"), kPathFolder);
    EXPECT_EQ(PathKind(u"\\Storage\\file.txt"), kPathFile);
    EXPECT_EQ(PathKind(u"\\Storage\\missing"), kPathMissing);
    EXPECT_EQ(PathKind(u"\\Linked"), kPathFile);
    EXPECT_EQ(PathKind(u""), kPathMissing);
}

TEST_F(FileRoutinesTest, DeleteNamedFilesMatchesWholeNamesOnly) {
    env_.MakeFile(env_.Host("Menu/A/B/C/Tessamo.Lnk"), "x", true);
    env_.MakeFile(env_.Host("Menu/xtessamo.lnk"));
    env_.MakeFile(env_.Host("Menu/tessamo.lnk2"));
    DeleteNamedFiles(u"\\Menu\\", u"tessamo.lnk");
    EXPECT_FALSE(env_.Exists(env_.Host("Menu/A/B/C/Tessamo.Lnk")));
    EXPECT_TRUE(env_.Exists(env_.Host("Menu/A/B/C")));
    EXPECT_TRUE(env_.Exists(env_.Host("Menu/xtessamo.lnk")));
    EXPECT_TRUE(env_.Exists(env_.Host("Menu/tessamo.lnk2")));

    env_.MakeFile(env_.Host("Menu/tessamo.lnk"));
    DeleteNamedFiles(u"\\Menu", u"");
    EXPECT_TRUE(env_.Exists(env_.Host("Menu/tessamo.lnk")));
}

TEST_F(FileRoutinesTest, StartMenuIsTheDevicesWindowsStartMenuFolder) {
    WCHAR path[MAX_PATH] = u"unchanged";
    EXPECT_FALSE(SHGetSpecialFolderPath(nullptr, path, CSIDL_STARTMENU + 1, FALSE));
    EXPECT_EQ(std::u16string(path), u"unchanged");

    ASSERT_TRUE(SHGetSpecialFolderPath(nullptr, path, CSIDL_STARTMENU, FALSE));
    EXPECT_EQ(std::u16string(path), u"\\Windows\\Start Menu");
    EXPECT_FALSE(env_.Exists(env_.Host("Windows/Start Menu")));
    ASSERT_TRUE(SHGetSpecialFolderPath(nullptr, path, CSIDL_STARTMENU, TRUE));
    EXPECT_TRUE(std::filesystem::is_directory(env_.Host("Windows/Start Menu")));
}

// A read-only folder is one without its owner's write permission here, and Linux then
// refuses to delete anything inside it; the handheld deletes inside it all the same. Root
// ignores the permission, so the removal runs as an ordinary user wherever rights can be
// dropped.
TEST_F(FileRoutinesTest, DeleteFolderTreeEmptiesAReadOnlyFolderAsAnOrdinaryUser) {
    namespace fs = std::filesystem;
    env_.MakeFile(env_.Host("Storage/Apps/Tessamo/tessamo.exe"), "old", true);
    env_.MakeFile(env_.Host("Storage/Apps/Tessamo/Data/cards.dat"), "old", true);
    env_.MakeFile(env_.Host("Storage/Apps/Keep/keep.txt"));
    const fs::path folder = env_.Host("Storage/Apps/Tessamo");
    fs::permissions(folder / "Data", fs::perms::owner_write, fs::perm_options::remove);
    fs::permissions(folder, fs::perms::owner_write, fs::perm_options::remove);

    auto removeAsUser = [&] {
        DeleteFolderTree(u"\\Storage\\Apps\\Tessamo");
        return !fs::exists(folder);
    };
    if (geteuid() != 0) {
        EXPECT_TRUE(removeAsUser());
    } else {
        constexpr int kCannotDrop = 77;
        const pid_t child = fork();
        ASSERT_GE(child, 0);
        if (child == 0) {
            const uid_t nobody = 65534;
            for (const auto& entry : fs::recursive_directory_iterator(env_.Root())) {
                if (lchown(entry.path().c_str(), nobody, nobody) != 0) _exit(kCannotDrop);
            }
            if (lchown(env_.Root().c_str(), nobody, nobody) != 0 || setgid(nobody) != 0 ||
                setuid(nobody) != 0 || geteuid() == 0) {
                _exit(kCannotDrop);
            }
            _exit(removeAsUser() ? 0 : 1);
        }
        int status = 0;
        waitpid(child, &status, 0);
        ASSERT_TRUE(WIFEXITED(status));
        if (WEXITSTATUS(status) == kCannotDrop) GTEST_SKIP() << "cannot drop root's rights here";
        EXPECT_EQ(WEXITSTATUS(status), 0) << "the read-only folder was not emptied";
    }
    EXPECT_FALSE(fs::exists(folder));
    EXPECT_TRUE(fs::exists(env_.Host("Storage/Apps/Keep/keep.txt")));
}

}  // namespace
