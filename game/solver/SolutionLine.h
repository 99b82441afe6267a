// A solver's line of moves as the player makes them on the board's sixteen piles: which
// card to tap, in which pile and at which index, and which pile to tap next. It plays the
// line again by the game's own rules, with the automatic moves in the board's order, so
// that each move to a foundation names the pile that takes the card there.
#pragma once

#include <optional>
#include <vector>

#include "game/solver/CardCode.h"
#include "game/solver/SolverMove.h"
#include "game/solver/SolverPosition.h"

struct PlayerMove {
    CardCode card = card_code::kNone;  // the tapped card: the deepest card that moves
    int source = 0;                    // pile 0-11
    int index = 0;                     // the tapped card's index in the source pile
    int destination = 0;               // pile 0-15
};

class SolutionLine {
  public:
    // The player's moves for `moves` from `start`, a position whose foundations are empty;
    // nothing when a move breaks the rules or the line does not end in a win.
    static std::optional<std::vector<PlayerMove>> Build(const SolverPosition& start,
                                                        const std::vector<SolverMove>& moves);
};
