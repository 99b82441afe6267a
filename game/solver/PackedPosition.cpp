#include "game/solver/PackedPosition.h"

PackedPosition::PackedPosition(const SolverPosition& p) {
    int k = 0;
    for (int c = 0; c < SolverPosition::kColumns; ++c) {
        const int length = p.Length(c);
        lengths_[c] = static_cast<std::uint8_t>(length);
        for (int i = 0; i < length; ++i) cards_[k++] = p.At(c, i);
    }
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
