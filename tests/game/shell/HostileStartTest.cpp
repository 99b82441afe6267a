// The whole program started on a hostile device: card libraries of random bytes or cut
// short, a device folder that is missing or is a file, a 100 MB translation file, a help
// viewer that is missing, not executable or never ends, a settings store that cannot be
// written. Each start runs in a child process of its own (the card library is loaded once
// per process), which starts the game, makes a move, asks for help and ends the game. It must
// do all of that with its defaults and without showing anything; its peak resident memory
// is printed beside that of a start on the healthy device.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <QSize>
#include <QTest>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <optional>
#include <random>
#include <string>
#include <thread>

#include "game/resources/resource.h"
#include "game/settings/Options.h"
#include "game/settings/Statistics.h"
#include "game/shell/Application.h"
#include "game/shell/MainDialog.h"
#include "game/view/CardImageLibrary.h"
#include "platform/PlatformConfig.h"
#include "platform/gui/DeviceScreen.h"
#include "platform/gui/MessageBox.h"
#include "platform/gui/ModalRun.h"
#include "tests/support/TempPlatform.h"

namespace fs = std::filesystem;

namespace {

struct Device {  // where the program finds its files and settings
    fs::path device;
    fs::path registry;
    fs::path program;   // the program's own path; its translation file lies beside it
    bool faces = true;  // whether the cards have faces, or every one is blank
    // Run as an ordinary user who owns `owned`: a folder whose permissions forbid reading
    // forbids only such a user.
    std::optional<fs::path> owned;
};

// Exit codes of the child, one per thing that went wrong.
enum Problem { kNone = 0, kNoMainDialog = 10, kCards, kMove, kMessages, kDefaults, kFaces };
constexpr int kCannotDropRights = 77;

// Makes the process an ordinary user (nobody) who owns everything below `owned`; true
// when it already runs as one.
bool BecomeOwnerOf(const fs::path& owned) {
    if (geteuid() != 0) return true;
    const uid_t nobody = 65534;
    std::error_code ec;
    for (auto it = fs::recursive_directory_iterator(owned, ec);
         !ec && it != fs::recursive_directory_iterator(); it.increment(ec)) {
        if (lchown(it->path().c_str(), nobody, nobody) != 0) return false;
    }
    return !ec && lchown(owned.c_str(), nobody, nobody) == 0 && setgid(nobody) == 0 &&
           setuid(nobody) == 0 && geteuid() != 0;
}

QPoint PileCentre(const GameBoard& board, int pile) {
    const Card* top = board.TopCard(pile);
    const Point at = top ? Point{top->X(), top->Y()} : board.CardPosition(pile, 0);
    const Size card = board.Layout().CardSize();
    return QPoint(at.x + card.width / 2, at.y + card.height / 2);
}

// In the child: the start-up of main(), with the platform pointed at `setup`.
[[noreturn]] void PlayOnce(const Device& setup) {
    if (setup.owned && !BecomeOwnerOf(*setup.owned)) _exit(kCannotDropRights);
    setenv("QT_QPA_PLATFORM", "offscreen", 1);
    platform::SetDeviceRoot(setup.device);
    platform::SetRegistryPath(setup.registry);
    platform::SetModulePath(setup.program);
    static int argc = 1;
    static char name[] = "tessamo";
    static char* argv[] = {name, nullptr};
    Application app(argc, argv);
    platform::gui::DeviceScreen screen(QSize(480, 640));
    screen.show();
    ProcessCardLibrary();
    CardSize();
    TheOptions();
    TheStatistics();
    platform::gui::SetMessageBoxResponder(
        [](const platform::gui::MessageBoxRequest&) { return IDOK; });

    int problem = kNoMainDialog;
    platform::gui::SetModalObserver([&](QDialog& shown) {
        auto* dialog = dynamic_cast<MainDialog*>(&shown);
        if (!dialog) return;
        GameBoard& board = dialog->Game().Board();
        problem = kNone;
        if (board.CardList().size() != 52) problem = kCards;
        const auto withFace =
            std::count_if(board.CardList().begin(), board.CardList().end(),
                          [](const Card* card) { return card->Image() != nullptr; });
        if (problem == kNone && withFace != (setup.faces ? 52 : 0)) problem = kFaces;
        // A move every deal allows: a column's top card to an empty reserve cell (from where
        // automatic moves may take it, and cards below it, on to the foundations).
        const int before = board.Pile(0).Count();
        QTest::mouseClick(dialog->Field(), Qt::LeftButton, Qt::NoModifier, PileCentre(board, 0));
        QTest::mouseClick(dialog->Field(), Qt::LeftButton, Qt::NoModifier,
                          PileCentre(board, GameBoard::kFirstCell));
        if (problem == kNone && board.Pile(0).Count() >= before) problem = kMove;
        screen.SendHelpRequest();
        dialog->OnCommand(ID_APP_EXIT);
    });
    app.InitInstance();
    app.ExitInstance();
    const Options& options = TheOptions();
    if (problem == kNone && !platform::gui::MessageBoxLog().empty()) problem = kMessages;
    if (problem == kNone &&
        !(options.DblClickMoves() && options.DisplayMessages() && options.ShowNoDragBox() &&
          options.ShowStatusBar() && options.SoftKeyMenu())) {
        problem = kDefaults;
    }
    std::fflush(nullptr);
    _exit(problem);
}

class HostileStartTest : public ::testing::Test {
  protected:
    HostileStartTest() {
        fs::copy(TESSAMO_DEVICE_DIR "/Windows", temp_.DeviceRoot() / "Windows",
                 fs::copy_options::recursive | fs::copy_options::overwrite_existing);
        fs::create_directories(temp_.Root() / "bin");
        // The shipped viewer would open a window; a quiet one that exits stands in for it.
        WriteViewer("#!/bin/sh\nexit 0\n", true);
    }

    Device Healthy() const {
        return {temp_.DeviceRoot(), temp_.RegistryFile(), temp_.Root() / "bin" / "tessamo", true,
                std::nullopt};
    }
    fs::path Windows() const { return temp_.DeviceRoot() / "Windows"; }

    void WriteViewer(const std::string& text, bool executable) {
        const fs::path viewer = Windows() / "PegHelp.exe";
        fs::remove(viewer);
        std::ofstream(viewer) << text;
        fs::permissions(viewer, executable ? fs::perms::owner_all
                                           : fs::perms::owner_read | fs::perms::owner_write);
    }

    // Runs one start in a child; fails when it does not end by itself within a minute.
    void Start(const Device& setup, const char* what) {
        std::fflush(nullptr);  // nothing buffered here is written twice by the child
        const pid_t child = fork();
        ASSERT_GE(child, 0);
        if (child == 0) PlayOnce(setup);
        int status = 0;
        rusage usage{};
        pid_t ended = 0;
        for (int i = 0; i < 600 && ended == 0; ++i) {
            ended = wait4(child, &status, WNOHANG, &usage);
            if (ended == 0) std::this_thread::sleep_for(std::chrono::milliseconds(100));
        }
        if (ended == 0) {
            kill(child, SIGKILL);
            waitpid(child, &status, 0);
            FAIL() << what << ": the game did not end";
        }
        ASSERT_TRUE(WIFEXITED(status)) << what << ": ended by signal " << WTERMSIG(status);
        if (WEXITSTATUS(status) == kCannotDropRights) GTEST_SKIP() << "cannot drop root's rights";
        EXPECT_EQ(WEXITSTATUS(status), kNone) << what;
        std::printf("%-40s peak resident memory %6.1f MB\n", what, usage.ru_maxrss / 1024.0);
    }

    TempPlatform temp_;
};

TEST_F(HostileStartTest, DamagedCardLibrariesGiveBlankCards) {
    Start(Healthy(), "healthy device");
    std::mt19937 random(12);
    for (const char* library : {"pegcards.dll", "pegcards.192.dll"}) {
        std::ofstream out(Windows() / library, std::ios::binary | std::ios::trunc);
        for (int i = 0; i < 200000; ++i) out.put(static_cast<char>(random()));
    }
    Device damaged = Healthy();
    damaged.faces = false;
    fs::remove(temp_.RegistryFile());
    Start(damaged, "card libraries of random bytes");

    // Cut short: a real library, with its header claiming more than is there.
    fs::copy_file(TESSAMO_DEVICE_DIR "/Windows/pegcards.192.dll", Windows() / "pegcards.192.dll",
                  fs::copy_options::overwrite_existing);
    fs::resize_file(Windows() / "pegcards.192.dll",
                    fs::file_size(Windows() / "pegcards.192.dll") / 2);
    fs::remove(temp_.RegistryFile());
    Start(damaged, "card library cut to half its size");
}

TEST_F(HostileStartTest, AMissingDeviceFolderOrOneThatIsAFile) {
    Device setup = Healthy();
    setup.faces = false;
    setup.device = temp_.Root() / "no-such-device";
    Start(setup, "device folder missing");
    std::ofstream(temp_.Root() / "device-file") << "not a folder";
    setup.device = temp_.Root() / "device-file";
    fs::remove(temp_.RegistryFile());
    Start(setup, "device folder that is a file");
    // A \Windows that is a file.
    fs::remove_all(Windows());
    std::ofstream(Windows()) << "not a folder";
    fs::remove(temp_.RegistryFile());
    setup.device = temp_.DeviceRoot();
    Start(setup, "device \\Windows that is a file");
}

// Seen by its owner without the rights to read it, the device folder is as good as missing.
TEST_F(HostileStartTest, AnUnreadableDeviceFolder) {
    Device setup = Healthy();
    setup.faces = false;
    setup.owned = temp_.Root();
    fs::permissions(temp_.DeviceRoot(), fs::perms::none);
    Start(setup, "device folder that cannot be read");
}

TEST_F(HostileStartTest, AHundredMegabyteTranslationFile) {
    {
        std::ofstream out(temp_.Root() / "bin" / "tessamo_en.txt", std::ios::binary);
        std::string lines;
        for (int i = 0; i < (1 << 20) / 4; ++i) lines += "x|y\n";
        for (int i = 0; i < 100; ++i) out << lines;
    }
    Start(Healthy(), "100 MB translation file");
}

TEST_F(HostileStartTest, AHelpViewerThatIsMissingNotExecutableOrNeverEnds) {
    fs::remove(Windows() / "PegHelp.exe");
    Start(Healthy(), "help viewer missing");
    WriteViewer("#!/bin/sh\nexit 0\n", false);
    Start(Healthy(), "help viewer not executable");
    const fs::path pidFile = temp_.Root() / "viewer.pid";
    WriteViewer("#!/bin/sh\necho $$ > '" + pidFile.string() + "'\nexec sleep 600\n", true);
    Start(Healthy(), "help viewer that never ends");
    // The game ended while its viewer still ran; the viewer is ours to end.
    for (int i = 0; i < 200 && !fs::exists(pidFile); ++i) {
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }
    std::ifstream in(pidFile);
    long pid = 0;
    ASSERT_TRUE(in >> pid);
    EXPECT_EQ(kill(static_cast<pid_t>(pid), 0), 0) << "the viewer was still running";
    kill(static_cast<pid_t>(pid), SIGKILL);
}

TEST_F(HostileStartTest, ASettingsStoreThatCannotBeWritten) {
    std::ofstream(temp_.Root() / "blocker") << "x";
    Device setup = Healthy();
    setup.registry = temp_.Root() / "blocker" / "registry.sqlite";
    Start(setup, "settings folder below a file");
    fs::create_directories(temp_.Root() / "store-folder");
    setup.registry = temp_.Root() / "store-folder";
    Start(setup, "settings store that is a folder");
}

// A store its owner may only read: the game starts, plays and ends with what it can, shows
// nothing, and leaves the file as it was.
TEST_F(HostileStartTest, ASettingsStoreFileThatIsReadOnly) {
    Start(Healthy(), "healthy device, making the store");
    auto bytes = [&] {
        std::ifstream in(temp_.RegistryFile(), std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), {});
    };
    const std::string before = bytes();
    ASSERT_FALSE(before.empty());
    fs::permissions(temp_.RegistryFile(),
                    fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read);
    Device setup = Healthy();
    setup.owned = temp_.Root();
    Start(setup, "settings store file that is read-only");
    EXPECT_EQ(bytes(), before);
}

}  // namespace
