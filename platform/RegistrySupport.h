// Linux-side extras of the registry that no handheld program calls: transactions for tools
// that must change or read many keys at once, and a counter that tests read.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>

namespace platform {

// Runs every registry call made on this thread while it lives in one write transaction of
// the current store: other processes see all of it or nothing, and the store is locked for
// their writes meanwhile. Destroyed without Commit(), everything is rolled back. Other
// threads' registry calls wait until it ends. Keep it short-lived.
class RegistryBatch {
  public:
    RegistryBatch();
    ~RegistryBatch();
    RegistryBatch(const RegistryBatch&) = delete;
    RegistryBatch& operator=(const RegistryBatch&) = delete;

    // False when the store could not be opened or locked; registry calls then fail.
    bool Ok() const;
    enum class CommitResult {
        kDone,
        // Committed, and seen by every reader, but the log could not be forced to disk: a
        // power loss may still take the changes.
        kNotOnDisk,
        // Rolled back: nothing was changed.
        kFailed,
    };
    // Commits and forces the store to disk.
    CommitResult Commit();

  private:
    struct Impl;
    std::unique_ptr<Impl> impl_;
};

// Runs every registry call made on this thread while it lives in one read transaction of the
// current store: all of them see the store as it was when the snapshot began, while other
// processes go on writing. Calls that would write fail. Other threads' registry calls wait
// until it ends. It opens the store like any registry call, creating it when it is missing.
class RegistrySnapshot {
  public:
    RegistrySnapshot();
    ~RegistrySnapshot();
    RegistrySnapshot(const RegistrySnapshot&) = delete;
    RegistrySnapshot& operator=(const RegistrySnapshot&) = delete;

    // False when the store could not be opened or read; registry calls then fail.
    bool Ok() const;

  private:
    struct Impl;
    std::unique_ptr<Impl> impl_;
};

// Number of RegFlushKey calls that succeeded in this process.
std::uint64_t RegistryFlushCount();

// A change (or flush) that succeeded, for tests that check what happened in which order.
struct RegistryEvent {
    enum class Kind { kSetValue, kDeleteValue, kDeleteKey, kFlush };
    Kind kind;
    std::u16string key;    // full path, e.g. u"HKEY_LOCAL_MACHINE\\Software\\Korvel Labs"
    std::u16string value;  // value name for kSetValue and kDeleteValue
};
// Called after each such call on any thread; an empty function removes the observer.
void SetRegistryObserver(std::function<void(const RegistryEvent&)> observer);

}  // namespace platform
