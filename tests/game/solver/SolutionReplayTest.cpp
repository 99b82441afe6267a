// Solutions played through the real board with the taps a player makes, on several screens.
#include <gtest/gtest.h>

#include "game/model/Deal.h"
#include "game/model/Deck.h"
#include "game/model/GameBoard.h"
#include "game/model/QuietOwner.h"
#include "game/solver/SolutionLine.h"
#include "game/solver/Solver.h"
#include "game/solver/TapScript.h"

namespace {

struct Replayed {
    bool won = false;
    int wins = 0;
    int refused = 0;
};

Replayed Replay(std::int32_t game, const std::vector<Point>& taps, Size screen) {
    QuietOwner owner(screen, game);
    owner.dblClickMoves = false;
    GameBoard board(owner, DisplayScaleForScreenWidth(screen.width));
    Deck deck(board.Layout().CardSize(), nullptr);
    Deal(deck, board, game);
    board.ClearHistory();
    board.Deselect();
    for (const Point& tap : taps) {
        board.OnStylusDown(tap.x, tap.y);
        board.OnStylusUp(tap.x, tap.y);
    }
    Replayed r;
    r.won = board.IsWon();
    r.wins = static_cast<int>(owner.wins.size());
    // 1 is the message for a refused move; the drag notice and others would show too.
    for (int m : owner.messages) r.refused += m == 1;
    return r;
}

TEST(SolutionReplayTest, EverySolutionWinsOnTheBoardByTaps) {
    const Size screens[] = {{240, 320}, {480, 640}, {320, 240}, {640, 480}};
    Solver solver;
    int replayed = 0;
    for (std::int32_t game = -1; game <= 300; ++game) {
        if (game == 0) continue;
        const SolverPosition start = SolverPosition::FromDeal(game);
        const Solver::Result result = solver.Solve(start);
        if (result.outcome != Solver::Outcome::kWinnable) continue;
        const auto line = SolutionLine::Build(start, result.moves);
        ASSERT_TRUE(line.has_value()) << "game " << game;
        ASSERT_EQ(line->size(), result.moves.size());
        for (const Size screen : screens) {
            const Replayed r = Replay(game, TapScript::Taps(*line, screen), screen);
            ASSERT_TRUE(r.won) << "game " << game << " on " << screen.width << "x" << screen.height;
            EXPECT_EQ(r.wins, 1);
            EXPECT_EQ(r.refused, 0);
        }
        ++replayed;
    }
    EXPECT_GE(replayed, 290);
}

TEST(SolutionReplayTest, LinesThatBreakTheRulesAreRefused) {
    const SolverPosition start = SolverPosition::FromDeal(1);
    Solver solver;
    const Solver::Result result = solver.Solve(start);
    ASSERT_EQ(result.outcome, Solver::Outcome::kWinnable);
    // Without its last move the line does not win.
    std::vector<SolverMove> shorter(result.moves.begin(), result.moves.end() - 1);
    EXPECT_FALSE(SolutionLine::Build(start, shorter).has_value());
    // Game 1 starts with 6S on column 0 and 6H on column 3: neither fits on the other.
    EXPECT_FALSE(SolutionLine::Build(start, {{0, 3, 1}}).has_value());
    // A run of two where the top two cards of column 0 are not a run (6S on 6D).
    EXPECT_FALSE(SolutionLine::Build(start, {{0, 8, 2}}).has_value());
}

TEST(SolutionReplayTest, MovesNameTheTappedCardAndTheBoardsPiles) {
    // The ordered deal: the Ace of clubs goes to the first foundation and the rest follow.
    const SolverPosition start = SolverPosition::FromDeal(-1);
    const auto line = SolutionLine::Build(start, {{0, SolverMove::kToFoundation, 1}});
    ASSERT_TRUE(line.has_value());
    ASSERT_EQ(line->size(), 1u);
    EXPECT_STREQ(card_code::Name((*line)[0].card), "AC");
    EXPECT_EQ((*line)[0].source, 0);
    EXPECT_EQ((*line)[0].index, 6);
    EXPECT_EQ((*line)[0].destination, 12);
    const auto taps = TapScript::Taps(*line, {240, 320});
    ASSERT_EQ(taps.size(), 2u);
    // As the play tests tap it: the Ace at index 6 of column 0, then the first foundation.
    EXPECT_EQ(taps[0].y, 55 + 13 * 6 + 1);
    EXPECT_GE(taps[1].x, 123);
    EXPECT_LT(taps[1].x, 123 + 29);
}

}  // namespace
