#include "game/settings/Statistics.h"

#include <gtest/gtest.h>

#include "tests/game/settings/SettingsStore.h"
#include "tests/support/StoreText.h"
#include "tests/support/TempPlatform.h"

using settings_test::Dword;
using settings_test::ReadValue;
using settings_test::WriteValue;

namespace {

using List = std::vector<std::int16_t>;
using Bytes = std::vector<BYTE>;

class StatisticsTest : public ::testing::Test {
  protected:
    TempPlatform temp_;
};

TEST_F(StatisticsTest, FirstStartStoresZerosAndAnEmptyList) {
    Statistics statistics;
    EXPECT_EQ(statistics.Completed(), (List{-32768, 32767}));
    EXPECT_TRUE(statistics.Load());
    EXPECT_EQ(statistics.Games(), 0u);
    EXPECT_EQ(statistics.Won(), 0u);
    EXPECT_EQ(StoreText(),
              settings_test::kGameKeys +
                  "[HKEY_LOCAL_MACHINE\\Software\\Korvel Labs\\Korvel Tessamo\\Statistics]\n"
                  "\"Completed\"=hex:00,80,ff,7f\n"
                  "\"Games\"=dword:00000000\n"
                  "\"Won\"=dword:00000000\n");
}

TEST_F(StatisticsTest, WinsAreStoredInOrderAsLittleEndianEntries) {
    Statistics statistics;
    statistics.Load();
    statistics.RecordWin(5);
    statistics.RecordWin(3);
    statistics.RecordWin(9);
    EXPECT_EQ(StoreText(),
              settings_test::kGameKeys +
                  "[HKEY_LOCAL_MACHINE\\Software\\Korvel Labs\\Korvel Tessamo\\Statistics]\n"
                  "\"Completed\"=hex:00,80,03,00,05,00,09,00,ff,7f\n"
                  "\"Games\"=dword:00000000\n"
                  "\"Won\"=dword:00000003\n");

    Statistics reloaded;
    reloaded.Load();
    EXPECT_EQ(reloaded.Completed(), (List{-32768, 3, 5, 9, 32767}));
    EXPECT_EQ(reloaded.Won(), 3u);
}

TEST_F(StatisticsTest, DealsAndRepeatedWinsAreCounted) {
    Statistics statistics;
    statistics.Load();
    statistics.RecordDeal();
    statistics.RecordWin(100);
    statistics.RecordDeal();  // the same number dealt again
    statistics.RecordWin(100);
    EXPECT_EQ(statistics.Won(), 2u);
    EXPECT_EQ(statistics.Games(), 2u);
    EXPECT_EQ(statistics.Completed(), (List{-32768, 100, 32767}));
    EXPECT_EQ(ReadValue(u"Statistics", u"Games"), Dword(2));
}

TEST_F(StatisticsTest, NumbersOutsideTheGameRangeAndTheSentinels) {
    Statistics statistics;
    statistics.AddCompleted(-1);                                        // the ordered deal
    statistics.AddCompleted(static_cast<std::int16_t>(32768 - 65536));  // equals the lower sentinel
    statistics.AddCompleted(32767);
    EXPECT_EQ(statistics.Completed(), (List{-32768, -1, 32767}));
    EXPECT_TRUE(statistics.IsCompleted(-1));
    EXPECT_FALSE(statistics.IsCompleted(-32768));
    EXPECT_FALSE(statistics.IsCompleted(32767));
    EXPECT_FALSE(statistics.IsCompleted(0));
    statistics.ResetCompleted();
    EXPECT_EQ(statistics.Completed(), (List{-32768, 32767}));
}

TEST_F(StatisticsTest, InsertionKeepsTheListAscendingWithoutRepeats) {
    Statistics statistics;
    // A spread of numbers in a scrambled order, each twice.
    for (int round = 0; round < 2; ++round) {
        for (int i = 0; i < 200; ++i)
            statistics.AddCompleted(static_cast<std::int16_t>((i * 7919) % 32000 + 1));
    }
    const List& list = statistics.Completed();
    ASSERT_EQ(list.size(), 202u);
    EXPECT_EQ(list.front(), -32768);
    EXPECT_EQ(list.back(), 32767);
    EXPECT_TRUE(std::is_sorted(list.begin(), list.end()));
    EXPECT_EQ(std::adjacent_find(list.begin(), list.end()), list.end());
}

struct Damaged {
    const char* what;
    Bytes stored;
    List loaded;
};

class DamagedListTest : public StatisticsTest, public ::testing::WithParamInterface<Damaged> {};

// Whatever the stored bytes, Load leaves a list that starts and ends with the sentinels and
// is ascending without repeats in between, and later insertions stay inside it.
TEST_P(DamagedListTest, LoadRepairsTheList) {
    const Damaged& c = GetParam();
    WriteValue(u"Statistics", u"Completed", REG_BINARY, c.stored);
    Statistics statistics;
    statistics.Load();
    EXPECT_EQ(statistics.Completed(), c.loaded) << c.what;

    statistics.AddCompleted(4);
    statistics.AddCompleted(20000);
    const List& list = statistics.Completed();
    EXPECT_EQ(list.front(), -32768);
    EXPECT_EQ(list.back(), 32767);
    EXPECT_TRUE(std::is_sorted(list.begin(), list.end()));
    EXPECT_EQ(std::adjacent_find(list.begin(), list.end()), list.end());
    EXPECT_TRUE(statistics.IsCompleted(4));

    // The repaired list is what the next save stores.
    statistics.Save();
    EXPECT_EQ(ReadValue(u"Statistics", u"Completed").size(), list.size() * 2);
}

INSTANTIATE_TEST_SUITE_P(
    Statistics, DamagedListTest,
    ::testing::Values(
        Damaged{"odd size", {0x00, 0x80, 0x05, 0x00, 0xFF, 0x7F, 0x01}, {-32768, 5, 32767}},
        Damaged{"a single byte", {0x07}, {-32768, 32767}},
        Damaged{"no sentinels", {0x09, 0x00, 0x03, 0x00}, {-32768, 3, 9, 32767}},
        Damaged{"out of order, repeats, sentinels inside",
                {0xFF, 0x7F, 0x05, 0x00, 0x00, 0x80, 0x05, 0x00, 0x02, 0x00, 0xFF, 0xFF},
                {-32768, -1, 2, 5, 32767}},
        Damaged{"only upper sentinels", {0xFF, 0x7F, 0xFF, 0x7F}, {-32768, 32767}},
        Damaged{"empty", {}, {-32768, 32767}}),
    [](const ::testing::TestParamInfo<Damaged>& info) {
        return "Case" + std::to_string(info.index);
    });

TEST_F(StatisticsTest, AnEmptyStoredListIsReplacedBySentinels) {
    WriteValue(u"Statistics", u"Completed", REG_BINARY, {});
    Statistics statistics;
    statistics.Load();
    EXPECT_EQ(ReadValue(u"Statistics", u"Completed"), (Bytes{0x00, 0x80, 0xFF, 0x7F}));
}

TEST_F(StatisticsTest, AFullListRoundTrips) {
    Statistics statistics;
    for (int game = 32000; game >= 1; --game)
        statistics.AddCompleted(static_cast<std::int16_t>(game));
    statistics.Save();
    Statistics reloaded;
    reloaded.Load();
    EXPECT_EQ(reloaded.Completed(), statistics.Completed());
    EXPECT_EQ(reloaded.Completed().size(), 32002u);
}

}  // namespace
