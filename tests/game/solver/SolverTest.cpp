#include "game/solver/Solver.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <random>

#include "game/solver/SolutionLine.h"
#include "tests/game/solver/ReferenceSearch.h"

namespace {

using namespace card_code;

TEST(SolverTest, OrderedDealNeedsOneMoveAndAWonPositionNone) {
    Solver solver;
    const Solver::Result r = solver.Solve(SolverPosition::FromDeal(-1));
    ASSERT_EQ(r.outcome, Solver::Outcome::kWinnable);
    ASSERT_EQ(r.moves.size(), 1u);
    EXPECT_EQ(r.moves[0].to, SolverMove::kToFoundation);

    SolverPosition won;
    for (int s = 0; s < 4; ++s) won.SetFoundation(s, 13);
    const Solver::Result w = solver.Solve(won);
    EXPECT_EQ(w.outcome, Solver::Outcome::kWinnable);
    EXPECT_TRUE(w.moves.empty());
}

// Foundations at random heights, the cards above them spread at random over the columns
// and cells: small positions, some winnable and some not.
SolverPosition SmallPosition(std::mt19937& random) {
    SolverPosition p;
    std::vector<CardCode> cards;
    for (int s = 0; s < 4; ++s) {
        const int height = 6 + static_cast<int>(random() % 4);
        p.SetFoundation(s, height);
        for (int level = height; level < 13; ++level) cards.push_back(Make(s, level));
    }
    std::shuffle(cards.begin(), cards.end(), random);
    // Every cell and every column taken, so that space is short.
    const std::size_t cells = random() % 2 ? 4 : 3;
    for (std::size_t i = 0; i < cards.size(); ++i) {
        if (i < cells) {
            p.SetCell(static_cast<int>(i), cards[i]);
        } else if (i < cells + 8) {
            p.Push(static_cast<int>(i - cells), cards[i]);
        } else {
            p.Push(static_cast<int>(random() % 8), cards[i]);
        }
    }
    return p;
}

TEST(SolverTest, AgreesWithAPlainExhaustiveSearchOnSmallPositions) {
    std::mt19937 random(2024);
    Solver solver;
    int winnable = 0;
    int unwinnable = 0;
    int skipped = 0;
    for (int i = 0; i < 150; ++i) {
        const SolverPosition p = SmallPosition(random);
        const auto expected = ReferenceSearch::Winnable(ReferenceState::From(p), 200'000);
        if (!expected) {
            ++skipped;
            continue;
        }
        const Solver::Result r = solver.Solve(p);
        ASSERT_NE(r.outcome, Solver::Outcome::kUnknown) << i;
        ASSERT_EQ(r.outcome == Solver::Outcome::kWinnable, *expected) << "position " << i;
        if (*expected) {
            ++winnable;
            SolverPosition q = p;
            for (const SolverMove& m : r.moves) q.Play(m);
            EXPECT_TRUE(q.IsWon());
        } else {
            ++unwinnable;
        }
    }
    // So few cards are almost always winnable; the constructed positions below are not.
    EXPECT_GT(winnable, 100);
    EXPECT_EQ(unwinnable + winnable, 150 - skipped);
}

// The red suits are up, the black ones up to the Fours. Only black cards are left, so none
// lies on another; the Fives, the only cards a foundation would take, lie under two cards
// each; and there is one empty cell.
SolverPosition BlackDeadlock() {
    SolverPosition p;
    p.SetFoundation(0, 4);
    p.SetFoundation(1, 13);
    p.SetFoundation(2, 4);
    p.SetFoundation(3, 13);
    const auto C = [](int level) { return Make(0, level); };
    const auto S = [](int level) { return Make(2, level); };
    for (int level : {4, 5, 6}) p.Push(0, C(level));  // 5C 6C 7C
    for (int level : {4, 5, 6}) p.Push(1, S(level));  // 5S 6S 7S
    p.Push(2, C(7));
    p.Push(3, S(7));
    p.Push(4, C(8));
    p.Push(5, S(8));
    p.Push(6, C(9));
    p.Push(6, C(10));
    p.Push(7, S(9));
    p.Push(7, S(10));
    p.Push(7, S(11));
    p.SetCell(0, C(12));
    p.SetCell(1, S(12));
    p.SetCell(2, C(11));
    return p;
}

TEST(SolverTest, ConstructedDeadlocksAreProvedUnwinnable) {
    Solver solver;
    // Cards can go to the cell and to columns emptied that way, but the Fives never come
    // free: every line runs dry.
    const SolverPosition p = BlackDeadlock();
    const auto expected = ReferenceSearch::Winnable(ReferenceState::From(p), 1'000);
    ASSERT_EQ(expected, std::optional<bool>(false));
    const Solver::Result r = solver.Solve(p);
    EXPECT_EQ(r.outcome, Solver::Outcome::kUnwinnable);
    EXPECT_GT(r.positions, 100u);

    // With the Five of clubs on top of column 0 instead, the game comes loose.
    // Column 0 from the bottom: 6C 7C 5C.
    SolverPosition loose;
    for (int s = 0; s < 4; ++s) loose.SetFoundation(s, p.Foundation(s));
    loose.Push(0, Make(0, 5));
    loose.Push(0, Make(0, 6));
    loose.Push(0, Make(0, 4));
    for (int c = 1; c < 8; ++c) {
        for (int i = 0; i < p.Length(c); ++i) loose.Push(c, p.At(c, i));
    }
    for (int r2 = 0; r2 < 4; ++r2) loose.SetCell(r2, p.Cell(r2));
    EXPECT_EQ(solver.Solve(loose).outcome, Solver::Outcome::kWinnable);
}

// The search leaves out moves it knows lead back to positions already reached; it must
// still reach every position there is. An unwinnable position is searched to the end, so
// its count of positions is the number reachable: the complete pass goes on from the
// greedy one's positions rather than counting them again. The deal that cannot be won
// needs both passes.
TEST(SolverTest, AnUnwinnableSearchReachesEveryReachablePosition) {
    std::vector<SolverPosition> starts{BlackDeadlock(), SolverPosition::FromDeal(11982)};
    // The same with the Four of spades still on top of a column: the start has an automatic
    // move left to make, which every first move makes.
    SolverPosition pending = BlackDeadlock();
    pending.SetFoundation(2, 3);
    pending.Push(4, Make(2, 3));
    starts.push_back(pending);
    Solver solver;
    for (const SolverPosition& p : starts) {
        const auto reachable = ReferenceSearch::Reachable(ReferenceState::From(p), 100'000);
        ASSERT_TRUE(reachable.has_value());
        const Solver::Result r = solver.Solve(p);
        ASSERT_EQ(r.outcome, Solver::Outcome::kUnwinnable);
        EXPECT_EQ(r.positions, *reachable);
    }
}

TEST(SolverTest, LimitsStopTheSearchAsUnknown) {
    Solver::Limits tight;
    tight.positions = 5;
    Solver byPositions(tight);
    const Solver::Result r = byPositions.Solve(SolverPosition::FromDeal(1));
    EXPECT_EQ(r.outcome, Solver::Outcome::kUnknown);
    EXPECT_LE(r.positions, 5u);

    Solver::Limits small;
    small.memoryBytes = 1;  // only the table's first size
    Solver byMemory(small);
    const Solver::Result m = byMemory.Solve(SolverPosition::FromDeal(36));
    EXPECT_EQ(m.outcome, Solver::Outcome::kUnknown);
    EXPECT_EQ(byMemory.PeakTableBytes(), PositionTable::kInitialSlots * sizeof(std::uint64_t));

    // The same deals with the default limits are decided.
    Solver solver;
    EXPECT_EQ(solver.Solve(SolverPosition::FromDeal(1)).outcome, Solver::Outcome::kWinnable);
    EXPECT_EQ(solver.Solve(SolverPosition::FromDeal(36)).outcome, Solver::Outcome::kWinnable);
}

// The search's order decides which line it finds and how many positions it reaches on the
// way. These deals reach past the positions kept whole, so the older ones are made again from
// their packed parents. A change to the order should be meant: then these figures change too.
TEST(SolverTest, TheSearchReachesTheSamePositionsInTheSameOrder) {
    Solver solver;
    struct Figures {
        std::int32_t game;
        Solver::Outcome outcome;
        std::uint64_t positions;
        std::size_t moves;
    };
    for (const Figures& f : {Figures{352, Solver::Outcome::kWinnable, 11'347, 50},
                             Figures{1136, Solver::Outcome::kWinnable, 16'662, 75},
                             Figures{11982, Solver::Outcome::kUnwinnable, 61'643, 0}}) {
        const Solver::Result r = solver.Solve(SolverPosition::FromDeal(f.game));
        EXPECT_EQ(r.outcome, f.outcome) << f.game;
        EXPECT_EQ(r.positions, f.positions) << f.game;
        EXPECT_EQ(r.moves.size(), f.moves) << f.game;
    }
}

// A memory bound that the search meets part of the way, after it has packed positions, stops
// it as "unknown" within the bound; a bound it does not meet changes nothing.
TEST(SolverTest, AMemoryBoundMetHalfWayStopsTheSearchWithinIt) {
    int stopped = 0;
    for (std::size_t megabytes : {2u, 3u, 4u, 6u, 8u}) {
        Solver::Limits limits;
        limits.memoryBytes = megabytes << 20;
        Solver solver(limits);
        const Solver::Result r = solver.Solve(SolverPosition::FromDeal(11982));
        if (r.outcome == Solver::Outcome::kUnwinnable) {
            EXPECT_EQ(r.positions, 61'643u) << megabytes;
            continue;
        }
        ++stopped;
        EXPECT_EQ(r.outcome, Solver::Outcome::kUnknown) << megabytes;
        EXPECT_GT(r.positions, 2'000u) << megabytes;
        EXPECT_LE(solver.PeakMemory(), limits.memoryBytes) << megabytes;
    }
    EXPECT_GE(stopped, 2);
}

// The greedy first pass gives way after two thousand positions; the deal that cannot be won
// needs many more, so its proof comes from the complete pass, and the limit on positions
// counts both passes.
TEST(SolverTest, UnwinnableDealIsProvedAndTheLimitCountsEveryPass) {
    Solver solver;
    const Solver::Result r = solver.Solve(SolverPosition::FromDeal(11982));
    EXPECT_EQ(r.outcome, Solver::Outcome::kUnwinnable);
    EXPECT_GT(r.positions, 10'000u);
    EXPECT_TRUE(r.moves.empty());

    for (std::uint64_t limit : {1'000u, 1'999u, 2'000u, 2'001u, 2'999u, 3'000u, 3'001u, 5'000u}) {
        Solver::Limits limits;
        limits.positions = limit;
        Solver limited(limits);
        const Solver::Result u = limited.Solve(SolverPosition::FromDeal(11982));
        EXPECT_EQ(u.outcome, Solver::Outcome::kUnknown) << limit;
        EXPECT_LE(u.positions, limit);
    }

    // A solver that ran out of its limit on one deal still solves the next from scratch.
    Solver::Limits limits;
    limits.positions = 20'000;
    Solver reused(limits);
    EXPECT_EQ(reused.Solve(SolverPosition::FromDeal(11982)).outcome, Solver::Outcome::kUnknown);
    const SolverPosition one = SolverPosition::FromDeal(1);
    const Solver::Result w = reused.Solve(one);
    ASSERT_EQ(w.outcome, Solver::Outcome::kWinnable);
    SolverPosition q = one;
    for (const SolverMove& m : w.moves) q.Play(m);
    EXPECT_TRUE(q.IsWon());
}

}  // namespace
