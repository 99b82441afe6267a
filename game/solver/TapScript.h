// The taps that make a line of player moves on a screen of a given size: for each move one
// tap on the card to move (the deepest card of a run) and one on the destination pile,
// placed where the board's layout puts the piles on that screen.
#pragma once

#include <vector>

#include "game/model/Geometry.h"
#include "game/solver/SolutionLine.h"

class TapScript {
  public:
    static std::vector<Point> Taps(const std::vector<PlayerMove>& line, Size screen);
};
