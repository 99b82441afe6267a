#include "game/solver/PackedPosition.h"

#include <algorithm>
#include <cstring>

PackedPosition::PackedPosition(const SolverPosition& p) {
    // Each column is copied whole, and the next one written over its unused end: copies of
    // one fixed size need no branch per card.
    std::array<CardCode, card_code::kCards + SolverPosition::kMaxColumn + 1> cards;
    int k = 0;
    for (int c = 0; c < SolverPosition::kColumns; ++c) {
        const int length = p.Length(c);
        lengths_[c] = static_cast<std::uint8_t>(length);
        std::memcpy(cards.data() + k, p.Column(c), SolverPosition::kMaxColumn + 1);
        k += length;
    }
    // Past the last card nothing is left over from the columns' unused ends, so that one
    // position always packs to the same bytes.
    std::fill(cards.begin() + k, cards.end(), card_code::kNone);
    std::memcpy(cards_.data(), cards.data(), cards_.size());
    for (int r = 0; r < SolverPosition::kCells; ++r) cells_[r] = p.Cell(r);
    for (int s = 0; s < 4; ++s) foundations_[s] = static_cast<std::uint8_t>(p.Foundation(s));
}

SolverPosition PackedPosition::Unpack() const {
    SolverPosition p;
    int k = 0;
    for (int c = 0; c < SolverPosition::kColumns; ++c) {
        for (int i = 0; i < lengths_[c]; ++i) p.Push(c, cards_[k++]);
    }
    for (int r = 0; r < SolverPosition::kCells; ++r) p.SetCell(r, cells_[r]);
    for (int s = 0; s < 4; ++s) p.SetFoundation(s, foundations_[s]);
    return p;
}
