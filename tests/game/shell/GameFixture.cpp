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
