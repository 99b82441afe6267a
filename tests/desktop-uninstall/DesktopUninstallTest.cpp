// Runs the built desktop-uninstall.exe under Wine. One pristine prefix is made per run of this
// program; each test works in its own copy, so a test can only spoil its own prefix.
#include <gtest/gtest.h>
#include <signal.h>
#include <stdlib.h>
#include <sys/wait.h>

#include <filesystem>
#include <fstream>
#include <memory>
#include <sstream>
#include <string>

#include "tests/desktop-uninstall/WinePrefix.h"

namespace fs = std::filesystem;
using std::chrono::seconds;

namespace {

const std::string kUninstall = "software\\microsoft\\windows\\currentversion\\uninstall";
const std::string kLongFits(213, 'L');     // batch text of 999 bytes with "remove1.exe"
const std::string kLongTooLong(214, 'L');  // batch text of 1001 bytes with "remove.exe"

std::string ReadFile(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

void WriteFile(const fs::path& path, const std::string& text) {
    fs::create_directories(path.parent_path());
    std::ofstream(path, std::ios::binary) << text;
}

std::string Entry(const std::string& name) {
    return "[HKEY_LOCAL_MACHINE\\SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\" + name +
           "]\r\n\"DisplayName\"=\"" + name + "\"\r\n";
}

// The keys below the uninstall key.
std::set<std::string> UninstallKeys(const WinePrefix& prefix) {
    std::set<std::string> result;
    for (const std::string& key : prefix.MachineKeys()) {
        if (key.rfind(kUninstall + "\\", 0) == 0) result.insert(key.substr(kUninstall.size() + 1));
    }
    return result;
}

class DesktopUninstallTest : public ::testing::Test {
  protected:
    static void SetUpTestSuite() {
        try {
            tools_ = FindWine();
            if (tools_.loader.empty() || tools_.server.empty()) {
                error_ = "Wine is not installed (wine64 and wineserver); run scripts/install-deps";
                return;
            }
            // In the build tree rather than the system's temporary folder, which may be
            // mounted without execute permission, and Wine maps its programs executable.
            std::string pattern = (fs::path(TESSAMO_WINE_SCRATCH) / "wine-XXXXXX").string();
            if (!mkdtemp(pattern.data())) throw std::runtime_error("no temporary folder");
            root_ = pattern;
            pristine_ = std::make_unique<WinePrefix>(tools_, root_ / "pristine", root_ / "home");
            for (const auto& entry : fs::directory_iterator(pristine_->DriveC() / "users")) {
                if (entry.path().filename() != "Public") user_ = entry.path().filename();
            }
            std::string reg = "REGEDIT4\r\n\r\n" + Entry("Cards") +
                              "\"UninstallString\"=\"C:\\\\Apps\\\\Cards\\\\remove.exe\"\r\n" +
                              Entry("Cards\\Components") + Entry("Cards\\Components\\Deep") +
                              Entry("Cards\\Languages") + Entry("Cards Old") +
                              Entry("CardsX\\Nested") + Entry("Other Game");
            for (const std::string& name :
                 {std::string("windows"), std::string("drivers"), std::string("Program Files"),
                  std::string("Korvel Tessamo"), std::string("users"), user_, std::string("other"),
                  std::string("Desktop"), std::string("ProgramData"), kLongFits, kLongTooLong}) {
                reg += Entry(name);
            }
            pristine_->ImportRegistry(reg);
            if (!pristine_->MachineKeys().count(kUninstall + "\\cards\\components\\deep")) {
                throw std::runtime_error("the registry import did not take");
            }
        } catch (const std::exception& e) {
            error_ = std::string("cannot prepare a Wine prefix: ") + e.what();
        }
    }

    static void TearDownTestSuite() {
        pristine_.reset();
        std::error_code ec;
        if (!root_.empty()) fs::remove_all(root_, ec);
    }

    void SetUp() override {
        ASSERT_TRUE(error_.empty()) << error_;
        const std::string name = ::testing::UnitTest::GetInstance()->current_test_info()->name();
        std::string safe;
        for (char c : name) safe += std::isalnum(static_cast<unsigned char>(c)) ? c : '_';
        prefix_ = std::make_unique<WinePrefix>(*pristine_, root_ / safe);
    }

    void TearDown() override { prefix_.reset(); }

    // Places the uninstaller at `windowsPath`, with a marker file beside it.
    void Place(const std::string& windowsPath) {
        const fs::path host = prefix_->Host(windowsPath);
        fs::create_directories(host.parent_path());
        fs::copy_file(TESSAMO_DESKTOP_UNINSTALL_EXE, host, fs::copy_options::overwrite_existing);
        WriteFile(host.parent_path() / "marker.txt", "stays unless removed\r\n");
    }

    // Runs the uninstaller from its own folder (the current drive is then C:).
    int RunUninstaller(const std::string& windowsPath) {
        return prefix_->Run({windowsPath}, prefix_->Host(windowsPath).parent_path());
    }

    fs::path Batch() const { return prefix_->DriveC() / "DelUS.bat"; }

    // Checks that a start from `windowsPath` changes nothing: no batch file, the program and
    // its folder in place, and the uninstall entries as they were.
    void ExpectRefused(const std::string& windowsPath) {
        Place(windowsPath);
        const auto entriesBefore = UninstallKeys(*prefix_);
        EXPECT_EQ(RunUninstaller(windowsPath), 0);
        prefix_->WaitForServer();  // anything it had started would have run by now
        const fs::path host = prefix_->Host(windowsPath);
        EXPECT_FALSE(fs::exists(Batch()));
        EXPECT_TRUE(fs::exists(host));
        EXPECT_TRUE(fs::exists(host.parent_path() / "marker.txt"));
        EXPECT_EQ(UninstallKeys(*prefix_), entriesBefore);
    }

    static WineTools tools_;
    static fs::path root_;
    static std::unique_ptr<WinePrefix> pristine_;
    static std::string user_;
    static std::string error_;
    std::unique_ptr<WinePrefix> prefix_;
};

WineTools DesktopUninstallTest::tools_;
fs::path DesktopUninstallTest::root_;
std::unique_ptr<WinePrefix> DesktopUninstallTest::pristine_;
std::string DesktopUninstallTest::user_;
std::string DesktopUninstallTest::error_;

TEST_F(DesktopUninstallTest, RemovesItsEntryThenItselfAndItsFolder) {
    Place("C:\\Apps\\Cards\\remove.exe");
    const fs::path folder = prefix_->Host("C:\\Apps\\Cards");
    WriteFile(folder / "Tessamo.htm", "help");
    WriteFile(folder / "locked.txt", "read-only");
    fs::permissions(folder / "locked.txt", fs::perms::owner_read);
    WriteFile(prefix_->Host("C:\\Apps\\CardsX\\keep.txt"), "neighbour");

    EXPECT_EQ(RunUninstaller("C:\\Apps\\Cards\\remove.exe"), 0);
    // The batch ran; that it started suspended, at idle priority and hidden cannot be seen
    // under Wine and is checked by reading WriteAndStartBatch.
    EXPECT_TRUE(WaitUntil([&] { return !fs::exists(folder) && !fs::exists(Batch()); }, seconds(60)))
        << "folder or batch file still there";
    prefix_->WaitForServer();

    const auto entries = UninstallKeys(*prefix_);
    EXPECT_FALSE(entries.count("cards"));
    EXPECT_FALSE(entries.count("cards\\components"));
    EXPECT_FALSE(entries.count("cards\\components\\deep"));
    EXPECT_FALSE(entries.count("cards\\languages"));
    EXPECT_TRUE(entries.count("cards old"));
    EXPECT_TRUE(entries.count("cardsx\\nested"));
    EXPECT_TRUE(entries.count("other game"));
    EXPECT_TRUE(fs::exists(prefix_->Host("C:\\Apps\\CardsX\\keep.txt")));
    EXPECT_TRUE(fs::is_directory(prefix_->Host("C:\\Apps")));
    // The prefix stayed closed to the host all along.
    std::error_code ec;
    EXPECT_EQ(fs::symlink_status(prefix_->Path() / "dosdevices" / "z:", ec).type(),
              fs::file_type::not_found);
}

TEST_F(DesktopUninstallTest, WithoutEntryStillEmptiesFolderButKeepsItsSubfolders) {
    prefix_->ImportRegistry(
        "REGEDIT4\r\n\r\n"
        "[-HKEY_LOCAL_MACHINE\\SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Cards]"
        "\r\n");
    ASSERT_FALSE(UninstallKeys(*prefix_).count("cards"));
    Place("C:\\Apps\\Cards\\remove.exe");
    const fs::path folder = prefix_->Host("C:\\Apps\\Cards");
    WriteFile(folder / "Data" / "deep.txt", "below");

    EXPECT_EQ(RunUninstaller("C:\\Apps\\Cards\\remove.exe"), 0);
    EXPECT_TRUE(WaitUntil([&] { return !fs::exists(Batch()); }, seconds(60)));
    prefix_->WaitForServer();

    // Files go at every level; the folder stays because a subfolder is left in it.
    EXPECT_FALSE(fs::exists(folder / "remove.exe"));
    EXPECT_FALSE(fs::exists(folder / "marker.txt"));
    EXPECT_FALSE(fs::exists(folder / "Data" / "deep.txt"));
    EXPECT_TRUE(fs::is_directory(folder / "Data"));
    EXPECT_TRUE(UninstallKeys(*prefix_).count("other game"));
}

// While another program holds the uninstaller open, the batch keeps trying to delete it, so
// the batch text can be read; once released, the batch finishes its work.
TEST_F(DesktopUninstallTest, ReplacesEarlierBatchWithExactTextAndRetriesUntilFileIsFree) {
    Place("C:\\Apps\\Cards\\remove.exe");
    WriteFile(Batch(), std::string(3000, 'x'));
    const fs::path tools = prefix_->Host("C:\\Tools");
    fs::create_directories(tools);
    fs::copy_file(TESSAMO_HOLD_FILE_EXE, tools / "hold-file.exe");
    const pid_t holder = prefix_->Start({"C:\\Tools\\hold-file.exe", "C:\\Apps\\Cards\\remove.exe",
                                         "C:\\Tools\\ready", "C:\\Tools\\release"},
                                        tools);
    ASSERT_TRUE(WaitUntil([&] { return fs::exists(tools / "ready"); }, seconds(60)));

    EXPECT_EQ(RunUninstaller("C:\\Apps\\Cards\\remove.exe"), 0);
    const std::string expected =
        ":Repeat\r\n"
        "del \"C:\\Apps\\Cards\\remove.exe\"\r\n"
        "if exist \"C:\\Apps\\Cards\\remove.exe\" goto Repeat\r\n"
        "del \"C:\\Apps\\Cards\\*.*\" /F /S /Q\r\n"
        "rmdir \"C:\\Apps\\Cards\"\r\n"
        "del \"\\DelUS.bat\"\r\n";
    EXPECT_EQ(ReadFile(Batch()), expected);
    EXPECT_TRUE(fs::exists(prefix_->Host("C:\\Apps\\Cards\\remove.exe")));

    WriteFile(tools / "release", "");
    int status = 0;
    waitpid(holder, &status, 0);
    EXPECT_TRUE(WaitUntil(
        [&] { return !fs::exists(prefix_->Host("C:\\Apps\\Cards")) && !fs::exists(Batch()); },
        seconds(60)));
    prefix_->WaitForServer();
}

TEST_F(DesktopUninstallTest, LongestPathWhoseBatchFitsIsAccepted) {
    const std::string path = "C:\\Apps\\" + kLongFits + "\\remove1.exe";
    Place(path);
    EXPECT_EQ(RunUninstaller(path), 0);
    EXPECT_TRUE(WaitUntil(
        [&] {
            return !fs::exists(prefix_->Host("C:\\Apps\\" + kLongFits)) && !fs::exists(Batch());
        },
        seconds(60)));
    prefix_->WaitForServer();
    std::string lower = kLongFits;
    for (char& c : lower) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    EXPECT_FALSE(UninstallKeys(*prefix_).count(lower));
}

TEST_F(DesktopUninstallTest, RefusesPathWhoseBatchDoesNotFit) {
    ExpectRefused("C:\\Apps\\" + kLongTooLong + "\\remove.exe");
}

TEST_F(DesktopUninstallTest, RefusesDriveRoot) {
    WriteFile(prefix_->Host("C:\\keep.txt"), "root file");
    ExpectRefused("C:\\remove.exe");
    EXPECT_TRUE(fs::exists(prefix_->Host("C:\\keep.txt")));
}

TEST_F(DesktopUninstallTest, RefusesWindowsFolderAndEveryFolderBelowIt) {
    ExpectRefused("C:\\windows\\remove.exe");
    ExpectRefused("C:\\windows\\system32\\drivers\\remove.exe");
}

// Program Files itself is refused, a folder of the program's own inside it is not.
TEST_F(DesktopUninstallTest, RefusesProgramFilesButNotAFolderInsideIt) {
    ExpectRefused("C:\\Program Files\\remove.exe");

    const std::string own = "C:\\Program Files\\Korvel Tessamo\\remove.exe";
    Place(own);
    EXPECT_EQ(RunUninstaller(own), 0);
    EXPECT_TRUE(WaitUntil(
        [&] {
            return !fs::exists(prefix_->Host("C:\\Program Files\\Korvel Tessamo")) &&
                   !fs::exists(Batch());
        },
        seconds(60)));
    prefix_->WaitForServer();
    EXPECT_TRUE(fs::exists(prefix_->Host("C:\\Program Files\\remove.exe")));
    EXPECT_FALSE(UninstallKeys(*prefix_).count("korvel tessamo"));
    EXPECT_TRUE(UninstallKeys(*prefix_).count("program files"));
}

TEST_F(DesktopUninstallTest, RefusesFolderThatHoldsTheProfiles) {
    ExpectRefused("C:\\users\\remove.exe");
}

// The current user's and any other user's, which the shell does not report.
TEST_F(DesktopUninstallTest, RefusesEveryUsersProfile) {
    ExpectRefused("C:\\users\\" + user_ + "\\remove.exe");
    ExpectRefused("C:\\users\\other\\remove.exe");
}

TEST_F(DesktopUninstallTest, RefusesEveryUsersDesktop) {
    ExpectRefused("C:\\users\\" + user_ + "\\Desktop\\remove.exe");
    ExpectRefused("C:\\users\\other\\Desktop\\remove.exe");
}

TEST_F(DesktopUninstallTest, RefusesSharedApplicationData) {
    ExpectRefused("C:\\ProgramData\\remove.exe");
}

// The interpreter expands '%' even inside quotes, and '!' under delayed expansion: such a
// path would become another folder's in the batch, above or beside the program's own.
TEST_F(DesktopUninstallTest, RefusesPathsTheBatchWouldReadAsAnotherFolder) {
    WriteFile(prefix_->Host("C:\\Apps\\Victim\\keep.txt"), "parent");
    WriteFile(prefix_->Host("C:\\Apps\\Victim\\Sub\\keep.txt"), "parent's subfolder");
    ExpectRefused("C:\\Apps\\Victim\\%Games%\\remove.exe");
    WriteFile(prefix_->Host("C:\\Apps\\V2\\50Cards\\keep.txt"), "sibling");
    ExpectRefused("C:\\Apps\\V2\\50%Cards\\remove.exe");
    ExpectRefused("C:\\Apps\\V3\\Cards!\\remove.exe");
    ExpectRefused("C:\\Apps\\V3\\!Cards!\\remove.exe");
    prefix_->WaitForServer();
    for (const char* path : {"C:\\Apps\\Victim\\keep.txt", "C:\\Apps\\Victim\\Sub\\keep.txt",
                             "C:\\Apps\\V2\\50Cards\\keep.txt"}) {
        EXPECT_TRUE(fs::exists(prefix_->Host(path))) << path;
    }
}

// The batch is read in the OEM code page while the program sees its path in the ANSI one:
// a letter both have is written so that the interpreter reads it back; one the OEM code
// page lacks, or one the ANSI code page lacks (the system then reports '?'), is refused.
TEST_F(DesktopUninstallTest, RemovesAFolderWithAccentedNameAndRefusesOnesTheBatchCannotSpell) {
    const std::string own = "C:\\Apps\\V4\\K\xc3\xa4rten\\remove.exe";
    WriteFile(prefix_->Host("C:\\Apps\\V4\\keep.txt"), "parent");
    WriteFile(prefix_->Host("C:\\Apps\\V4\\Karten\\keep.txt"), "sibling");
    Place(own);
    EXPECT_EQ(RunUninstaller(own), 0);
    EXPECT_TRUE(WaitUntil(
        [&] {
            return !fs::exists(prefix_->Host("C:\\Apps\\V4\\K\xc3\xa4rten")) &&
                   !fs::exists(Batch());
        },
        seconds(60)))
        << "the accented folder or the batch file is still there";
    prefix_->WaitForServer();
    EXPECT_TRUE(fs::exists(prefix_->Host("C:\\Apps\\V4\\keep.txt")));
    EXPECT_TRUE(fs::exists(prefix_->Host("C:\\Apps\\V4\\Karten\\keep.txt")));

    ExpectRefused("C:\\Apps\\V5\\\xc5\x92uvres\\remove.exe");  // U+0152: ANSI only
    ExpectRefused("C:\\Apps\\V5\\\xd0\x9a\xd0\xb0\xd1\x80\xd1\x82\xd1\x8b\\remove.exe");  // Cyrillic: neither
}

}  // namespace
