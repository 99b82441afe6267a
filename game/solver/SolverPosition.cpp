#include "game/solver/SolverPosition.h"

#include <bit>

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
    Change change;
    Play(move, change);
}

void SolverPosition::Play(SolverMove move, Change& change, bool settled) {
    change.autoCount = 0;
    if (move.from < SolverMove::kFirstCell) {
        const int from = move.from;
        if (move.to < SolverMove::kFirstCell) {
            change.moved = columns_[from][length_[from] - move.count];
            MoveRun(from, move.to, move.count);
        } else {
            const CardCode card = Pop(from);
            change.moved = card;
            if (move.to == SolverMove::kToFoundation) {
                ++foundations_[card_code::Suit(card)];
            } else {
                cells_[move.to - SolverMove::kFirstCell] = card;
            }
        }
    } else {
        CardCode& cell = cells_[move.from - SolverMove::kFirstCell];
        change.moved = cell;
        if (move.to < SolverMove::kFirstCell) {
            Push(move.to, cell);
        } else {
            ++foundations_[card_code::Suit(cell)];
        }
        cell = card_code::kNone;
    }
    if (settled && move.to != SolverMove::kToFoundation) {
        // No foundation grew, so no card became safe; the cards moved were uncovered before.
        if (move.from >= SolverMove::kFirstCell) return;
        const CardCode top = Top(move.from);
        if (!top || !FoundationTakes(top) || !IsSafe(top)) return;
    }
    AutoPlay(&change);
}

void SolverPosition::MoveRun(int from, int to, int count) {
    // The cards moved are the top of the source's run, and stay a run: cut them off and lay
    // them down bottom first in one pass, with the hashes kept in registers rather than
    // updated in memory card by card.
    const int base = length_[from] - count;
    const int onto = length_[to];
    assert(count >= 1 && count <= runs_[from] && onto + count <= kMaxColumn + 1);
    std::uint64_t hashFrom = columnHash_[from];
    std::uint64_t hashTo = columnHash_[to];
    int lowest = card_code::kLevels;
    if (onto) {
        const CardCode below = columns_[to][onto - 1];
        lowest = std::min<int>(lowestBelow_[below], card_code::Level(below));
        if (card_code::Fits(columns_[from][base], below)) {
            runs_[to] = static_cast<std::uint8_t>(runs_[to] + count);
        } else {
            ++outOfSequence_;
            runs_[to] = static_cast<std::uint8_t>(count);
        }
    } else {
        runs_[to] = static_cast<std::uint8_t>(count);
    }
    int blocking = blocking_;
    for (int i = 0; i < count; ++i) {
        const CardCode card = columns_[from][base + i];
        const int level = card_code::Level(card);
        hashFrom ^= ZobristKeys::InColumn(card, base + i);
        hashTo ^= ZobristKeys::InColumn(card, onto + i);
        columns_[to][onto + i] = card;
        place_[card] = static_cast<std::uint8_t>(to << 5 | (onto + i));
        blocking += (level > lowest) - (level > lowestBelow_[card]);
        lowestBelow_[card] = static_cast<std::uint8_t>(lowest);
        lowest = std::min(lowest, level);
    }
    blocking_ = static_cast<std::uint8_t>(blocking);
    emptyColumns_ = static_cast<std::uint8_t>(emptyColumns_ + (base == 0) - (onto == 0));
    columnHash_[from] = hashFrom;
    columnHash_[to] = hashTo;
    length_[from] = static_cast<std::uint8_t>(base);
    length_[to] = static_cast<std::uint8_t>(onto + count);
    if (count < runs_[from]) {
        runs_[from] = static_cast<std::uint8_t>(runs_[from] - count);
    } else {
        TopRunLeft(from);
    }
}

void SolverPosition::Undo(SolverMove move, const Change& change) {
    // The automatic moves go back first, the last one first, then the player's move.
    for (int i = change.autoCount - 1; i >= 0; --i) {
        const int suit = change.autos[i] >> 4;
        const int pile = change.autos[i] & 15;
        const CardCode card = card_code::Make(suit, --foundations_[suit]);
        if (pile < kColumns) {
            Push(pile, card);
        } else {
            cells_[pile - kColumns] = card;
        }
    }
    const CardCode card = change.moved;
    if (move.from < SolverMove::kFirstCell) {
        if (move.to < SolverMove::kFirstCell) {
            MoveRun(move.to, move.from, move.count);
        } else {
            if (move.to == SolverMove::kToFoundation) {
                --foundations_[card_code::Suit(card)];
            } else {
                cells_[move.to - SolverMove::kFirstCell] = card_code::kNone;
            }
            Push(move.from, card);
        }
    } else {
        if (move.to < SolverMove::kFirstCell) {
            Pop(move.to);
        } else {
            --foundations_[card_code::Suit(card)];
        }
        cells_[move.from - SolverMove::kFirstCell] = card;
    }
}

int SolverPosition::AutoPlay() {
    return AutoPlay(nullptr);
}

int SolverPosition::AutoPlay(Change* change) {
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
            int pile;
            if (place == kNowhere) {
                // Not in a column: in a cell, unless a position built by hand lacks it.
                int r = 0;
                while (r < kCells && cells_[r] != next) ++r;
                if (r == kCells) continue;
                cells_[r] = card_code::kNone;
                pile = kColumns + r;
            } else if ((place & 31) == length_[place >> 5] - 1) {
                pile = place >> 5;
                Pop(pile);
            } else {
                continue;
            }
            if (change)
                change->autos[change->autoCount++] = static_cast<std::uint8_t>(suit << 4 | pile);
            ++foundations_[suit];
            ++moved;
            again = true;
        }
    }
    return moved;
}

SolverPosition::ColumnKeys SolverPosition::KeysOfColumns() const {
    ColumnKeys keys;
    keys.sum = 0;
    for (int c = 0; c < kColumns; ++c) {
        keys.mixed[c] = ZobristKeys::Mix(columnHash_[c]);
        keys.sum += keys.mixed[c];
    }
    return keys;
}

std::uint64_t SolverPosition::KeyAfter(const ColumnKeys& before, SolverMove move,
                                       const Change& change) const {
    // Piles 8 and up are cells and the foundation; their bits fall outside the columns.
    unsigned touched = (1u << move.from) | (1u << move.to);
    for (int i = 0; i < change.autoCount; ++i) touched |= 1u << (change.autos[i] & 15);
    std::uint64_t key = before.sum;
    for (unsigned mask = touched & ((1u << kColumns) - 1); mask; mask &= mask - 1) {
        const int c = std::countr_zero(mask);
        key += ZobristKeys::Mix(columnHash_[c]) - before.mixed[c];
    }
    for (CardCode cell : cells_) key += ZobristKeys::InCell(cell);
    return key;
}

std::uint64_t SolverPosition::Key() const {
    std::uint64_t key = 0;
    for (int c = 0; c < kColumns; ++c) key += ZobristKeys::Mix(columnHash_[c]);
    for (CardCode cell : cells_) key += ZobristKeys::InCell(cell);
    // The foundations follow from the cards still in play.
    return key;
}
