// One player move as the solver makes it: `count` cards from the top of pile `from` to pile
// `to`. Piles 0-7 are the columns and 8-11 the reserve cells, in their places on the table;
// kToFoundation stands for whichever foundation takes the card.
#pragma once

#include <cstdint>

struct SolverMove {
    static constexpr std::uint8_t kFirstCell = 8;
    static constexpr std::uint8_t kToFoundation = 12;

    std::uint8_t from = 0;
    std::uint8_t to = 0;
    std::uint8_t count = 1;
    // Four bytes copy as one word; three would be stored and loaded piecemeal.
    std::uint8_t unused = 0;

    friend bool operator==(const SolverMove&, const SolverMove&) = default;
};
