// A position in 68 bytes, for the positions a search has expanded: the cards of the columns
// one after another, bottom first, with each column's length, the reserve cells and the
// foundations. Columns and cells keep their places, so the moves found from an unpacked
// position name the same piles as they would on the position itself.
#pragma once

#include <array>
#include <cstdint>

#include "game/solver/CardCode.h"
#include "game/solver/SolverPosition.h"

class PackedPosition {
  public:
    PackedPosition() = default;
    explicit PackedPosition(const SolverPosition& position);

    SolverPosition Unpack() const;

  private:
    std::array<CardCode, card_code::kCards> cards_{};
    std::array<std::uint8_t, SolverPosition::kColumns> lengths_{};
    std::array<CardCode, SolverPosition::kCells> cells_{};
    std::array<std::uint8_t, 4> foundations_{};
};
