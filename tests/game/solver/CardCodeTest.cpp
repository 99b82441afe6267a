#include "game/solver/CardCode.h"

#include <gtest/gtest.h>

#include <string>

#include "game/model/Card.h"

namespace {

TEST(CardCodeTest, AgreesWithTheModelsCardsOnNameRankSuitAndSequence) {
    for (int suit = 0; suit < 4; ++suit) {
        for (int rank = 0; rank < 13; ++rank) {
            const Card a(suit, rank, {29, 41});
            const CardCode ca = card_code::FromModel(suit, rank);
            EXPECT_EQ(card_code::Suit(ca), suit);
            EXPECT_EQ(card_code::Rank(ca), rank);
            EXPECT_EQ(std::string(card_code::Name(ca)), CardName(a));
            for (int suit2 = 0; suit2 < 4; ++suit2) {
                for (int rank2 = 0; rank2 < 13; ++rank2) {
                    const Card b(suit2, rank2, {29, 41});
                    const CardCode cb = card_code::FromModel(suit2, rank2);
                    EXPECT_EQ(card_code::Fits(ca, cb), CanLieOn(a, b))
                        << CardName(a) << " on " << CardName(b);
                }
            }
        }
    }
}

TEST(CardCodeTest, CodesCoverOneToFiftyTwoInFoundationOrder) {
    EXPECT_EQ(card_code::Make(0, 0), 1);
    EXPECT_EQ(card_code::Make(3, 12), 52);
    EXPECT_EQ(card_code::Level(card_code::FromModel(1, kAce)), 0);
    EXPECT_EQ(card_code::Level(card_code::FromModel(1, kTwo)), 1);
    EXPECT_EQ(card_code::Level(card_code::FromModel(1, kKing)), 12);
    EXPECT_FALSE(card_code::Fits(card_code::kNone, card_code::Make(0, 5)));
    EXPECT_FALSE(card_code::Fits(card_code::Make(1, 4), card_code::kNone));
}

}  // namespace
