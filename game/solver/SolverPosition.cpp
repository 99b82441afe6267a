#include "game/solver/SolverPosition.h"

#include "game/model/DealGenerator.h"
#include "game/model/Deck.h"
#include "game/model/GameBoard.h"

SolverPosition SolverPosition::FromDeal(std::int32_t gameNumber) {
    SolverPosition p;
    if (gameNumber == -1) {
        int k = 0;
        for (int rank = kKing; rank >= kTwo; --rank) {
            for (int suit = 0; suit < 4; ++suit) p.Push(k++ % 8, card_code::FromModel(suit, rank));
        }
        for (int suit = 0; suit < 4; ++suit) p.Push(k++ % 8, card_code::FromModel(suit, kAce));
        return p;
    }
    std::array<CardCode, card_code::kCards> work;
    for (int i = 0; i < card_code::kCards; ++i) {
        work[i] = card_code::FromModel(Deck::SuitAt(i), Deck::RankAt(i));
    }
    DealGenerator generator(static_cast<std::uint32_t>(gameNumber));
    int left = card_code::kCards;
    for (int i = 0; i < card_code::kCards; ++i) {
        const int j = generator.Next() % left;
        p.Push(i % 8, work[j]);
        work[j] = work[--left];
    }
    return p;
}

SolverPosition SolverPosition::FromBoard(const GameBoard& board) {
    SolverPosition p;
    auto code = [](const Card* c) { return card_code::FromModel(c->Suit(), c->Rank()); };
    for (int c = 0; c < kColumns; ++c) {
        const CardPile& pile = board.Pile(c);
        for (int i = 0; i < pile.Count(); ++i) p.Push(c, code(pile.At(i)));
    }
    for (int r = 0; r < kCells; ++r) {
        const Card* top = board.TopCard(GameBoard::kFirstCell + r);
        if (top) p.SetCell(r, code(top));
    }
    for (int f = GameBoard::kFirstFoundation; f < GameBoard::kPiles; ++f) {
        const Card* top = board.TopCard(f);
        if (top) p.SetFoundation(top->Suit(), board.Pile(f).Count());
    }
    return p;
}

void SolverPosition::Clear() {
    *this = SolverPosition();
}

void SolverPosition::SetCell(int cell, CardCode card) {
    cells_[cell] = card;
}

void SolverPosition::Play(SolverMove move) {
    if (move.from < SolverMove::kFirstCell) {
        const int from = move.from;
        if (move.to < SolverMove::kFirstCell) {
            // The run keeps its order: cut it off the source, then lay it down bottom first.
            std::array<CardCode, kMaxColumn> run;
            for (int i = move.count - 1; i >= 0; --i) run[i] = Pop(from);
            for (int i = 0; i < move.count; ++i) Push(move.to, run[i]);
        } else {
            const CardCode card = Pop(from);
            if (move.to == SolverMove::kToFoundation) {
                ++foundations_[card_code::Suit(card)];
            } else {
                cells_[move.to - SolverMove::kFirstCell] = card;
            }
        }
    } else {
        CardCode& cell = cells_[move.from - SolverMove::kFirstCell];
        if (move.to < SolverMove::kFirstCell) {
            Push(move.to, cell);
        } else {
            ++foundations_[card_code::Suit(cell)];
        }
        cell = card_code::kNone;
    }
    AutoPlay();
}

int SolverPosition::AutoPlay() {
    // The automatic moves reach the same position in any order: a card going up only makes
    // more cards safe, and takes no other card's place. Only the next card of each suit can
    // go, so those four are looked up rather than every column and cell.
    int moved = 0;
    for (bool again = true; again;) {
        again = false;
        for (int suit = 0; suit < 4; ++suit) {
            if (foundations_[suit] >= card_code::kLevels) continue;
            const CardCode next = card_code::Make(suit, foundations_[suit]);
            if (!IsSafe(next)) continue;
            const int place = place_[next];
            if (place == kNowhere) {
                // Not in a column: in a cell, unless a position built by hand lacks it.
                int r = 0;
                while (r < kCells && cells_[r] != next) ++r;
                if (r == kCells) continue;
                cells_[r] = card_code::kNone;
            } else if ((place & 31) == length_[place >> 5] - 1) {
                Pop(place >> 5);
            } else {
                continue;
            }
            ++foundations_[suit];
            ++moved;
            again = true;
        }
    }
    return moved;
}

std::uint64_t SolverPosition::Key() const {
    std::uint64_t key = 0;
    for (int c = 0; c < kColumns; ++c) key += ZobristKeys::Mix(columnHash_[c]);
    for (CardCode cell : cells_) key += ZobristKeys::InCell(cell);
    // The foundations follow from the cards still in play.
    return key;
}
