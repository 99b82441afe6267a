#include <gtest/gtest.h>

#include <limits>

#include "tests/game/model/BoardFixture.h"

namespace {

class InputTest : public BoardTest {
  protected:
    // Columns: 0 = 9S 8H 7C, 1 = 9C, 2 = KH 3D, 3 = empty; cell 8 = 5S; foundation 12 = AH.
    void SetUpSmallBoard() {
        Arrange({{0, {"9S", "8H", "7C"}},
                 {1, {"9C"}},
                 {2, {"KH", "3D"}},
                 {4, {"QC"}},
                 {8, {"5S"}},
                 {12, {"AH"}}});
    }
};

TEST_F(InputTest, TapsWithNothingSelectedOnEmptyPlacesOrFoundationsDoNothing) {
    SetUpSmallBoard();
    board_.MoveCard(4, 5, -1, -1, true);  // leaves something to undo
    const std::string before = BoardText();
    Tap(CentreOfTop(3));   // empty column
    Tap(CentreOfTop(9));   // empty cell
    Tap(CentreOfTop(12));  // foundation card
    Tap({5, 50});          // in cell 8's slot but below its card
    EXPECT_EQ(BoardText(), before);
    EXPECT_TRUE(board_.CanUndo());
    EXPECT_TRUE(owner_.messages.empty());
}

TEST_F(InputTest, SelectingAColumnCardEmptiesTheHistoryAtOnce) {
    SetUpSmallBoard();
    board_.MoveCard(4, 5, -1, -1, true);
    Tap(CentreOfTop(1));
    EXPECT_FALSE(board_.CanUndo());
    Tap(CentreOfTop(1));  // a second tap on the same pile only deselects
    EXPECT_EQ(board_.SelectedCard(), nullptr);
    EXPECT_FALSE(C("9C")->IsSelected());
    const std::string before = BoardText();
    board_.Undo();
    EXPECT_EQ(BoardText(), before);
}

TEST_F(InputTest, TapOnAnyCardOfTheSelectedPileDeselects) {
    SetUpSmallBoard();
    Tap(CentreOfTop(0));
    Tap(CentreOf(0, 0));
    EXPECT_EQ(board_.SelectedCard(), nullptr);
    EXPECT_EQ(board_.Pile(0).Count(), 3);
}

TEST_F(InputTest, TapOutsideEveryPileDeselects) {
    SetUpSmallBoard();
    Tap(CentreOfTop(2));
    ASSERT_EQ(board_.SelectedCard(), C("3D"));
    Tap({119, 10});  // between the cells and the foundations
    EXPECT_EQ(board_.SelectedCard(), nullptr);
    EXPECT_FALSE(C("3D")->IsSelected());
    EXPECT_TRUE(owner_.messages.empty());
}

TEST_F(InputTest, IllegalMoveShowsTheMessageOnlyWhenEnabled) {
    SetUpSmallBoard();
    Tap(CentreOfTop(2));
    Tap(CentreOfTop(1));  // 3D onto 9C
    EXPECT_EQ(owner_.messages, (std::vector<int>{kMsgMoveNotAllowed}));
    EXPECT_EQ(board_.SelectedCard(), nullptr);
    owner_.displayMessages = false;
    Tap(CentreOfTop(2));
    Tap(CentreOfTop(1));
    EXPECT_EQ(owner_.messages.size(), 1u);
}

TEST_F(InputTest, ACellCardCanBeSelectedAndMovedButNotAFoundationCard) {
    SetUpSmallBoard();
    Tap(CentreOfTop(8));
    EXPECT_EQ(board_.SelectedCard(), C("5S"));
    EXPECT_EQ(board_.TappedCard(), nullptr);
    Tap(CentreOfTop(3));  // to the empty column
    EXPECT_EQ(board_.TopCard(3), C("5S"));
    EXPECT_TRUE(board_.Pile(8).Empty());
}

TEST_F(InputTest, DragNoticeAppearsOnceForStrokesLongerThanTwentyFivePixels) {
    SetUpSmallBoard();
    board_.OnStylusDown(100, 200);
    board_.OnStylusUp(115, 220);  // exactly 25
    board_.OnStylusDown(100, 200);
    board_.OnStylusUp(125, 207);  // 25.96, truncated to 25
    EXPECT_TRUE(owner_.messages.empty());
    board_.OnStylusDown(100, 200);
    board_.OnStylusUp(126, 200);
    EXPECT_EQ(owner_.messages, (std::vector<int>{kMsgNoDragAndDrop}));
    EXPECT_FALSE(owner_.showNoDragBox);
    EXPECT_EQ(owner_.optionsSaved, 1);
    board_.OnStylusDown(0, 60);
    board_.OnStylusUp(200, 300);
    EXPECT_EQ(owner_.messages.size(), 1u);
    EXPECT_EQ(owner_.optionsSaved, 1);
}

TEST_F(InputTest, StrokesAreMeasuredFromTheLastStylusDown) {
    SetUpSmallBoard();
    board_.OnStylusUp(200, 300);  // no stylus-down on the board yet
    EXPECT_TRUE(owner_.messages.empty());
    // A double tap replaces the second stylus-down, so its stylus-up still measures from
    // the first one.
    board_.OnStylusDown(10, 140);
    board_.OnStylusUp(10, 140);
    board_.OnDoubleTap(10, 140);
    board_.OnStylusUp(60, 140);
    EXPECT_EQ(owner_.messages, (std::vector<int>{kMsgNoDragAndDrop}));
}

// Found by fuzzing the event reader: a stroke longer than the largest int.
TEST_F(InputTest, AStrokeAcrossTheWholeRangeOfCoordinatesIsADrag) {
    SetUpSmallBoard();
    board_.OnStylusDown(std::numeric_limits<int>::min(), std::numeric_limits<int>::min());
    board_.OnStylusUp(std::numeric_limits<int>::max(), std::numeric_limits<int>::max());
    EXPECT_EQ(owner_.messages, (std::vector<int>{kMsgNoDragAndDrop}));
}

class LargeScreenInputTest : public BoardTest {
  protected:
    LargeScreenInputTest() : BoardTest({480, 640}) {}
};

TEST_F(LargeScreenInputTest, DragThresholdIsNotScaled) {
    board_.OnStylusDown(100, 300);
    board_.OnStylusUp(126, 300);
    EXPECT_EQ(owner_.messages, (std::vector<int>{kMsgNoDragAndDrop}));
}

TEST_F(InputTest, DoubleTapSendsAnUnsafeCardToTheFirstEmptyCell) {
    // 3D would fit on its foundation, but the black Twos are not home.
    Arrange({{0, {"KS", "3D"}}, {1, {"QH"}}, {12, {"AD", "2D"}}, {8, {"5S"}}});
    board_.OnStylusDown(CentreOfTop(0).x, CentreOfTop(0).y);
    board_.OnDoubleTap(CentreOfTop(0).x, CentreOfTop(0).y);
    EXPECT_EQ(board_.TopCard(9), C("3D"));
    EXPECT_EQ(board_.SelectedCard(), nullptr);
    EXPECT_EQ(board_.History().Count(), 1);
}

TEST_F(InputTest, DoubleTapSendsASafeCardHomeWhicheverCardOfTheColumnWasTapped) {
    Arrange({{0, {"KS", "2D"}}, {12, {"AD"}}, {1, {"QH"}}});
    board_.OnStylusDown(CentreOf(0, 0).x, CentreOf(0, 0).y);
    board_.OnDoubleTap(CentreOf(0, 0).x, CentreOf(0, 0).y);
    EXPECT_EQ(board_.TopCard(12), C("2D"));
    EXPECT_FALSE(C("KS")->IsSelected());
}

TEST_F(InputTest, DoubleTapWithNowhereToGoKeepsTheSelection) {
    Arrange({{0, {"KS", "7D"}}, {1, {"QH"}}, {8, {"2S"}}, {9, {"2C"}}, {10, {"3S"}}, {11, {"3C"}}});
    board_.OnStylusDown(CentreOfTop(0).x, CentreOfTop(0).y);
    board_.OnDoubleTap(CentreOfTop(0).x, CentreOfTop(0).y);
    EXPECT_EQ(board_.SelectedCard(), C("7D"));
    EXPECT_TRUE(owner_.messages.empty());
}

TEST_F(InputTest, DoubleTapIsIgnoredWhenSwitchedOffOrForACellCard) {
    Arrange({{0, {"KS", "2D"}}, {12, {"AD"}}, {8, {"2H"}}, {13, {"AH"}}});
    owner_.dblClickMoves = false;
    board_.OnStylusDown(CentreOfTop(0).x, CentreOfTop(0).y);
    board_.OnDoubleTap(CentreOfTop(0).x, CentreOfTop(0).y);
    EXPECT_EQ(board_.TopCard(0), C("2D"));
    owner_.dblClickMoves = true;
    board_.Deselect();
    board_.OnStylusDown(CentreOfTop(8).x, CentreOfTop(8).y);
    board_.OnDoubleTap(CentreOfTop(8).x, CentreOfTop(8).y);
    EXPECT_EQ(board_.TopCard(8), C("2H"));
}

TEST_F(InputTest, SelectionHighlightsOnlyTheTappedCardAndInvalidatesIt) {
    Arrange({{0, {"9S", "8H", "7C"}}, {1, {"9C"}}});
    owner_.invalidated.clear();
    Tap(CentreOf(0, 1));
    ASSERT_EQ(owner_.invalidated.size(), 1u);
    const Rect r = C("8H")->GetRect();
    EXPECT_EQ(owner_.invalidated[0], (Rect{r.left, r.top, r.right + 1, r.bottom + 1}));
    board_.Deselect();
    EXPECT_FALSE(C("8H")->IsSelected());
    EXPECT_EQ(owner_.invalidated.size(), 2u);
}

}  // namespace
