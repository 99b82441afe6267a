// What the game does when another process holds the store's write lock longer than the
// busy timeout: a win is saved again until it is stored or the retries are used up, never
// waiting forever, and a record left unsaved is written whole by the next save.
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include "game/settings/Statistics.h"
#include "platform/PlatformConfig.h"
#include "platform/RegistrySupport.h"
#include "tests/game/settings/SettingsStore.h"
#include "tests/support/TempPlatform.h"

using settings_test::Dword;
using settings_test::ReadValue;

namespace {

using Bytes = std::vector<BYTE>;

constexpr int kBusyMs = 100;

// A process that takes the store's write lock, says so on `ready`, and holds the lock until
// `release` is readable or `holdMs` have passed, whichever is first.
class LockHolder {
  public:
    explicit LockHolder(int holdMs) {
        int ready[2];
        if (pipe(ready) != 0 || pipe(release_) != 0) return;
        pid_ = fork();
        if (pid_ == 0) {
            close(ready[0]);
            close(release_[1]);
            platform::RegistryBatch batch;
            const char flag = batch.Ok() ? 'y' : 'n';
            if (write(ready[1], &flag, 1) != 1) _exit(2);
            fd_set fds;
            FD_ZERO(&fds);
            FD_SET(release_[0], &fds);
            timeval wait{holdMs / 1000, (holdMs % 1000) * 1000};
            select(release_[0] + 1, &fds, nullptr, nullptr, &wait);
            _exit(0);  // the batch dies uncommitted: the lock goes with the process
        }
        close(ready[1]);
        close(release_[0]);
        char flag = 0;
        locked_ = read(ready[0], &flag, 1) == 1 && flag == 'y';
        close(ready[0]);
    }
    ~LockHolder() { Release(); }

    bool Locked() const { return locked_; }
    void Release() {
        if (pid_ <= 0) return;
        // Closing the pipe is what wakes the holder.
        close(release_[1]);
        waitpid(pid_, nullptr, 0);
        pid_ = -1;
    }

  private:
    pid_t pid_ = -1;
    int release_[2] = {-1, -1};
    bool locked_ = false;
};

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
