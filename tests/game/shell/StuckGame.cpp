#include "tests/game/shell/StuckGame.h"

#include "game/model/GameBoard.h"
#include "game/shell/MainGame.h"

void MakeStuck(MainGame& game) {
    game.StartGame(-1);
    GameBoard& board = game.Board();
    // Columns 0-3 end with 3, A of one suit each; columns 4-7 with 4, 2.
    for (int column = 0; column < 4; ++column) {
        board.MoveCard(column, column + 4, -1, 0, false);  // the Ace to the bottom
        board.MoveCard(column + 4, column, -1, 0, false);  // the Two to the bottom
        board.MoveCard(column + 4, column + GameBoard::kFirstCell, -1, -1, false);  // the Four
    }
}
