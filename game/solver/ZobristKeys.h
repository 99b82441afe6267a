// The random numbers behind the position keys: one per card and depth in a column, and one
// per card in a reserve cell. They are fixed at compile time, so keys are the same in
// every run.
#pragma once

#include <array>
#include <cstdint>

#include "game/solver/CardCode.h"

namespace zobrist_detail {

constexpr int kDepths = 20;

struct Tables {
    std::array<std::array<std::uint64_t, kDepths>, card_code::kCards + 1> column{};
    std::array<std::uint64_t, card_code::kCards + 1> cell{};
    constexpr Tables() {
        std::uint64_t state = 0x6b6f7276656c7473ULL;
        auto next = [&state] {
            std::uint64_t z = (state += 0x9e3779b97f4a7c15ULL);
            z = (z ^ (z >> 30)) * 0xbf58476d1ce4e5b9ULL;
            z = (z ^ (z >> 27)) * 0x94d049bb133111ebULL;
            return z ^ (z >> 31);
        };
        // Card code 0 (no card) keeps zero everywhere.
        for (int c = 1; c <= card_code::kCards; ++c) {
            for (int d = 0; d < kDepths; ++d) column[c][d] = next();
            cell[c] = next();
        }
    }
};

inline constexpr Tables kTables{};

}  // namespace zobrist_detail

class ZobristKeys {
  public:
    static constexpr int kDepths = zobrist_detail::kDepths;

    static std::uint64_t InColumn(CardCode card, int depth) {
        return zobrist_detail::kTables.column[card][depth];
    }
    static std::uint64_t InCell(CardCode card) { return zobrist_detail::kTables.cell[card]; }
    // Spreads one column's hash over all 64 bits, so that the sum over the columns does not
    // let two different sets of columns meet by simple arithmetic.
    static std::uint64_t Mix(std::uint64_t h) {
        h ^= h >> 33;
        h *= 0xff51afd7ed558ccdULL;
        h ^= h >> 33;
        h *= 0xc4ceb9fe1a85ec53ULL;
        h ^= h >> 33;
        return h;
    }
};
