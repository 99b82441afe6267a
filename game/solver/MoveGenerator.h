// Every move the player can make in a position, without the ones that only lead to the
// same position under another order of columns or cells: one move per card to the
// foundations, to the first empty reserve cell and to the first empty column; no move
// from one cell to another, and no whole column into an empty one. Cards never leave a
// foundation.
#pragma once

#include <array>

#include "game/solver/SolverMove.h"
#include "game/solver/SolverPosition.h"

class MoveGenerator {
  public:
    // Each column's top card (one move to a column each), its runs into the first empty
    // column (up to 13 lengths), to a cell and to a foundation; each cell's card likewise.
    static constexpr int kMaxMoves = 8 * (1 + 7 + 13 + 1) + 4 * (1 + 8);

    struct MoveList {
        std::array<SolverMove, kMaxMoves> moves;
        int count = 0;
        void Add(int from, int to, int count_) {
            moves[count++] = {static_cast<std::uint8_t>(from), static_cast<std::uint8_t>(to),
                              static_cast<std::uint8_t>(count_)};
        }
    };

    // Fills `list` (emptied first).
    static void Generate(const SolverPosition& position, MoveList& list);
};
