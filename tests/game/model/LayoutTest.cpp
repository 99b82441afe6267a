#include <gtest/gtest.h>

#include "game/model/BoardLayout.h"
#include "tests/game/model/BoardFixture.h"

namespace {

constexpr Size kPortrait{240, 320};
constexpr Size kLandscape{320, 240};

TEST(LayoutTest, DisplayScaleFromScreenWidth) {
    EXPECT_EQ(DisplayScaleForScreenWidth(240), 1);
    EXPECT_EQ(DisplayScaleForScreenWidth(400), 1);
    EXPECT_EQ(DisplayScaleForScreenWidth(401), 2);
    EXPECT_EQ(BoardLayout(2).CardSize(), (Size{58, 82}));
    EXPECT_EQ(BoardLayout(1).CardSize(), (Size{29, 41}));
}

TEST(LayoutTest, CardPositionsInBothOrientationsAndScales) {
    const BoardLayout one(1), two(2);
    EXPECT_EQ(one.CardPosition(3, 5, kPortrait), (Point{90, 120}));
    EXPECT_EQ(one.CardPosition(10, 0, kPortrait), (Point{58, 3}));
    EXPECT_EQ(one.CardPosition(15, 4, kPortrait), (Point{210, 3}));
    EXPECT_EQ(one.CardPosition(7, 0, kLandscape), (Point{280, 48}));
    EXPECT_EQ(one.CardPosition(12, 0, kLandscape), (Point{175, 3}));
    EXPECT_EQ(one.CardPosition(8, 0, kLandscape), (Point{29, 3}));
    EXPECT_EQ(two.CardPosition(1, 0, {480, 640}), (Point{60, 110}));
    EXPECT_EQ(two.CardPosition(0, 2, {640, 480}), (Point{0, 96 + 32}));
    EXPECT_EQ(two.CardPosition(8, 0, {640, 480}), (Point{58, 6}));
    EXPECT_EQ(two.CardPosition(15, 0, {480, 640}), (Point{420, 6}));
    EXPECT_EQ(two.CardPosition(12, 0, {640, 480}), (Point{350, 6}));
    // A square screen is portrait.
    EXPECT_EQ(one.CardPosition(1, 0, {300, 300}), (Point{30, 55}));
}

TEST(LayoutTest, PileAtPortrait) {
    const BoardLayout l(1);
    const std::vector<std::pair<Point, int>> cases = {
        {{119, 10}, -1}, {{122, 10}, -1}, {{123, 10}, 12}, {{238, 10}, 15}, {{239, 10}, -1},
        {{5, 54}, 8},    {{5, 55}, 0},    {{235, 300}, 7}, {{116, 10}, -1}, {{115, 10}, 11},
        {{29, 100}, 0},  {{30, 100}, 1},  {{-1, 100}, -1}, {{-5, 10}, -1},
    };
    for (const auto& [p, pile] : cases)
        EXPECT_EQ(l.PileAt(p.x, p.y, kPortrait), pile) << p.x << ',' << p.y;
}

TEST(LayoutTest, PileAtLandscapeIncludesTheGapRightOfEachColumn) {
    const BoardLayout l(1);
    EXPECT_EQ(l.PileAt(10, 10, kLandscape), -1);
    EXPECT_EQ(l.PileAt(29, 10, kLandscape), 8);
    EXPECT_EQ(l.PileAt(300, 10, kLandscape), -1);
    EXPECT_EQ(l.PileAt(315, 100, kLandscape), 7);
    EXPECT_EQ(l.PileAt(39, 100, kLandscape), 0);  // in the 11-pixel gap of column 0
    EXPECT_EQ(l.PileAt(40, 100, kLandscape), 1);
    EXPECT_EQ(l.PileAt(5, 47, kLandscape), -1);
    EXPECT_EQ(BoardLayout(2).PileAt(639, 200, {640, 480}), 7);
    EXPECT_EQ(BoardLayout(2).PileAt(348, 10, {640, 480}), -1);
    EXPECT_EQ(BoardLayout(2).PileAt(350, 10, {640, 480}), 12);
    EXPECT_EQ(BoardLayout(2).PileAt(57, 10, {640, 480}), -1);
    EXPECT_EQ(BoardLayout(2).PileAt(58, 10, {640, 480}), 8);
    EXPECT_EQ(BoardLayout(2).PileAt(245, 10, {480, 640}), -1);  // the gap, doubled
    EXPECT_EQ(BoardLayout(2).PileAt(246, 10, {480, 640}), 12);
    EXPECT_EQ(BoardLayout(1).PileAt(245, 100, {300, 320}), -1);  // right of the eighth column
}

TEST(LayoutTest, EmptyPlaceImagesAndTheirPortraitOffset) {
    auto xs = [](const std::array<Point, 8>& places) {
        std::vector<int> v;
        for (const Point& p : places) v.push_back(p.x);
        return v;
    };
    EXPECT_EQ(xs(BoardLayout(1).EmptyPlacePositions(kPortrait)),
              (std::vector<int>{0, 29, 58, 87, 124, 153, 182, 211}));
    EXPECT_EQ(xs(BoardLayout(1).EmptyPlacePositions(kLandscape)),
              (std::vector<int>{29, 58, 87, 116, 175, 204, 233, 262}));
    EXPECT_EQ(xs(BoardLayout(2).EmptyPlacePositions({480, 640})),
              (std::vector<int>{0, 58, 116, 174, 248, 306, 364, 422}));
    EXPECT_EQ(BoardLayout(2).EmptyPlacePositions({480, 640})[0].y, 6);
}

class RotationTest : public BoardTest {};

TEST_F(RotationTest, RelayoutMovesEveryCardToItsLandscapePlace) {
    DealGame(5);
    owner_.SetScreenSize(kLandscape);
    board_.Relayout();
    for (int p = 0; p < GameBoard::kPiles; ++p) {
        for (int i = 0; i < board_.Pile(p).Count(); ++i) {
            const Card* c = board_.Pile(p).At(i);
            EXPECT_EQ((Point{c->X(), c->Y()}), BoardLayout(1).CardPosition(p, i, kLandscape));
        }
    }
    EXPECT_EQ(board_.Layout().Scale(), 1);  // the display scale stays
}

}  // namespace
