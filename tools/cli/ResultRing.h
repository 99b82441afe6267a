// Results made by several threads, each for an index taken in increasing order, handed to
// one reader in index order. Result i waits in slot i % capacity, so the memory is that of
// the ring however many results pass; a writer whose slot is still taken waits for the reader.
//
// Indices must be handed out to the writers in increasing order (one counter), and each
// written exactly once: then the writer of the result the reader waits for always has room,
// and nobody waits forever.
#pragma once

#include <atomic>
#include <cstddef>
#include <cstdint>
#include <utility>
#include <vector>

template <typename T>
class ResultRing {
  public:
    explicit ResultRing(std::size_t capacity) : slots_(capacity) {}

    // Stores result `index`, first waiting until the reader has taken the result `capacity`
    // places before it.
    void Put(std::uint64_t index, T value) {
        for (std::uint64_t taken = taken_.load(); index >= taken + slots_.size();
             taken = taken_.load()) {
            taken_.wait(taken);
        }
        Slot& slot = slots_[index % slots_.size()];
        slot.value = std::move(value);
        slot.full.store(true, std::memory_order_release);
        slot.full.notify_one();
    }

    // The next result in index order, waiting until it is there.
    T TakeNext() {
        const std::uint64_t index = taken_.load();
        Slot& slot = slots_[index % slots_.size()];
        slot.full.wait(false, std::memory_order_acquire);
        T value = std::move(slot.value);
        slot.full.store(false, std::memory_order_relaxed);
        taken_.store(index + 1);
        taken_.notify_all();
        return value;
    }

  private:
    struct Slot {
        T value{};
        std::atomic<bool> full{false};
    };
    std::vector<Slot> slots_;
    std::atomic<std::uint64_t> taken_{0};
};
