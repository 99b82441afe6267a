#include "game/model/GameBoard.h"

#include <cmath>

namespace {
// A stroke longer than this many pixels (on every screen) brings the drag notice.
constexpr int kDragThreshold = 25;
}  // namespace

GameBoard::GameBoard(BoardOwner& owner, int displayScale)
    : CardTable(owner), owner_(owner), layout_(displayScale) {}

GameBoard::~GameBoard() = default;

void GameBoard::ClearAndDelete() {
    for (auto& pile : piles_) pile.Clear();
    CardTable::ClearAndDelete();
}

void GameBoard::ClearKeepCards() {
    for (auto& pile : piles_) pile.Clear();
    ForgetAll();
}

void GameBoard::DrawBackground(DrawTarget& target) {
    CardTable::DrawBackground(target);
    if (!emptyPlace_) return;
    const Size card = layout_.CardSize();
    for (const Point& place : layout_.EmptyPlacePositions(owner_.ScreenSize())) {
        target.DrawBitmap(*emptyPlace_, place.x, place.y, card.width, card.height);
    }
}

// --- Piles and layout ---

Point GameBoard::CardPosition(int pile, int index) const {
    return layout_.CardPosition(pile, index, owner_.ScreenSize());
}

int GameBoard::PileAt(int x, int y) const {
    return layout_.PileAt(x, y, owner_.ScreenSize());
}

void GameBoard::PlaceCard(Card* card, int pile) {
    CardPile& p = piles_[static_cast<std::size_t>(pile)];
    const int index = p.Count();
    p.Append(card);
    const Point at = CardPosition(pile, index);
    card->SetPosition(at.x, at.y);
    AddCard(card);
}

bool GameBoard::MoveCard(int source, int destination, int sourceIndex, int destinationIndex,
                         bool record) {
    if (source < 0 || source >= kPiles || destination < 0 || destination >= kPiles ||
        source == destination) {
        return false;
    }
    CardPile& src = piles_[static_cast<std::size_t>(source)];
    CardPile& dst = piles_[static_cast<std::size_t>(destination)];
    if (sourceIndex == -1) sourceIndex = src.Count() - 1;
    if (destinationIndex == -1) destinationIndex = dst.Count();
    if (sourceIndex < 0 || sourceIndex >= src.Count() || destinationIndex < 0 ||
        destinationIndex > dst.Count()) {
        return false;
    }

    Card* card = src.At(sourceIndex);
    InvalidateCard(*card);
    src.RemoveAt(sourceIndex);
    dst.InsertAt(destinationIndex, card);
    // Everything from the insertion point up is drawn again in pile order, above the rest.
    for (int i = destinationIndex; i < dst.Count(); ++i) {
        Card* moved = dst.At(i);
        const Point at = CardPosition(destination, i);
        moved->SetPosition(at.x, at.y);
        InvalidateCard(*moved);
        BringToFront(moved);
    }

    if (record) {
        history_.Add({source, destination, sourceIndex, destinationIndex});
        owner_.UndoStateChanged();
    }
    if (IsFoundation(source) || IsFoundation(destination)) owner_.ShowCardsLeft(CardsLeft());
    return true;
}

int GameBoard::FindPile(const Card* card) const {
    if (!card) return -1;
    for (int p = 0; p < kPiles; ++p) {
        if (Pile(p).IndexOf(card) >= 0) return p;
    }
    return -1;
}

int GameBoard::CardsOnFoundations() const {
    int n = 0;
    for (int p = kFirstFoundation; p < kPiles; ++p) n += Pile(p).Count();
    return n;
}

void GameBoard::Relayout() {
    for (int p = 0; p < kPiles; ++p) {
        for (int i = 0; i < Pile(p).Count(); ++i) {
            const Point at = CardPosition(p, i);
            Pile(p).At(i)->SetPosition(at.x, at.y);
        }
    }
}

// --- Rules ---

bool GameBoard::CanMoveTop(int source, int destination) const {
    if (source < 0 || source >= kPiles || destination < 0 || destination >= kPiles) return false;
    const Card* card = TopCard(source);
    if (!card) return false;
    const Card* target = TopCard(destination);
    if (IsColumn(destination)) return !target || CanLieOn(*card, *target);
    if (IsCell(destination)) return !target;
    if (!target) return card->Rank() == kAce;
    return card->Suit() == target->Suit() && card->Rank() == (target->Rank() + 1) % 13;
}

int GameBoard::FreePilesExcept(int destination) const {
    int free = 0;
    for (int p = 0; p < kFirstFoundation; ++p) {
        if (p != destination && Pile(p).Empty()) ++free;
    }
    return free;
}

bool GameBoard::CanMoveRun(int source, int destination, const Card* tapped) const {
    if (!IsColumn(source) || !IsColumn(destination) || !tapped) return false;
    const CardPile& src = Pile(source);
    const int k = src.IndexOf(tapped);
    if (k < 0 || k >= src.Count() - 1) return false;
    for (int i = src.Count() - 1; i > k; --i) {
        if (!CanLieOn(*src.At(i), *src.At(i - 1))) return false;
    }
    const int above = src.Count() - 1 - k;
    if (above > FreePilesExcept(destination)) return false;
    const Card* target = TopCard(destination);
    return !target || CanLieOn(*tapped, *target);
}

void GameBoard::MoveRun(int source, int destination, const Card* tapped) {
    const CardPile& src = Pile(source);
    const int k = src.IndexOf(tapped);
    if (k < 0) return;
    // Bottom card of the run first, so the run arrives in the same order.
    while (src.Count() > k) {
        if (!MoveCard(source, destination, k, -1, true)) return;
    }
}

bool GameBoard::IsSafeForFoundation(const Card& card) const {
    if (card.Rank() == kAce || card.Rank() == kTwo) return true;
    int below = 0;
    for (int p = kFirstFoundation; p < kPiles; ++p) {
        const CardPile& pile = Pile(p);
        for (int i = 0; i < pile.Count(); ++i) {
            if (CanLieOn(*pile.At(i), card) && ++below >= 2) return true;
        }
    }
    return false;
}

bool GameBoard::AutoPlayStep() {
    for (int p = 0; p < kFirstFoundation; ++p) {
        const Card* card = TopCard(p);
        if (!card) continue;
        for (int f = kFirstFoundation; f < kPiles; ++f) {
            if (CanMoveTop(p, f) && IsSafeForFoundation(*card)) {
                MoveCard(p, f, -1, -1, true);
                // Each automatic move shows by itself.
                owner_.RepaintNow();
                return true;
            }
        }
    }
    return false;
}

void GameBoard::FinishMove() {
    while (AutoPlayStep()) {
    }
    if (IsWon()) {
        owner_.RecordWin(static_cast<std::int16_t>(owner_.CurrentGameNumber()));
        ClearHistory();
        owner_.ShowMessage(kMsgWon);
    }
    if (!AnyMoveLeft()) {
        ClearHistory();
        owner_.ShowMessage(kMsgLost);
    }
}

bool GameBoard::AnyMoveLeft() const {
    for (int s = 0; s < kPiles; ++s) {
        if (Pile(s).Empty()) continue;
        for (int d = 0; d < kPiles; ++d) {
            if (s != d && CanMoveTop(s, d)) return true;
        }
    }
    return false;
}

bool GameBoard::IsWon() const {
    for (int p = kFirstFoundation; p < kPiles; ++p) {
        if (Pile(p).Count() != 13) return false;
    }
    return true;
}

// --- Stylus input ---

void GameBoard::OnStylusDown(int x, int y) {
    downPoint_ = {x, y};
    downPointSet_ = true;

    const int p = PileAt(x, y);
    if (p < 0) {
        Deselect();
        return;
    }

    Card* top = nullptr;
    Card* tapped = nullptr;
    if (IsColumn(p)) {
        tapped = HitTest(x, y);
        // Only a card of this column can start a run from it.
        if (tapped && Pile(p).IndexOf(tapped) < 0) tapped = nullptr;
        top = TopCard(p);
    } else {
        top = HitTest(x, y);
    }

    if (!selected_) {
        if (!top || IsFoundation(p)) return;
        selected_ = top;
        tapped_ = tapped;
        HighlightedCard()->SetSelected(true);
        InvalidateCard(*HighlightedCard());
        // Once a new selection starts, the previous action can no longer be undone.
        ClearHistory();
        return;
    }

    const int s = FindPile(selected_);
    if (p == s || s < 0) {
        Deselect();
        return;
    }
    if (CanMoveRun(s, p, tapped_)) {
        MoveRun(s, p, tapped_);
        Deselect();
        FinishMove();
    } else if (CanMoveTop(s, p)) {
        MoveCard(s, p, -1, -1, true);
        Deselect();
        FinishMove();
    } else {
        Deselect();
        if (owner_.DisplayMessages()) owner_.ShowMessage(kMsgMoveNotAllowed);
    }
}

void GameBoard::OnStylusUp(int x, int y) {
    // The stroke is measured from the last stylus-down, which a double tap does not
    // replace. Before any stylus-down on the board there is nothing to measure from.
    if (!downPointSet_ || !owner_.ShowNoDragBox()) return;
    const double dx = static_cast<double>(x) - downPoint_.x;
    const double dy = static_cast<double>(y) - downPoint_.y;
    // Truncated to whole pixels as the handheld does, but kept as a double: a stroke across
    // the whole range of int is longer than any int.
    const double distance = std::trunc(std::sqrt(dx * dx + dy * dy));
    if (distance > kDragThreshold) {
        owner_.ShowMessage(kMsgNoDragAndDrop);
        owner_.SetShowNoDragBox(false);
        owner_.SaveOptions();
    }
}

void GameBoard::OnDoubleTap(int, int) {
    if (!owner_.DblClickMoves() || !selected_) return;
    const int column = FindPile(selected_);
    if (!IsColumn(column)) return;
    for (int f = kFirstFoundation; f < kPiles; ++f) {
        if (CanMoveTop(column, f) && IsSafeForFoundation(*selected_)) {
            MoveCard(column, f, -1, -1, true);
            Deselect();
            FinishMove();
            return;
        }
    }
    for (int r = kFirstCell; r < kFirstFoundation; ++r) {
        if (CanMoveTop(column, r)) {
            MoveCard(column, r, -1, -1, true);
            Deselect();
            FinishMove();
            return;
        }
    }
}

void GameBoard::Deselect() {
    if (Card* highlighted = HighlightedCard()) {
        highlighted->SetSelected(false);
        InvalidateCard(*highlighted);
    }
    selected_ = nullptr;
    tapped_ = nullptr;
}

// --- Undo ---

void GameBoard::ClearHistory() {
    history_.Clear();
    owner_.UndoStateChanged();
}

void GameBoard::Undo() {
    const std::vector<MoveRecord> records = history_.Records();
    for (auto it = records.rbegin(); it != records.rend(); ++it) {
        if (!MoveCard(it->destinationPile, it->sourcePile, it->destinationIndex, it->sourceIndex,
                      false)) {
            // Keep what was not replayed; the records already undone are gone.
            history_.Clear();
            for (auto keep = records.begin(); keep != it.base(); ++keep) history_.Add(*keep);
            owner_.UndoStateChanged();
            return;
        }
    }
    ClearHistory();
}
