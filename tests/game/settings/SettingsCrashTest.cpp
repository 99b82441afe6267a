// The game's settings writes survive the game being killed at any moment. A child process
// loads the records and then deals, wins (with a growing Completed list) and saves options
// in a loop, reporting each call that returned; it is killed with SIGKILL after a random
// delay, and the store is reopened and checked before the next child carries on from it.
//
// TESSAMO_KILL_ROUNDS sets the number of kills (50 by default).
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <random>
#include <string>
#include <vector>

#include "game/settings/Options.h"
#include "game/settings/Statistics.h"
#include "tests/game/settings/SettingsStore.h"
#include "tests/support/ChildProcess.h"
#include "tests/support/TempPlatform.h"

using settings_test::ReadValue;

namespace fs = std::filesystem;

namespace {

// What the writer tells the parent after a call has returned.
struct Report {
    // 'L' loaded, 'D' dealt (value: Games), 'W' won (value: the game number), 'O' options
    // saved
    char kind;
    std::uint32_t value;
};

void Send(int fd, Report report) {
    // A write of this size to a pipe is atomic: the parent sees whole reports only.
    if (write(fd, &report, sizeof report) != static_cast<ssize_t>(sizeof report)) _exit(3);
}

[[noreturn]] void Writer(int fd) {
    Statistics statistics;
    statistics.Load();
    Options options;
    options.Load();
    Send(fd, {'L', 0});
    // The games are won in the order 1, 2, 3, ..., carrying on from the stored list.
    std::int16_t next = static_cast<std::int16_t>(statistics.Completed().size() - 1);
    for (std::uint32_t step = 0;; ++step) {
        statistics.RecordDeal();
        Send(fd, {'D', statistics.Games()});
        if (step % 2 == 0 && next <= 32000) {
            statistics.RecordWin(next);
            Send(fd, {'W', static_cast<std::uint32_t>(next)});
            ++next;
        }
        if (step % 3 == 0) {
            options.SetDblClickMoves(step & 1);
            options.SetDisplayMessages(step & 2);
            options.SetShowNoDragBox(step & 4);
            options.SetShowStatusBar(step & 8);
            options.SetSoftKeyMenu(step & 16);
            options.Save();
            Send(fd, {'O', step});
        }
    }
}

// The stored statistics, read raw; `whole` is false with `problem` set when any value is not
// one the game writes.
struct Stored {
    bool whole = true;
    std::string problem;
    std::uint32_t games = 0;
    std::uint32_t won = 0;
    std::uint32_t completed = 0;  // games listed: always 1 .. completed
};

std::uint32_t DwordOf(const char16_t* subkey, const char16_t* name, Stored& stored) {
    bool found = false;
    DWORD type = 0;
    const std::vector<BYTE> bytes = ReadValue(subkey, name, &found, &type);
    if (!found || type != REG_DWORD || bytes.size() != 4) {
        stored.whole = false;
        stored.problem +=
            " bad " + std::string(name, name + std::char_traits<char16_t>::length(name));
        return 0;
    }
    return bytes[0] | bytes[1] << 8 | bytes[2] << 16 | static_cast<std::uint32_t>(bytes[3]) << 24;
}

Stored ReadStored() {
    Stored stored;
    for (const char16_t* name : {u"DblClickMoves", u"DisplayMessages", u"ShowNoDragBox",
                                 u"ShowStatusBar", u"OldCommandBar"}) {
        if (DwordOf(u"Options", name, stored) > 1) {
            stored.whole = false;
            stored.problem += " option not 0 or 1";
        }
    }
    stored.games = DwordOf(u"Statistics", u"Games", stored);
    stored.won = DwordOf(u"Statistics", u"Won", stored);
    bool found = false;
    DWORD type = 0;
    const std::vector<BYTE> bytes = ReadValue(u"Statistics", u"Completed", &found, &type);
    if (!found || type != REG_BINARY || bytes.size() < 4 || bytes.size() % 2 != 0) {
        stored.whole = false;
        stored.problem += " bad Completed size";
        return stored;
    }
    const std::size_t count = bytes.size() / 2;
    for (std::size_t i = 0; i < count; ++i) {
        const auto entry = static_cast<std::int16_t>(bytes[2 * i] | bytes[2 * i + 1] << 8);
        const std::int16_t wanted = i == 0           ? Statistics::kLowSentinel
                                    : i == count - 1 ? Statistics::kHighSentinel
                                                     : static_cast<std::int16_t>(i);
        if (entry != wanted) {
            stored.whole = false;
            stored.problem +=
                " Completed entry " + std::to_string(i) + " is " + std::to_string(entry);
            return stored;
        }
    }
    stored.completed = static_cast<std::uint32_t>(count - 2);
    return stored;
}

bool AnySetAside(const fs::path& folder) {
    for (const auto& entry : fs::directory_iterator(folder)) {
        if (entry.path().filename().string().find(".corrupt-") != std::string::npos) return true;
    }
    return false;
}

int Rounds() {
    const char* env = std::getenv("TESSAMO_KILL_ROUNDS");
    const int rounds = env ? std::atoi(env) : 0;
    return rounds > 0 ? rounds : 50;
}

TEST(SettingsCrashTest, KilledAtRandomMomentsTheStoreKeepsEveryCommittedWrite) {
    TempPlatform temp;
    std::mt19937 random(20261208);
    std::uniform_int_distribution<int> delayMicroseconds(0, 50000);
    Stored before;  // an empty store: nothing dealt or won yet
    int reportsSeen = 0;
    const int rounds = Rounds();
    for (int round = 0; round < rounds; ++round) {
        SCOPED_TRACE("kill " + std::to_string(round + 1));
        ChildProcess child([](int out, int) -> int { Writer(out); });
        ASSERT_TRUE(child.Started());
        // Every other kill waits until the records are loaded, so that most kills land among
        // the writes rather than in opening the store.
        std::vector<Report> reports;
        for (Report report{}; round % 2 == 1 && child.Read(&report, sizeof report);) {
            reports.push_back(report);
            if (report.kind == 'L') break;
        }
        usleep(static_cast<useconds_t>(delayMicroseconds(random)));
        child.Kill();
        const int status = child.Wait();
        ASSERT_TRUE(WIFSIGNALED(status)) << "the writer stopped by itself: " << status;

        std::uint32_t lastGames = before.games;
        std::uint32_t lastWin = before.completed;
        std::uint32_t wins = 0;
        for (Report report{}; child.Read(&report, sizeof report);) reports.push_back(report);
        for (const Report& report : reports) {
            if (report.kind != 'L') ++reportsSeen;
            if (report.kind == 'D') lastGames = report.value;
            if (report.kind == 'W') {
                lastWin = report.value;
                ++wins;
            }
        }

        ASSERT_FALSE(AnySetAside(temp.Root())) << "the store was found damaged";
        const Stored after = ReadStored();
        if (before.games == 0 && lastGames == 0 && !after.whole) {
            // Killed before its first save: what Load writes back may be partly there.
            continue;
        }
        ASSERT_TRUE(after.whole) << after.problem;
        // Games never goes backwards, holds every deal that returned, and at most the one
        // deal that was under way.
        EXPECT_GE(after.games, before.games);
        EXPECT_GE(after.games, lastGames);
        EXPECT_LE(after.games, lastGames + 1);
        // No win that returned is lost; at most the one under way is there besides.
        EXPECT_GE(after.completed, lastWin);
        EXPECT_LE(after.completed, lastWin + 1);
        EXPECT_GE(after.won, before.won + wins);
        EXPECT_LE(after.won, before.won + wins + 1);
        if (::testing::Test::HasFailure()) break;
        before = after;
    }
    // The children did real work between the kills.
    EXPECT_GT(before.completed, 0u);
    EXPECT_GT(reportsSeen, rounds);
    Statistics statistics;
    statistics.Load();
    EXPECT_EQ(statistics.Completed().size(), before.completed + 2);
    std::printf("%d kills: %u deals and %u wins stored, %d calls reported\n", rounds, before.games,
                before.completed, reportsSeen);
}

}  // namespace
