#include "setup/FileRoutines.h"

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

}  // namespace
