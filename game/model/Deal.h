// Lays out game number n on the board: the numbered deal, or the ordered deal for -1.
#pragma once

#include <cstdint>

class Deck;
class GameBoard;

void Deal(Deck& deck, GameBoard& board, std::int32_t gameNumber);
