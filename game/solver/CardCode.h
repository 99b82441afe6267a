// Cards as one byte each, for the solver's compact positions. Code 0 is "no card"; card
// codes 1..52 are 1 + level * 4 + suit, where the level is the card's place on its
// foundation (0 Ace, 1 Two, ..., 12 King) and the suit is the model's suit code.
#pragma once

#include <array>
#include <cstdint>

using CardCode = std::uint8_t;

namespace card_code {

constexpr CardCode kNone = 0;
constexpr int kCards = 52;
constexpr int kLevels = 13;

constexpr CardCode Make(int suit, int level) {
    return static_cast<CardCode>(1 + level * 4 + suit);
}
constexpr int Suit(CardCode c) {
    return (c - 1) & 3;
}
constexpr int Level(CardCode c) {
    return (c - 1) >> 2;
}
// The model's rank code: 0 = Two ... 11 = King, 12 = Ace.
constexpr int Rank(CardCode c) {
    return (Level(c) + 12) % 13;
}
constexpr CardCode FromModel(int suit, int rank) {
    return Make(suit, (rank + 1) % 13);
}
// Suits 0 and 2 are black, 1 and 3 red.
constexpr int Colour(CardCode c) {
    return Suit(c) & 1;
}

// May a lie on b in a column: opposite colour and one rank code lower. A King lies on an
// Ace; nothing lies on a Two, and an Ace lies on nothing.
constexpr bool CanLieOn(CardCode a, CardCode b) {
    return a != kNone && b != kNone && Colour(a) != Colour(b) && Rank(a) == Rank(b) - 1;
}

// The same test as a lookup table, for the search's inner loops.
struct LieOnTable {
    std::array<std::array<bool, kCards + 1>, kCards + 1> fits{};
    constexpr LieOnTable() {
        for (int a = 0; a <= kCards; ++a) {
            for (int b = 0; b <= kCards; ++b) {
                fits[a][b] = CanLieOn(static_cast<CardCode>(a), static_cast<CardCode>(b));
            }
        }
    }
};
inline constexpr LieOnTable kLieOn{};

inline bool Fits(CardCode a, CardCode b) {
    return kLieOn.fits[a][b];
}

// Two characters, as the deal printout writes cards: "7C", "TD", "AS".
const char* Name(CardCode c);

}  // namespace card_code
