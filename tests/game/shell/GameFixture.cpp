#include "tests/game/shell/GameFixture.h"

void GameTest::Tap(int from, int to) {
    GameBoard& board = game_.Board();
    const Card* top = board.TopCard(from);
    ASSERT_NE(top, nullptr);
    board.OnStylusDown(top->X() + 2, top->Y() + 2);
    board.OnStylusUp(top->X() + 2, top->Y() + 2);
    const Point target = board.CardPosition(to, 0);
    board.OnStylusDown(target.x + 2, target.y + 2);
    board.OnStylusUp(target.x + 2, target.y + 2);
}

void GameTest::MakeStuck() {
    game_.StartGame(-1);
    GameBoard& board = game_.Board();
    // Columns 0-3 end with 3, A of one suit each; columns 4-7 with 4, 2.
    for (int column = 0; column < 4; ++column) {
        board.MoveCard(column, column + 4, -1, 0, false);  // the Ace to the bottom
        board.MoveCard(column + 4, column, -1, 0, false);  // the Two to the bottom
        board.MoveCard(column + 4, column + GameBoard::kFirstCell, -1, -1, false);  // the Four
    }
}
