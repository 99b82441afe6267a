#include "game/solver/PositionTable.h"

#include <gtest/gtest.h>

namespace {

std::uint64_t KeyOf(std::uint64_t i) {
    return (i + 1) * 0x9E3779B97F4A7C15ULL;
}

TEST(PositionTableTest, RemembersEveryKeyThroughGrowthAndForgetsOnClear) {
    PositionTable table(std::size_t{64} << 20);
    const std::uint64_t n = 100'000;
    for (std::uint64_t i = 0; i < n; ++i)
        ASSERT_EQ(table.Add(KeyOf(i)), PositionTable::Insert::kAdded);
    EXPECT_EQ(table.Count(), n);
    EXPECT_GE(table.Bytes(), n * 2 * sizeof(std::uint64_t));
    for (std::uint64_t i = 0; i < n; ++i)
        ASSERT_EQ(table.Add(KeyOf(i)), PositionTable::Insert::kPresent);
    EXPECT_FALSE(table.Contains(KeyOf(n)));
    // Zero is a key like any other.
    EXPECT_EQ(table.Add(0), PositionTable::Insert::kAdded);
    EXPECT_TRUE(table.Contains(0));

    const std::size_t peak = table.Bytes();
    table.Clear();
    EXPECT_EQ(table.Count(), 0u);
    EXPECT_FALSE(table.Contains(KeyOf(5)));
    EXPECT_EQ(table.Bytes(), PositionTable::kInitialSlots * sizeof(std::uint64_t));
    EXPECT_EQ(table.PeakBytes(), peak);
}

TEST(PositionTableTest, RefusesNewKeysBeyondItsMemoryBound) {
    PositionTable table(PositionTable::kInitialSlots * sizeof(std::uint64_t) * 4);
    std::uint64_t added = 0;
    PositionTable::Insert last = PositionTable::Insert::kAdded;
    for (std::uint64_t i = 0; i < 1'000'000 && last == PositionTable::Insert::kAdded; ++i) {
        last = table.Add(KeyOf(i));
        if (last == PositionTable::Insert::kAdded) ++added;
    }
    EXPECT_EQ(last, PositionTable::Insert::kFull);
    EXPECT_TRUE(table.Full());
    EXPECT_EQ(added, PositionTable::kInitialSlots * 2);
    EXPECT_LE(table.PeakBytes(), table.MaxBytes());
    // Known keys are still found.
    EXPECT_EQ(table.Add(KeyOf(3)), PositionTable::Insert::kPresent);
    table.Clear();
    EXPECT_FALSE(table.Full());
}

}  // namespace
