// What the game does when another process holds the store's write lock longer than the
// busy timeout: a win is saved again until it is stored or the retries are used up, never
// waiting forever, and a record left unsaved is written whole by the next save.
#include <gtest/gtest.h>

#include "game/settings/Statistics.h"
#include "platform/PlatformConfig.h"
#include "platform/RegistrySupport.h"
#include "tests/game/settings/SettingsStore.h"
#include "tests/support/LockHolder.h"
#include "tests/support/TempPlatform.h"

using settings_test::Dword;
using settings_test::ReadValue;

namespace {

using Bytes = std::vector<BYTE>;

constexpr int kBusyMs = 100;

class SettingsLockTest : public ::testing::Test {
  protected:
    void SetUp() override {
        platform::SetRegistryBusyTimeout(kBusyMs);
        statistics_.Load();
    }
    void TearDown() override { platform::SetRegistryBusyTimeout(0); }

    TempPlatform temp_;
    Statistics statistics_;
};

TEST_F(SettingsLockTest, AWinIsStoredWhenTheLockIsReleasedDuringTheRetries) {
    // Longer than one busy timeout, well within the retries (each save has three writes).
    LockHolder holder(3 * kBusyMs);
    ASSERT_TRUE(holder.Locked());
    statistics_.RecordWin(7);
    EXPECT_TRUE(statistics_.Saved());
    holder.Release();
    EXPECT_EQ(ReadValue(u"Statistics", u"Completed"), (Bytes{0x00, 0x80, 0x07, 0x00, 0xFF, 0x7F}));
    EXPECT_EQ(ReadValue(u"Statistics", u"Won"), Dword(1));
}

TEST_F(SettingsLockTest, ALockHeldPastEveryRetryDelaysTheWinToTheNextSave) {
    LockHolder holder(60000);  // held until released below
    ASSERT_TRUE(holder.Locked());
    statistics_.RecordWin(9);  // returns: the game does not wait forever
    EXPECT_FALSE(statistics_.Saved());
    EXPECT_EQ(statistics_.Won(), 1u);
    EXPECT_TRUE(statistics_.IsCompleted(9)) << "the record in memory keeps the win";
    EXPECT_EQ(ReadValue(u"Statistics", u"Won"), Dword(0));
    holder.Release();

    statistics_.RecordDeal();
    EXPECT_TRUE(statistics_.Saved());
    EXPECT_EQ(ReadValue(u"Statistics", u"Completed"), (Bytes{0x00, 0x80, 0x09, 0x00, 0xFF, 0x7F}));
    EXPECT_EQ(ReadValue(u"Statistics", u"Won"), Dword(1));
    EXPECT_EQ(ReadValue(u"Statistics", u"Games"), Dword(1));
}

}  // namespace
