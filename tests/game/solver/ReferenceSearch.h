// A plain, slow statement of the rules for checking the solver against: every tap pair the
// player could make, the automatic moves, and an exhaustive search over positions compared
// as sorted text. It shares nothing with the solver but the card codes.
#pragma once

#include <array>
#include <cstddef>
#include <optional>
#include <string>
#include <vector>

#include "game/solver/CardCode.h"
#include "game/solver/SolverPosition.h"

struct ReferenceState {
    std::array<std::vector<CardCode>, 8> columns;
    std::array<CardCode, 4> cells{};
    std::array<int, 4> foundations{};  // cards on the foundation of each suit

    static ReferenceState From(const SolverPosition& position);
    // The same position whatever the order of columns and of cells.
    std::string Canonical() const;
    bool IsWon() const;
};

class ReferenceSearch {
  public:
    // Every position one player move leads to (automatic moves made), moves that change
    // nothing but the order of piles included.
    static std::vector<ReferenceState> Children(const ReferenceState& state);
    // Whether the position can be won; nothing when more than `maxStates` positions would
    // have to be searched.
    static std::optional<bool> Winnable(const ReferenceState& start, std::size_t maxStates);
    // How many positions can be reached from the start, the start included; nothing when
    // there are more than `maxStates`.
    static std::optional<std::size_t> Reachable(const ReferenceState& start, std::size_t maxStates);
};
