// Games dealt and won, and the numbers of the games won, kept in the "Statistics" subkey of
// the settings root: "Games" and "Won" as REG_DWORD, "Completed" as REG_BINARY holding the
// completed list's entries as little-endian signed 16-bit numbers.
#pragma once

#include <cstdint>
#include <vector>

#include "platform/Types.h"

class Statistics {
  public:
    // The completed list always starts with kLowSentinel and ends with kHighSentinel; the
    // game numbers between them are ascending and without repeats.
    static constexpr std::int16_t kLowSentinel = -32768;
    static constexpr std::int16_t kHighSentinel = 32767;

    Statistics();
    virtual ~Statistics() = default;

    // Reads the stored record, storing zeros and an empty list for what is missing. A stored
    // list that is damaged (odd size, sentinels missing or misplaced, out of order,
    // repeats) is repaired in memory: whole entries only, sorted, repeats and stray sentinel
    // values dropped, the sentinels put at the ends. Always true.
    bool Load();
    // Writes the whole record; failed writes are ignored. True when the list holds entries.
    bool Save();
    // Whether every write of the last Save succeeded. After a failed one the record in memory
    // is ahead of the store until a later Save writes it whole again.
    bool Saved() const { return saved_; }

    // A game was dealt: Games + 1, then Save.
    void RecordDeal();
    // A game was won: Won + 1, the number added to the completed list, then Save. A save that
    // fails (another process holding the store locked past its busy timeout) is tried again
    // up to kWinSaveRetries times, so that a win is not lost to a short lock; each try waits
    // at most the busy timeout, so the game never waits forever.
    void RecordWin(std::int16_t number);
    static constexpr int kWinSaveRetries = 2;
    // Inserts `number` in order unless it is already listed. The sentinel values themselves
    // are never added.
    void AddCompleted(std::int16_t number);
    // Whether `number` is listed between the sentinels.
    bool IsCompleted(std::int16_t number) const;
    // Empties the list down to its two sentinels.
    void ResetCompleted();

    DWORD Games() const { return games_; }
    void SetGames(DWORD games) { games_ = games; }
    DWORD Won() const { return won_; }
    void SetWon(DWORD won) { won_ = won; }
    // The completed list, sentinels included.
    const std::vector<std::int16_t>& Completed() const { return completed_; }

  private:
    void SetCompletedFromBytes(const std::vector<BYTE>& bytes);

    DWORD games_ = 0;
    DWORD won_ = 0;
    bool saved_ = true;
    std::vector<std::int16_t> completed_;
};

// The program's one Statistics record, created on first use.
Statistics& TheStatistics();
