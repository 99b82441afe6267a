#include "game/solver/PositionTable.h"

#include <algorithm>
#include <bit>

PositionTable::PositionTable(std::size_t maxBytes)
    : maxBytes_(std::max(maxBytes, kInitialSlots * sizeof(std::uint64_t))) {
    Resize(kInitialSlots);
}

void PositionTable::Resize(std::size_t slots) {
    slots_.assign(slots, 0);
    mask_ = slots - 1;
    shift_ = 64 - std::countr_zero(slots);
    count_ = 0;
    peakBytes_ = std::max(peakBytes_, Bytes());
}

void PositionTable::Clear() {
    full_ = false;
    if (slots_.size() == kInitialSlots) {
        std::fill(slots_.begin(), slots_.end(), 0);
        count_ = 0;
    } else {
        // Let a large table go, so that only hard deals hold much memory.
        std::vector<std::uint64_t>().swap(slots_);
        Resize(kInitialSlots);
    }
}

bool PositionTable::Grow() {
    const std::size_t slots = slots_.size() * 2;
    if (slots * sizeof(std::uint64_t) > maxBytes_) return false;
    std::vector<std::uint64_t> old;
    old.swap(slots_);
    Resize(slots);
    for (std::uint64_t key : old) {
        if (!key) continue;
        std::size_t i = Home(key);
        while (slots_[i]) i = (i + 1) & mask_;
        slots_[i] = key;
        ++count_;
    }
    return true;
}

PositionTable::Insert PositionTable::Add(std::uint64_t key) {
    key = Stored(key);
    std::size_t i = Home(key);
    while (std::uint64_t slot = slots_[i]) {
        if (slot == key) return Insert::kPresent;
        i = (i + 1) & mask_;
    }
    // At most half full keeps the probe runs short.
    if ((count_ + 1) * 2 > slots_.size()) {
        if (!Grow()) {
            full_ = true;
            return Insert::kFull;
        }
        i = Home(key);
        while (slots_[i]) i = (i + 1) & mask_;
    }
    slots_[i] = key;
    ++count_;
    return Insert::kAdded;
}

bool PositionTable::Contains(std::uint64_t key) const {
    key = Stored(key);
    for (std::size_t i = Home(key); slots_[i]; i = (i + 1) & mask_) {
        if (slots_[i] == key) return true;
    }
    return false;
}
