// The set of positions already searched, by key: open addressing with linear probing over
// 64-bit slots. It starts small, so that short searches stay in the cache, and doubles up to
// a memory bound; beyond that it refuses new positions and the search reports "unknown".
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

class PositionTable {
  public:
    enum class Insert { kAdded, kPresent, kFull };

    static constexpr std::size_t kInitialSlots = std::size_t{1} << 14;

    // `maxBytes` bounds the slot array; at least the initial size is always allowed.
    explicit PositionTable(std::size_t maxBytes);

    // Forgets every position and returns to the initial size.
    void Clear();
    Insert Add(std::uint64_t key);
    bool Contains(std::uint64_t key) const;
    // Asks for the key's first slot to be brought into the cache ahead of Add.
    void Prefetch(std::uint64_t key) const { __builtin_prefetch(&slots_[Home(Stored(key))]); }

    // True when adding a new key would double the slot array first.
    bool NextAddGrows() const { return (count_ + 1) * 2 > slots_.size(); }

    std::uint64_t Count() const { return count_; }
    // True once a position has been refused for want of memory.
    bool Full() const { return full_; }
    std::size_t Bytes() const { return slots_.size() * sizeof(std::uint64_t); }
    // The largest the slot array has been since construction.
    std::size_t PeakBytes() const { return peakBytes_; }
    std::size_t MaxBytes() const { return maxBytes_; }

  private:
    // Key 0 marks an empty slot, so it is stored as 1.
    static std::uint64_t Stored(std::uint64_t key) { return key ? key : 1; }
    std::size_t Home(std::uint64_t key) const { return static_cast<std::size_t>(key >> shift_); }
    bool Grow();
    void Resize(std::size_t slots);

    std::vector<std::uint64_t> slots_;
    std::size_t mask_ = 0;
    int shift_ = 64;
    std::uint64_t count_ = 0;
    std::size_t maxBytes_;
    std::size_t peakBytes_ = 0;
    bool full_ = false;
};
