#include <gtest/gtest.h>

#include <sstream>

#include "tests/game/model/BoardFixture.h"

namespace {

class UndoTest : public BoardTest {
  protected:
    // A run of three (8H 7C 6D) can go onto 9C; it uncovers AH, and 2H waits in a cell.
    void SetUpRunBoard() {
        Arrange({{0, {"AH", "8H", "7C", "6D"}},
                 {1, {"9C"}},
                 {2, {"KS"}},
                 {3, {"KD"}},
                 {4, {"QS"}},
                 {5, {"QD"}},
                 {6, {"JS"}},
                 {7, {"JD"}},
                 {8, {"2H"}}});
    }

    std::string Positions() const {
        std::ostringstream text;
        for (int p = 0; p < GameBoard::kPiles; ++p) {
            for (int i = 0; i < board_.Pile(p).Count(); ++i) {
                const Card* c = board_.Pile(p).At(i);
                text << CardName(*c) << '@' << c->X() << ',' << c->Y() << ' ';
            }
        }
        return text.str();
    }
};

TEST_F(UndoTest, OneUndoTakesBackARunAndTheAutomaticMovesAfterIt) {
    SetUpRunBoard();
    const std::string board = BoardText();
    const std::string positions = Positions();
    Tap(CentreOf(0, 1));
    Tap(CentreOfTop(1));
    ASSERT_EQ(board_.History().Count(), 5);
    EXPECT_EQ(board_.History().Records()[0], (MoveRecord{0, 1, 1, 1}));
    EXPECT_EQ(board_.History().Records()[2], (MoveRecord{0, 1, 1, 3}));
    EXPECT_EQ(board_.History().Records()[3], (MoveRecord{0, 12, 0, 0}));
    EXPECT_EQ(board_.History().Records()[4], (MoveRecord{8, 12, 0, 1}));
    EXPECT_TRUE(board_.CanUndo());

    owner_.cardsLeftShown.clear();
    const int notices = owner_.undoNotices;
    board_.Undo();
    EXPECT_EQ(BoardText(), board);
    EXPECT_EQ(Positions(), positions);
    EXPECT_FALSE(board_.CanUndo());
    EXPECT_EQ(owner_.undoNotices, notices + 1);  // undo's own moves record nothing
    EXPECT_EQ(owner_.cardsLeftShown, (std::vector<unsigned>{51, 52}));
    // Undo does not replay the automatic moves.
    EXPECT_EQ(board_.TopCard(0), C("6D"));

    board_.Undo();
    EXPECT_EQ(BoardText(), board);
}

TEST_F(UndoTest, UndoPutsARunBackBeneathTheCardsAlreadyReturned) {
    Arrange({{0, {"KS", "8H", "7C"}}, {1, {"9C"}}, {2, {"KD"}}});
    const std::string before = Positions();
    Tap(CentreOf(0, 1));
    Tap(CentreOfTop(1));
    ASSERT_EQ(board_.TopCard(1), C("7C"));
    board_.Undo();
    EXPECT_EQ(Positions(), before);
    // Cards from the insertion point up are drawn in pile order, above the rest.
    const auto& list = board_.CardList();
    EXPECT_EQ(list[list.size() - 2], C("8H"));
    EXPECT_EQ(list.back(), C("7C"));
}

TEST_F(UndoTest, SelectingAfterAMoveDisablesUndoEvenIfTheSelectionIsDropped) {
    SetUpRunBoard();
    Tap(CentreOfTop(2));
    Tap(CentreOfTop(9));  // KS to a cell
    ASSERT_TRUE(board_.CanUndo());
    Tap(CentreOfTop(3));
    EXPECT_FALSE(board_.CanUndo());
    Tap(CentreOfTop(3));  // dropped again
    const std::string before = BoardText();
    board_.Undo();
    EXPECT_EQ(BoardText(), before);
}

TEST_F(UndoTest, MoveCardSendsCardsLeftOnlyWhenAFoundationTakesPart) {
    Arrange({{0, {"5C"}}, {1, {"AD"}}});
    board_.MoveCard(0, 8, -1, -1, true);
    EXPECT_TRUE(owner_.cardsLeftShown.empty());
    board_.MoveCard(1, 12, -1, -1, true);
    EXPECT_EQ(owner_.cardsLeftShown, (std::vector<unsigned>{51}));
    board_.Undo();
    EXPECT_EQ(owner_.cardsLeftShown, (std::vector<unsigned>{51, 52}));
    EXPECT_EQ(board_.FindPile(C("AD")), 1);
    EXPECT_EQ(board_.FindPile(C("5C")), 0);
    EXPECT_EQ(board_.FindPile(C("9H")), -1);
}

TEST_F(UndoTest, MovingTheOnlyCardOfAColumnWithBothIndicesOpen) {
    Arrange({{0, {"5C"}}, {1, {"9H", "6H"}}});
    board_.MoveCard(0, 1, -1, -1, true);
    EXPECT_TRUE(board_.Pile(0).Empty());
    EXPECT_EQ(board_.TopCard(1), C("5C"));
    EXPECT_EQ((Point{C("5C")->X(), C("5C")->Y()}), board_.CardPosition(1, 2));
    EXPECT_EQ(board_.History().Records().back(), (MoveRecord{0, 1, 0, 2}));
}

TEST_F(UndoTest, MoveCardRepaintsTheOldPlaceAndEveryRaisedCard) {
    Arrange({{0, {"5C"}}, {1, {"9H", "6H", "3S"}}});
    owner_.invalidated.clear();
    board_.MoveCard(0, 1, -1, 1, false);  // beneath 6H and 3S, as undo puts back a run
    auto grown = [&](int pile, int index) {
        const Point p = board_.CardPosition(pile, index);
        return Rect{p.x, p.y, p.x + 30, p.y + 42};
    };
    EXPECT_EQ(owner_.invalidated,
              (std::vector<Rect>{grown(0, 0), grown(1, 1), grown(1, 2), grown(1, 3)}));
    const std::vector<Card*>& list = board_.CardList();
    EXPECT_EQ(std::vector<Card*>(list.end() - 3, list.end()),
              (std::vector<Card*>{C("5C"), C("6H"), C("3S")}));
}

}  // namespace
