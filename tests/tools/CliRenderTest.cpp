#include <QImage>
#include <filesystem>

#include <gtest/gtest.h>

#include "platform/DisplayScale.h"
#include "game/model/Deal.h"
#include "game/model/Deck.h"
#include "game/model/GameBoard.h"
#include "game/model/QuietOwner.h"
#include "game/view/CardImageLibrary.h"
#include "game/view/ImageDrawTarget.h"
#include "game/resources/ProgramResources.h"
#include "platform/WideString.h"
#include "tests/tools/CliRunner.h"

namespace fs = std::filesystem;

namespace {

class CliRenderTest : public ::testing::Test {
  protected:
    void SetUp() override {
        dir_ = fs::temp_directory_path() / ("tessamo-render-" + std::to_string(getpid()));
        fs::create_directories(dir_);
    }
    void TearDown() override { fs::remove_all(dir_); }

    // The board as the view paints it, with the card library the build put in the device
    // folder: what the command must reproduce pixel for pixel.
    QImage Expected(Size screen, int game, const Point* tap = nullptr) {
        const int scale = DisplayScaleForScreenWidth(screen.width);
        const fs::path library = fs::path(TESSAMO_DEVICE_DIR) / "Windows" /
                                 (scale == 2 ? "pegcards.192.dll" : "pegcards.dll");
        HMODULE module = LoadLibraryW(FromUtf8(library.string()).c_str());
        CardImageLibrary images(module);
        QuietOwner owner(screen);
        GameBoard board(owner, scale);
        board.SetBackgroundColour(0x008200);
        board.SetEmptyPlaceImage(
            LoadProgramBitmap(scale == 2 ? kBitmapEmptyPlaceLarge : kBitmapEmptyPlace));
        Deck deck({29 * scale, 41 * scale}, &images);
        Deal(deck, board, game);
        if (tap) board.OnStylusDown(tap->x, tap->y);
        QImage image = PaintTableImage(board, QSize(screen.width, screen.height - 52 * scale));
        FreeLibrary(module);
        return image;
    }
    QImage Load(const std::string& name) {
        return QImage(QString::fromStdString((dir_ / name).string()))
            .convertToFormat(QImage::Format_RGB32);
    }
    std::string Out(const std::string& name) { return (dir_ / name).string(); }

    fs::path dir_;
};

TEST_F(CliRenderTest, WritesTheWorkAreaAsTheTablePaintsIt) {
    ASSERT_EQ(RunCli("render 1 --out " + Out("a.png")).status, 0);
    const QImage a = Load("a.png");
    EXPECT_EQ(a.size(), QSize(240, 268));
    EXPECT_EQ(a, Expected({240, 320}, 1));

    ASSERT_EQ(RunCli("render --screen 640x480 -1 --out " + Out("b.png")).status, 0);
    const QImage b = Load("b.png");
    EXPECT_EQ(b.size(), QSize(640, 376));
    EXPECT_EQ(b, Expected({640, 480}, -1));
}

TEST_F(CliRenderTest, SelectTapsBeforePainting) {
    // The top card of column 0 on a 480 x 640 screen.
    const Point tap{10, 110 + 6 * 26 + 5};
    ASSERT_EQ(RunCli("render --screen 480x640 --select 10 271 7 --out " + Out("s.png")).status, 0);
    const QImage selected = Load("s.png");
    EXPECT_EQ(selected, Expected({480, 640}, 7, &tap));
    EXPECT_NE(selected, Expected({480, 640}, 7));
}

TEST_F(CliRenderTest, MistakesGiveOneLineAndStatusTwo) {
    const char* bad[] = {"",
                         "1",
                         "--out "
                         "x.png",
                         "--screen 0x320 1 --out x.png",
                         "--screen 240 1 --out x.png",
                         "--screen 5000x5000 1 --out x.png",
                         "--screen 240x52 1 --out x.png",
                         "--select 3 1 --out x.png",
                         "1 2 --out x.png",
                         "zz --out x.png",
                         "1 --out /nonexistent-folder/x.png"};
    for (const char* args : bad) {
        const CliResult r = RunCli(std::string("render ") + args);
        EXPECT_EQ(r.status, 2) << args;
        EXPECT_TRUE(r.out.empty()) << args;
        ASSERT_FALSE(r.err.empty()) << args;
        EXPECT_EQ(r.err.find('\n'), r.err.size() - 1) << args << ": " << r.err;
    }
    EXPECT_FALSE(fs::exists("x.png"));
}

}  // namespace
