// The game-specific card table: the sixteen piles, the selection, the move history, the
// rules and the tap input. Every change of the layout passes through MoveCard.
//
// Piles 0-7 are the columns, 8-11 the reserve cells, 12-15 the foundations.
#pragma once

#include <array>
#include <cstdint>

#include "game/model/BoardLayout.h"
#include "game/model/BoardOwner.h"
#include "game/model/CardPile.h"
#include "game/model/CardTable.h"
#include "game/model/MoveHistory.h"

class GameBoard : public CardTable {
  public:
    static constexpr int kPiles = 16;
    static constexpr int kFirstCell = 8;
    static constexpr int kFirstFoundation = 12;

    static bool IsColumn(int pile) { return pile >= 0 && pile < kFirstCell; }
    static bool IsCell(int pile) { return pile >= kFirstCell && pile < kFirstFoundation; }
    static bool IsFoundation(int pile) { return pile >= kFirstFoundation && pile < kPiles; }

    // `owner` must outlive the board. The display scale is fixed here for the board's life.
    GameBoard(BoardOwner& owner, int displayScale);
    ~GameBoard() override;

    // Empties the piles, then the card list.
    void ClearAndDelete() override;
    // The table colour, then the empty-place images of the reserve cells and foundations.
    void DrawBackground(DrawTarget& target) override;
    // Empties the piles and the card list; no card is touched.
    virtual void ClearKeepCards();

    // The image drawn where a reserve cell or foundation is; null draws nothing there.
    void SetEmptyPlaceImage(BitmapPtr image) { emptyPlace_ = std::move(image); }

    // --- Piles and layout ---
    const CardPile& Pile(int pile) const { return piles_[static_cast<std::size_t>(pile)]; }
    Card* TopCard(int pile) const { return Pile(pile).Top(); }
    // Appends the card to the pile, positions it and puts it on top of the card list.
    void PlaceCard(Card* card, int pile);
    // Moves one card; -1 as source index means the top card, -1 as destination index the
    // place after the last card. Indices out of range are refused (false, nothing changes).
    bool MoveCard(int source, int destination, int sourceIndex, int destinationIndex, bool record);
    // The pile holding the card, or -1.
    int FindPile(const Card* card) const;
    int CardsOnFoundations() const;
    unsigned CardsLeft() const { return static_cast<unsigned>(52 - CardsOnFoundations()); }
    // Puts every card at its place for the current screen size.
    void Relayout();

    const BoardLayout& Layout() const { return layout_; }
    Point CardPosition(int pile, int index) const;
    int PileAt(int x, int y) const;

    // --- Rules ---
    bool CanMoveTop(int source, int destination) const;
    // May card `tapped` of column `source`, with every card above it, move onto `destination`.
    bool CanMoveRun(int source, int destination, const Card* tapped) const;
    void MoveRun(int source, int destination, const Card* tapped);
    bool IsSafeForFoundation(const Card& card) const;
    // Makes at most one automatic move to a foundation; true when it made one.
    bool AutoPlayStep();
    // After a player move: all automatic moves, then the won and stuck tests.
    void FinishMove();
    bool AnyMoveLeft() const;
    bool IsWon() const;

    // --- Stylus input ---
    void OnStylusDown(int x, int y);
    void OnStylusUp(int x, int y);
    void OnDoubleTap(int x, int y);
    void Deselect();
    Card* SelectedCard() const { return selected_; }
    Card* TappedCard() const { return tapped_; }

    // --- Undo ---
    const MoveHistory& History() const { return history_; }
    bool CanUndo() const { return !history_.Empty(); }
    void ClearHistory();
    void Undo();

  private:
    Card* HighlightedCard() const { return tapped_ ? tapped_ : selected_; }
    int FreePilesExcept(int destination) const;

    BoardOwner& owner_;
    BoardLayout layout_;
    MoveHistory history_;
    Point downPoint_{};
    bool downPointSet_ = false;
    Card* selected_ = nullptr;
    Card* tapped_ = nullptr;
    std::array<CardPile, kPiles> piles_;
    BitmapPtr emptyPlace_;
};
