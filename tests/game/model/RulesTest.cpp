#include <gtest/gtest.h>

#include "tests/game/model/BoardFixture.h"

namespace {

class RulesTest : public BoardTest {};

TEST_F(RulesTest, RunLimitCountsEmptyCellsAndOtherEmptyColumns) {
    // Two empty cells and one empty column: at most 2 + 1 + 1 = 4 cards.
    Arrange({{0, {"KD", "9S", "8H", "7C", "6D", "5S"}},
             {1, {"9C"}},
             {2, {"TD"}},
             {4, {"2C"}},
             {5, {"2D"}},
             {6, {"3C"}},
             {7, {"3D"}},
             {8, {"QS"}},
             {9, {"QH"}}});
    EXPECT_TRUE(board_.CanMoveRun(0, 1, C("8H")));   // four cards
    EXPECT_FALSE(board_.CanMoveRun(0, 2, C("9S")));  // five cards
    EXPECT_FALSE(board_.CanMoveRun(0, 1, C("5S")));  // the top card alone is no run
    EXPECT_FALSE(board_.CanMoveRun(0, 1, nullptr));
    EXPECT_FALSE(board_.CanMoveRun(0, 1, C("KD")));  // not a run down to the King
    EXPECT_FALSE(board_.CanMoveRun(0, 8, C("6D")));  // runs go between columns only
    EXPECT_FALSE(board_.CanMoveRun(0, 2, C("7C")));  // 7C does not fit on TD
}

TEST_F(RulesTest, EmptyDestinationColumnIsNeverCounted) {
    Arrange({{0, {"9S", "8H", "7C", "6D"}},
             {1, {"TD"}},
             {2, {"TC"}},
             {3, {"TS"}},
             {4, {"TH"}},
             {7, {"JD"}},
             {8, {"QS"}},
             {9, {"QH"}},
             {10, {"QC"}},
             {11, {"QD"}}});
    // Columns 5 and 6 are empty; moving into one leaves one free pile.
    EXPECT_TRUE(board_.CanMoveRun(0, 5, C("7C")));
    EXPECT_FALSE(board_.CanMoveRun(0, 5, C("8H")));
}

TEST_F(RulesTest, RunMoveArrivesInOrderThroughTaps) {
    Arrange({{0, {"9S", "8H", "7C"}}, {1, {"9C"}}, {2, {"8D"}}, {3, {"KH"}}});
    Tap(CentreOf(0, 1));  // the Eight of hearts
    EXPECT_EQ(board_.SelectedCard(), C("7C"));
    EXPECT_EQ(board_.TappedCard(), C("8H"));
    EXPECT_TRUE(C("8H")->IsSelected());
    EXPECT_FALSE(C("7C")->IsSelected());
    Tap(CentreOfTop(1));
    EXPECT_EQ(
        BoardText(),
        "0: 9S\n1: 9C 8H 7C\n2: 8D\n3: KH\n4:\n5:\n6:\n7:\n8:\n9:\n10:\n11:\n12:\n13:\n14:\n15:\n"
        "selected - tapped - history 2\n");
    EXPECT_FALSE(C("8H")->IsSelected());
}

TEST_F(RulesTest, DeepSelectionStillMovesTheTopCardWhenOnlyItFits) {
    Arrange({{0, {"9S", "8H", "7C"}}, {1, {"9C"}}, {2, {"8D"}}, {3, {"KH"}}});
    Tap(CentreOf(0, 1));
    Tap(CentreOfTop(2));  // the run cannot go onto the Eight of diamonds, the Seven can
    EXPECT_EQ(board_.Pile(0).Count(), 2);
    EXPECT_EQ(board_.TopCard(2), C("7C"));
    EXPECT_EQ(board_.History().Count(), 1);
}

TEST_F(RulesTest, SingleCardRules) {
    Arrange({{0, {"AC"}}, {1, {"KD"}}, {2, {"AH"}}, {3, {"2S"}}, {8, {"AD"}}, {9, {"5C"}}});
    EXPECT_TRUE(board_.CanMoveTop(1, 0));   // a King onto an Ace of the other colour
    EXPECT_FALSE(board_.CanMoveTop(2, 3));  // an Ace onto no column card
    EXPECT_TRUE(board_.CanMoveTop(8, 12));  // an Ace from a cell to an empty foundation
    EXPECT_FALSE(board_.CanMoveTop(9, 12));
    EXPECT_TRUE(board_.CanMoveTop(9, 4));   // anything to an empty column
    EXPECT_TRUE(board_.CanMoveTop(3, 10));  // to an empty cell
    EXPECT_FALSE(board_.CanMoveTop(3, 8));  // not to a full one
    EXPECT_FALSE(board_.CanMoveTop(5, 4));  // nothing from an empty pile
    Arrange(
        {{12, {"AD"}}, {13, {"AC"}}, {14, {"AS", "2S"}}, {0, {"2D"}}, {1, {"2C"}}, {2, {"3D"}}});
    EXPECT_TRUE(board_.CanMoveTop(0, 12));
    EXPECT_FALSE(board_.CanMoveTop(1, 12));  // wrong suit
    EXPECT_FALSE(board_.CanMoveTop(2, 12));  // skips a rank
    EXPECT_TRUE(board_.CanMoveTop(14, 2));   // a foundation card may leave (for the stuck test)
    EXPECT_FALSE(board_.CanMoveTop(12, 1));  // an Ace lies on no column card
}

TEST_F(RulesTest, SafetyRuleWaitsForBothLowerCardsOfTheOtherColour) {
    Arrange({{12, {"AC", "2C"}}, {13, {"AS"}}, {0, {"3H"}}, {1, {"TD"}}});
    EXPECT_TRUE(board_.IsSafeForFoundation(*C("AD")));
    EXPECT_TRUE(board_.IsSafeForFoundation(*C("2D")));
    EXPECT_FALSE(board_.IsSafeForFoundation(*C("3H")));
    Arrange({{12, {"AC", "2C"}}, {13, {"AS", "2S"}}, {0, {"3H"}}});
    EXPECT_TRUE(board_.IsSafeForFoundation(*C("3H")));
    EXPECT_FALSE(board_.IsSafeForFoundation(*C("3C")));  // needs the red Twos
    // The lower cards count wherever they lie in the foundation, not only on top.
    Arrange({{12, {"AC", "2C", "3C"}}, {13, {"AS", "2S"}}, {0, {"3H"}}});
    EXPECT_TRUE(board_.IsSafeForFoundation(*C("3H")));
}

TEST_F(RulesTest, AutomaticMovesTakeTheLowestPileAndLowestEmptyFoundationFirst) {
    Arrange({{0, {"KS", "QH"}},
             {1, {"9C", "AH"}},
             {3, {"8D", "AS"}},
             {9, {"2H"}},
             {4, {"JC"}},
             {5, {"JD"}},
             {6, {"JS"}},
             {7, {"JH"}}});
    board_.FinishMove();
    ASSERT_EQ(board_.History().Count(), 3);
    EXPECT_EQ(board_.History().Records()[0], (MoveRecord{1, 12, 1, 0}));  // AH from column 1
    EXPECT_EQ(board_.History().Records()[1], (MoveRecord{3, 13, 1, 0}));  // AS next, to 13
    EXPECT_EQ(board_.History().Records()[2], (MoveRecord{9, 12, 0, 1}));  // then the Two of hearts
    EXPECT_EQ(owner_.repaints, 3);  // each automatic move shows by itself
    EXPECT_EQ(owner_.cardsLeftShown, (std::vector<unsigned>{51, 50, 49}));
}

TEST_F(RulesTest, ThreeWaitsUntilTheOtherColourTwosAreHome) {
    Arrange({{12, {"AH", "2H"}}, {13, {"AC"}}, {0, {"3H"}}, {1, {"2C"}}, {2, {"KS"}}, {3, {"KD"}}});
    board_.FinishMove();
    // 2C goes home; 3H still waits for the Two of spades.
    EXPECT_EQ(board_.TopCard(13), C("2C"));
    EXPECT_EQ(board_.TopCard(0), C("3H"));
    // The player may still put it there by hand.
    Tap(CentreOfTop(0));
    Tap(CentreOfTop(12));
    EXPECT_EQ(board_.TopCard(12), C("3H"));
}

TEST_F(RulesTest, StuckOnlyWhenNoPairOfPilesHasAMove) {
    // Columns and cells where nothing fits anywhere, with one foundation pile to vary.
    const auto stuckTable = [](std::vector<std::string> foundation) {
        std::vector<std::pair<int, std::vector<std::string>>> piles = {
            {0, {"3C"}}, {1, {"3S"}}, {2, {"5C"}}, {3, {"5S"}}, {4, {"7C"}},  {5, {"7S"}},
            {6, {"9C"}}, {7, {"9S"}}, {8, {"KC"}}, {9, {"KD"}}, {10, {"KS"}}, {11, {"KH"}}};
        if (!foundation.empty()) piles.push_back({12, std::move(foundation)});
        return piles;
    };
    Arrange(stuckTable({}));
    EXPECT_FALSE(board_.AnyMoveLeft());
    board_.FinishMove();
    EXPECT_EQ(owner_.messages, (std::vector<int>{kMsgLost}));
    EXPECT_TRUE(owner_.wins.empty());

    // A foundation's top card that would fit on a column keeps the game going.
    Arrange(stuckTable({"AD", "2D"}));
    EXPECT_TRUE(board_.AnyMoveLeft());
    // So does a lone Ace on a foundation while another foundation is empty.
    Arrange(stuckTable({"AH"}));
    EXPECT_TRUE(board_.AnyMoveLeft());
}

TEST_F(RulesTest, WinningShowsOnlyTheWinMessageAndRecordsTheNumberAsSixteenBits) {
    DealGame(-1);
    owner_.SetGameNumber(65536 + 7);
    Tap(CentreOfTop(0));   // Ace of clubs
    Tap(CentreOfTop(12));  // to the first foundation; everything else follows
    EXPECT_TRUE(board_.IsWon());
    EXPECT_EQ(owner_.messages, (std::vector<int>{kMsgWon}));
    EXPECT_EQ(owner_.wins, (std::vector<std::int16_t>{7}));
    EXPECT_FALSE(board_.CanUndo());
    EXPECT_EQ(owner_.cardsLeftShown.back(), 0u);
    EXPECT_EQ(board_.CardsLeft(), 0u);
    EXPECT_TRUE(board_.AnyMoveLeft());
    board_.Undo();
    EXPECT_TRUE(board_.IsWon());
}

TEST_F(RulesTest, MoveCardRefusesIndicesOutsideThePiles) {
    Arrange({{0, {"3C"}}, {1, {"4D"}}});
    const std::string before = BoardText();
    EXPECT_FALSE(board_.MoveCard(0, 1, 5, -1, true));
    EXPECT_FALSE(board_.MoveCard(0, 1, 0, 7, true));
    EXPECT_FALSE(board_.MoveCard(2, 1, -1, -1, true));  // empty source
    EXPECT_FALSE(board_.MoveCard(0, 16, -1, -1, true));
    EXPECT_FALSE(board_.MoveCard(0, 0, -1, -1, true));
    EXPECT_EQ(BoardText(), before);
}

}  // namespace
