// The fixed pseudo-random generator of the numbered deal: a game number gives the same
// layout on every machine and in every run.
#pragma once

#include <cstdint>

#include "platform/RandomStep.h"

class DealGenerator {
  public:
    // Seeded with the game number's 32-bit two's-complement pattern.
    explicit DealGenerator(std::uint32_t seed) : state_(seed) {}

    // Next value in 0..32767.
    int Next() { return crt::NextRandom(state_); }

  private:
    std::uint32_t state_;
};
