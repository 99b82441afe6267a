// One step of the handheld runtime's linear congruential generator. Header-only, so the game
// model's numbered deal and the runtime's rand() share it without linking the platform.
#pragma once

#include <cstdint>

namespace crt {

constexpr int kRandMax = 0x7FFF;  // largest value rand() returns

// state = state * 214013 + 2531011; the value drawn is (state >> 16) & 0x7FFF.
constexpr int NextRandom(std::uint32_t& state) {
    state = state * 214013u + 2531011u;
    return static_cast<int>((state >> 16) & static_cast<std::uint32_t>(kRandMax));
}

}  // namespace crt
