#include "tools/cli/ResultRing.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <cstdint>
#include <string>
#include <thread>
#include <vector>

namespace {

// Writers sharing one counter, as the solver's jobs do, with one result far slower than the
// rest: the reader gets every result once, in order, and no writer runs further ahead of it
// than the ring holds.
TEST(ResultRingTest, ResultsComeInIndexOrderAndWritersStayWithinTheRing) {
    constexpr std::size_t kCapacity = 3;
    constexpr std::uint64_t kCount = 20000;
    ResultRing<std::string> ring(kCapacity);
    std::atomic<std::uint64_t> next{0};
    std::atomic<std::uint64_t> read{0};
    std::atomic<bool> ranAhead{false};
    auto write = [&] {
        for (std::uint64_t i; (i = next.fetch_add(1)) < kCount;) {
            if (i == 100) std::this_thread::sleep_for(std::chrono::milliseconds(30));
            ring.Put(i, std::to_string(i * 7));
            // The reader counts a result just after taking it, so it may lag by one.
            if (i >= read.load() + kCapacity + 1) ranAhead = true;
        }
    };
    std::vector<std::thread> writers;
    for (int w = 0; w < 4; ++w) writers.emplace_back(write);
    std::uint64_t wrong = 0;
    for (std::uint64_t i = 0; i < kCount; ++i) {
        wrong += ring.TakeNext() != std::to_string(i * 7);
        read.store(i + 1);
    }
    for (std::thread& t : writers) t.join();
    EXPECT_EQ(wrong, 0u);
    EXPECT_FALSE(ranAhead);
}

}  // namespace
