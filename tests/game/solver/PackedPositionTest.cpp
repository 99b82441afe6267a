#include "game/solver/PackedPosition.h"

#include <gtest/gtest.h>

#include <random>

#include "game/solver/MoveGenerator.h"

namespace {

using namespace card_code;

// The unpacked position must be the same layout, pile for pile, and keep the counts that
// the search reads along the way: a mistake there sends moves to the wrong piles.
void ExpectSame(const SolverPosition& a, const SolverPosition& b) {
    for (int c = 0; c < SolverPosition::kColumns; ++c) {
        ASSERT_EQ(a.Length(c), b.Length(c)) << "column " << c;
        ASSERT_EQ(a.TopRun(c), b.TopRun(c)) << "column " << c;
        for (int i = 0; i < a.Length(c); ++i) ASSERT_EQ(a.At(c, i), b.At(c, i));
    }
    for (int r = 0; r < SolverPosition::kCells; ++r) ASSERT_EQ(a.Cell(r), b.Cell(r));
    for (int s = 0; s < 4; ++s) ASSERT_EQ(a.Foundation(s), b.Foundation(s));
    ASSERT_EQ(a.Key(), b.Key());
    ASSERT_EQ(a.OutOfSequence(), b.OutOfSequence());
    ASSERT_EQ(a.Blocking(), b.Blocking());
    ASSERT_EQ(a.EmptyColumns(), b.EmptyColumns());
    for (int card = 1; card <= kCards; ++card) {
        ASSERT_EQ(a.CardsAbove(static_cast<CardCode>(card)),
                  b.CardsAbove(static_cast<CardCode>(card)));
    }
}

TEST(PackedPositionTest, UnpacksToTheSameLayoutAlongRandomLines) {
    std::mt19937 random(17);
    MoveGenerator::MoveList list;
    MoveGenerator::MoveList unpackedList;
    int checked = 0;
    for (int n = 1; n <= 40; ++n) {
        SolverPosition p = SolverPosition::FromDeal(n);
        for (int step = 0; step < 120; ++step) {
            const SolverPosition q = PackedPosition(p).Unpack();
            ExpectSame(p, q);
            // The same moves, pile for pile, from the unpacked position.
            MoveGenerator::Generate(p, list);
            MoveGenerator::Generate(q, unpackedList);
            ASSERT_EQ(list.count, unpackedList.count);
            for (int i = 0; i < list.count; ++i) ASSERT_EQ(list.moves[i], unpackedList.moves[i]);
            ++checked;
            if (!list.count) break;
            p.Play(list.moves[random() % static_cast<unsigned>(list.count)]);
        }
    }
    EXPECT_GT(checked, 2000);
}

TEST(PackedPositionTest, KeepsFullColumnsCellsAndFoundations) {
    // The longest column there can be, every cell taken, foundations at odd heights.
    SolverPosition p;
    p.SetFoundation(0, 0);
    p.SetFoundation(1, 3);
    p.SetFoundation(2, 13);
    p.SetFoundation(3, 1);
    p.Push(7, Make(0, 0));
    for (int level = 12; level >= 1; --level) p.Push(7, Make(level % 2 ? 1 : 0, level));
    p.SetCell(0, Make(3, 5));
    p.SetCell(3, Make(3, 1));
    ExpectSame(p, PackedPosition(p).Unpack());
}

}  // namespace
