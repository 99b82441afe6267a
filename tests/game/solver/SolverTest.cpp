#include "game/solver/Solver.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <cstdio>
#include <cstdlib>

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
        const int height = std::getenv("HB") ? std::atoi(std::getenv("HB")) + static_cast<int>(random() % 4) : 6 + static_cast<int>(random() % 4);
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
    int searchedProofs = 0;
    for (int i = 0; i < 400; ++i) {
        const SolverPosition p = SmallPosition(random);
        const auto expected = ReferenceSearch::Winnable(ReferenceState::From(p), 200'000);
        if (!expected) continue;
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
            searchedProofs += r.positions > 20;
            if (r.positions > 50 && std::getenv("SHOWP")) {
                for (int c = 0; c < 8; ++c) {
                    std::printf("col %d:", c);
                    for (int k = 0; k < p.Length(c); ++k) std::printf(" %s", Name(p.At(c, k)));
                    std::printf("\n");
                }
                for (int c = 0; c < 4; ++c) std::printf("cell %s f %d\n", Name(p.Cell(c)), p.Foundation(c));
                std::printf("positions %llu\n", (unsigned long long)r.positions);
            }
        }
    }
    std::printf("w %d u %d s %d\n", winnable, unwinnable, searchedProofs);
    EXPECT_GT(winnable, 50);
    EXPECT_GT(unwinnable, 20);
    // Some of the unwinnable ones took a real search to prove, not just a dead start.
    EXPECT_GT(searchedProofs, 5);
}

TEST(SolverTest, ConstructedDeadlockIsProvedUnwinnable) {
    // Everything up to the Nines is on the foundations. Each Ten lies under a card of its
    // own suit, so no Ten can rise before a card above it goes to a cell or an empty
    // column; there are two of those places, and every way of using them runs out.
    SolverPosition p;
    for (int s = 0; s < 4; ++s) p.SetFoundation(s, 9);
    const auto T = [](int s) { return Make(s, 9); };
    const auto J = [](int s) { return Make(s, 10); };
    const auto Q = [](int s) { return Make(s, 11); };
    const auto K = [](int s) { return Make(s, 12); };
    p.Push(0, T(0));
    p.Push(0, K(0));
    p.Push(0, J(0));
    p.Push(1, T(1));
    p.Push(1, K(1));
    p.Push(1, J(1));
    p.Push(2, T(2));
    p.Push(2, K(2));
    p.Push(2, J(2));
    p.Push(3, T(3));
    p.Push(3, K(3));
    p.Push(3, J(3));
    p.Push(4, Q(0));
    p.Push(5, Q(2));
    p.SetCell(0, Q(1));
    p.SetCell(1, Q(3));
    const auto expected = ReferenceSearch::Winnable(ReferenceState::From(p), 1'000'000);
    ASSERT_TRUE(expected.has_value());
    Solver solver;
    const Solver::Result r = solver.Solve(p);
    EXPECT_EQ(r.outcome == Solver::Outcome::kWinnable, *expected);
    EXPECT_EQ(r.outcome, Solver::Outcome::kUnwinnable);
    EXPECT_GT(r.positions, 1u);
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

}  // namespace
