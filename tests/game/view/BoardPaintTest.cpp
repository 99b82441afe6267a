// Pixel tests on painted boards: every pixel comes from the table colour, an empty-place
// image or a plain-colour card face, so each can be checked exactly.
#include <memory>

#include <gtest/gtest.h>

#include "game/model/Deal.h"
#include "game/model/Deck.h"
#include "game/model/GameBoard.h"
#include "game/view/CardImageLibrary.h"
#include "game/view/ImageDrawTarget.h"
#include "game/resources/ProgramResources.h"
#include "tests/game/view/ViewTestSupport.h"
#include "tests/support/TempPlatform.h"

namespace {

class PaintedBoard {
  public:
    PaintedBoard(const TempPlatform& temp, Size screen, int scale)
        : owner_(screen), board_(owner_, scale), scale_(scale) {
        const auto windows = temp.DeviceRoot() / "Windows";
        WritePlainLibrary(windows / (scale == 1 ? "pegcards.dll" : "pegcards.192.dll"), 29 * scale,
                          41 * scale);
        module_ = LoadLibraryW(CardLibraryName(scale).c_str());
        library_ = std::make_unique<CardImageLibrary>(module_);
        deck_ = std::make_unique<Deck>(Size{29 * scale, 41 * scale}, library_.get());
        board_.SetBackgroundColour(0x008200);
        board_.SetEmptyPlaceImage(EmptyPlace());
        Deal(*deck_, board_, 1);
    }
    ~PaintedBoard() {
        if (module_) FreeLibrary(module_);
    }

    BitmapPtr EmptyPlace() const {
        return LoadProgramBitmap(scale_ == 2 ? kBitmapEmptyPlaceLarge : kBitmapEmptyPlace);
    }
    QImage Paint() {
        const Size screen = owner_.ScreenSize();
        return PaintTableImage(board_, QSize(screen.width, screen.height - 52 * scale_));
    }
    GameBoard& Board() { return board_; }
    int Scale() const { return scale_; }

  private:
    QuietOwner owner_;
    GameBoard board_;
    int scale_;
    HMODULE module_ = nullptr;
    std::unique_ptr<CardImageLibrary> library_;
    std::unique_ptr<Deck> deck_;
};

struct Screen {
    int width, height, scale;
    int foundationImages;  // x of the first foundation image, at scale 1
    int cellImages;        // x of the first reserve-cell image, at scale 1
};

class BoardPaintTest : public ::testing::TestWithParam<Screen> {
  protected:
    TempPlatform temp_;
};

TEST_P(BoardPaintTest, EmptyPlacesShowTheirImageWhereTheLayoutPutsThem) {
    const Screen s = GetParam();
    PaintedBoard painted(temp_, {s.width, s.height}, s.scale);
    const QImage image = painted.Paint();
    const BitmapPtr place = painted.EmptyPlace();
    ASSERT_NE(place, nullptr);
    for (int k = 0; k < 4; ++k) {
        EXPECT_TRUE(ShowsBitmap(image, *place, (s.cellImages + 29 * k) * s.scale, 3 * s.scale))
            << k;
        EXPECT_TRUE(
            ShowsBitmap(image, *place, (s.foundationImages + 29 * k) * s.scale, 3 * s.scale))
            << k;
    }
    // The pixel column just before the first foundation image is table, also where the
    // foundation cards will lie one pixel further left in portrait.
    const int gapLeft = (s.cellImages + 4 * 29) * s.scale;
    EXPECT_TRUE(
        AllPixels(image, gapLeft, 0, s.foundationImages * s.scale, 44 * s.scale, kTablePixel));
    // Above the images and to their right is table too.
    const int right = (s.foundationImages + 4 * 29) * s.scale;
    EXPECT_TRUE(AllPixels(image, 0, 0, image.width(), 3 * s.scale, kTablePixel));
    EXPECT_TRUE(AllPixels(image, right, 0, image.width(), 44 * s.scale, kTablePixel));
}

TEST_P(BoardPaintTest, CardsShowTheirFacesAndFreePlacesTheTable) {
    const Screen s = GetParam();
    PaintedBoard painted(temp_, {s.width, s.height}, s.scale);
    const QImage image = painted.Paint();
    GameBoard& board = painted.Board();
    int lowest = 0;
    for (int column = 0; column < 8; ++column) {
        const Card* top = board.TopCard(column);
        ASSERT_NE(top, nullptr);
        // The top card is whole; the cards under it show the strip above it.
        EXPECT_TRUE(AllPixels(image, top->X(), top->Y(), top->X() + top->Width(),
                              top->Y() + top->Height(), FaceColour(top->ImageNumber())))
            << column;
        const Card* bottom = board.Pile(column).At(0);
        EXPECT_EQ(image.pixel(bottom->X(), bottom->Y()), FaceColour(bottom->ImageNumber()));
        // Between this column and the next lies table.
        EXPECT_TRUE(AllPixels(image, top->X() + top->Width(), bottom->Y(),
                              std::min(top->X() + board.CardPosition(1, 0).x, image.width()),
                              top->Y() + top->Height(), kTablePixel))
            << column;
        lowest = std::max(lowest, top->Y() + top->Height());
    }
    EXPECT_TRUE(AllPixels(image, 0, lowest, image.width(), image.height(), kTablePixel));
}

TEST_P(BoardPaintTest, ASelectedCardIsTheNegativeOverExactlyItsRectangle) {
    const Screen s = GetParam();
    PaintedBoard painted(temp_, {s.width, s.height}, s.scale);
    const QImage plain = painted.Paint();
    // A tap on the top card of column 2 selects it.
    const Card* top = painted.Board().TopCard(2);
    painted.Board().OnStylusDown(top->X() + 2, top->Y() + 2);
    ASSERT_EQ(painted.Board().SelectedCard(), top);
    const QImage selected = painted.Paint();
    const Rect r = top->GetRect();
    for (int y = 0; y < plain.height(); ++y)
        for (int x = 0; x < plain.width(); ++x) {
            const QRgb expected =
                r.Contains(x, y) ? plain.pixel(x, y) ^ 0x00FFFFFF : plain.pixel(x, y);
            ASSERT_EQ(selected.pixel(x, y), expected) << x << "," << y;
        }
    // Deselected and painted again, the card is shown as before.
    painted.Board().Deselect();
    EXPECT_EQ(painted.Paint(), plain);
}

TEST_P(BoardPaintTest, AnEmptyColumnShowsOnlyTheTable) {
    const Screen s = GetParam();
    PaintedBoard painted(temp_, {s.width, s.height}, s.scale);
    GameBoard& board = painted.Board();
    const int column = 5;
    const Point first = board.CardPosition(column, 0);
    int target = 8;
    while (!board.Pile(column).Empty())
        ASSERT_TRUE(board.MoveCard(column, target++, -1, -1, false));
    const QImage image = painted.Paint();
    const int w = 29 * s.scale;
    EXPECT_TRUE(AllPixels(image, first.x, first.y, first.x + w, image.height(), kTablePixel));
    // The cards moved to the top row cover the empty-place images there.
    const Card* cell = board.TopCard(8);
    EXPECT_TRUE(AllPixels(image, cell->X(), cell->Y(), cell->X() + w, cell->Y() + 41 * s.scale,
                          FaceColour(cell->ImageNumber())));
}

INSTANTIATE_TEST_SUITE_P(
    Screens, BoardPaintTest,
    ::testing::Values(Screen{240, 320, 1, 124, 0}, Screen{320, 240, 1, 175, 29},
                      Screen{480, 640, 2, 124, 0}, Screen{640, 480, 2, 175, 29}),
    [](const auto& info) {
        return std::to_string(info.param.width) + "x" + std::to_string(info.param.height);
    });

TEST(TablePaintTest, AnEmptyTableIsAllBackgroundAndBlankCardsShowIt) {
    QuietOwner owner({240, 320});
    CardTable table(owner);
    table.SetBackgroundColour(0x00332211);
    QImage image = PaintTableImage(table, QSize(50, 40));
    EXPECT_TRUE(AllPixels(image, 0, 0, 50, 40, 0xFF112233));
    // A card without a face is a white card with a grey edge that hides what lies beneath;
    // selected, its whole rectangle is inverted.
    Card under(1, kAce, {29, 41});
    under.SetPosition(10, 5);
    table.AddCard(&under);
    Card blank(0, kAce, {29, 41});
    blank.SetPosition(10, 5);
    table.AddCard(&blank);
    image = PaintTableImage(table, QSize(50, 40));
    EXPECT_TRUE(AllPixels(image, 11, 6, 38, 40, 0xFFFFFFFF));
    EXPECT_TRUE(AllPixels(image, 10, 5, 39, 6, 0xFF808080));
    EXPECT_TRUE(AllPixels(image, 10, 5, 11, 40, 0xFF808080));
    EXPECT_TRUE(AllPixels(image, 0, 0, 10, 40, 0xFF112233));
    EXPECT_TRUE(AllPixels(image, 39, 0, 50, 40, 0xFF112233));
    blank.SetSelected(true);
    image = PaintTableImage(table, QSize(50, 40));
    EXPECT_TRUE(AllPixels(image, 11, 6, 38, 40, 0xFF000000));
    EXPECT_TRUE(AllPixels(image, 10, 5, 39, 6, 0xFF7F7F7F));
    EXPECT_TRUE(AllPixels(image, 0, 0, 10, 40, 0xFF112233));
}

TEST(TablePaintTest, BitmapsAreClippedToTheImageAndToThemselves) {
    QImage image(10, 10, QImage::Format_RGB32);
    image.fill(0xFF000000);
    ImageDrawTarget target(image);
    Bitmap small{3, 2, std::vector<std::uint32_t>(6, 0xFFABCDEF)};
    // Asked for more than the bitmap holds, only the bitmap is copied.
    target.DrawBitmap(small, 8, -1, 29, 41);
    EXPECT_EQ(image.pixel(8, 0), 0xFFABCDEFu);
    EXPECT_EQ(image.pixel(9, 0), 0xFFABCDEFu);
    EXPECT_EQ(image.pixel(8, 1), 0xFF000000u);
    target.FillRect({-5, -5, 2, 3}, 0x000000FF);
    EXPECT_EQ(image.pixel(1, 2), 0xFFFF0000u);
    EXPECT_EQ(image.pixel(2, 2), 0xFF000000u);
    target.InvertRect({9, 9, 20, 20});
    EXPECT_EQ(image.pixel(9, 9), 0xFFFFFFFFu);
    EXPECT_EQ(image.pixel(8, 9), 0xFF000000u);
}

// A 2 x 2 face stretched to 4 x 4 doubles each pixel; stretched past the image's edge it is
// clipped there, and the pixels keep their place in the bitmap as if drawn whole.
TEST(TablePaintTest, StretchedBitmapsFillTheirRectangleAndAreClipped) {
    QImage image(6, 6, QImage::Format_RGB32);
    image.fill(0xFF000000);
    ImageDrawTarget target(image);
    const Bitmap face{2, 2, {0xFF000001, 0xFF000002, 0xFF000003, 0xFF000004}};
    target.StretchBitmap(face, {0, 0, 4, 4});
    const QRgb expected[4][4] = {{1, 1, 2, 2}, {1, 1, 2, 2}, {3, 3, 4, 4}, {3, 3, 4, 4}};
    for (int y = 0; y < 4; ++y) {
        for (int x = 0; x < 4; ++x) {
            EXPECT_EQ(image.pixel(x, y), 0xFF000000u | expected[y][x]) << x << ", " << y;
        }
    }
    EXPECT_EQ(image.pixel(4, 0), 0xFF000000u);
    EXPECT_EQ(image.pixel(0, 4), 0xFF000000u);
    target.StretchBitmap(face, {4, 4, 8, 8});
    EXPECT_EQ(image.pixel(4, 4), 0xFF000001u);
    EXPECT_EQ(image.pixel(5, 5), 0xFF000001u);
    target.StretchBitmap(face, {-2, -2, 2, 2});
    EXPECT_EQ(image.pixel(0, 0), 0xFF000004u);
    const Bitmap broken{5, 5, {}};  // fewer pixels than its size claims: nothing drawn
    target.StretchBitmap(broken, {0, 0, 6, 6});
    EXPECT_EQ(image.pixel(5, 0), 0xFF000000u);
}

}  // namespace
