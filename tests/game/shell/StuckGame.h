// A game that no move can go on with, for the tests of what the game does when stuck.
#pragma once

class MainGame;

// From game -1, a position without a legal move: the Aces and Twos buried under their
// columns, the Fours in the reserve cells, Threes and Sixes on top.
void MakeStuck(MainGame& game);
