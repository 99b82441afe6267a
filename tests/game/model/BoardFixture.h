// A board with a recording owner, and helpers to lay out exact situations and to print a
// whole board as text, so a test compares one string.
#pragma once

#include <gtest/gtest.h>

#include <initializer_list>
#include <string>
#include <vector>

#include "game/model/Deal.h"
#include "game/model/Deck.h"
#include "game/model/GameBoard.h"
#include "game/model/QuietOwner.h"

// The headless owner, also counting repaints and undo notices and keeping every cards-left
// count shown.
class FakeOwner : public QuietOwner {
  public:
    FakeOwner() : QuietOwner({240, 320}) { recordInvalidated = true; }

    void RepaintNow() override { ++repaints; }
    void ShowCardsLeft(unsigned n) override {
        QuietOwner::ShowCardsLeft(n);
        cardsLeftShown.push_back(n);
    }
    void UndoStateChanged() override {
        ++undoNotices;
        if (board && !board->CanUndo()) ++historyClears;
    }

    std::vector<unsigned> cardsLeftShown;
    int repaints = 0;
    int undoNotices = 0;
    int historyClears = 0;
    const GameBoard* board = nullptr;
};

class BoardTest : public ::testing::Test {
  protected:
    explicit BoardTest(Size screen = {240, 320})
        : owner_(MakeOwner(screen)),
          board_(owner_, DisplayScaleForScreenWidth(screen.width)),
          deck_(board_.Layout().CardSize(), nullptr) {
        owner_.board = &board_;
    }

    static FakeOwner MakeOwner(Size screen) {
        FakeOwner owner;
        owner.SetScreenSize(screen);
        return owner;
    }

    void DealGame(std::int32_t number) {
        owner_.SetGameNumber(number);
        Deal(deck_, board_, number);
        board_.ClearHistory();
        board_.Deselect();
    }

    // The card named like "7C" or "TH".
    Card* C(const std::string& name) const;
    // Empties the board and lays out exactly these piles (bottom card first): a list of
    // (pile, cards) pairs. Cards named nowhere stay off the table.
    void Arrange(const std::vector<std::pair<int, std::vector<std::string>>>& piles);
    // Fills the foundations with the named suits up to and including the given cards.
    std::vector<std::string> SuitUpTo(const std::string& top) const;

    // Centre of the card at `index` of `pile`.
    Point CentreOf(int pile, int index) const;
    Point CentreOfTop(int pile) const;
    void Tap(Point p) {
        board_.OnStylusDown(p.x, p.y);
        board_.OnStylusUp(p.x, p.y);
    }

    // Every pile, the selection and the history as text.
    std::string BoardText() const;

    FakeOwner owner_;
    GameBoard board_;
    Deck deck_;
};
