#include <gtest/gtest.h>

#include <sstream>

#include "game/model/DealGenerator.h"
#include "tests/game/model/BoardFixture.h"

namespace {

std::vector<int> Draw(std::uint32_t seed, int n) {
    DealGenerator g(seed);
    std::vector<int> values;
    for (int i = 0; i < n; ++i) values.push_back(g.Next());
    return values;
}

class DealTest : public BoardTest {
  protected:
    std::string Rows() const {
        std::ostringstream text;
        for (int row = 0; row < 7; ++row) {
            for (int c = 0; c < 8; ++c) {
                if (row < board_.Pile(c).Count()) text << CardName(*board_.Pile(c).At(row)) << ' ';
            }
            text << '\n';
        }
        return text.str();
    }
};

TEST(DealGeneratorTest, KnownSequences) {
    EXPECT_EQ(Draw(1, 5), (std::vector<int>{41, 18467, 6334, 26500, 19169}));
    EXPECT_EQ(Draw(0, 3), (std::vector<int>{38, 7719, 21238}));
}

TEST_F(DealTest, GameOneLaysOutTheKnownRows) {
    DealGame(1);
    EXPECT_EQ(Rows(),
              "JD 2D 9H JC 5D 7H 7C 5H \n"
              "KD KC 9S 5S AD QC KH 3H \n"
              "2S KS 9D QD JS AS AH 3C \n"
              "4C 5C TS QH 4H AC 4D 7S \n"
              "3S TD 4S TH 8H 2C JH 7D \n"
              "6D 8S 8D QS 6C 3D 8C TC \n"
              "6S 9C 2H 6H \n");
}

TEST_F(DealTest, GameThirtyTwoThousandBottomRow) {
    DealGame(32000);
    EXPECT_EQ(Rows().substr(0, Rows().find('\n')), "QD 8D QS 4H 2C JC 2D TH ");
}

TEST_F(DealTest, OrderedDealForMinusOne) {
    DealGame(-1);
    EXPECT_EQ(Rows(),
              "KC KD KS KH QC QD QS QH \n"
              "JC JD JS JH TC TD TS TH \n"
              "9C 9D 9S 9H 8C 8D 8S 8H \n"
              "7C 7D 7S 7H 6C 6D 6S 6H \n"
              "5C 5D 5S 5H 4C 4D 4S 4H \n"
              "3C 3D 3S 3H 2C 2D 2S 2H \n"
              "AC AD AS AH \n");
}

TEST_F(DealTest, RedealingKeepsEveryCardOnceAndPlacesItCorrectly) {
    DealGame(7);
    const std::string first = BoardText();
    DealGame(12345);
    DealGame(7);
    EXPECT_EQ(BoardText(), first);
    EXPECT_EQ(board_.CardList().size(), 52u);
    for (int p = 0; p < 8; ++p) {
        EXPECT_EQ(board_.Pile(p).Count(), p < 4 ? 7 : 6);
        for (int i = 0; i < board_.Pile(p).Count(); ++i) {
            const Card* c = board_.Pile(p).At(i);
            EXPECT_EQ((Point{c->X(), c->Y()}), board_.CardPosition(p, i));
        }
    }
    // Drawing order follows the deal: the last card dealt lies on top.
    EXPECT_EQ(board_.CardList().back(), board_.TopCard(3));
}

TEST_F(DealTest, DeckOrderAndImageNumbers) {
    EXPECT_EQ(CardName(*deck_.At(0)), std::string("AC"));
    EXPECT_EQ(CardName(*deck_.At(2)), std::string("AH"));
    EXPECT_EQ(CardName(*deck_.At(3)), std::string("AS"));
    EXPECT_EQ(CardName(*deck_.At(51)), std::string("KS"));
    EXPECT_EQ(C("AC")->ImageNumber(), 1);
    EXPECT_EQ(C("KC")->ImageNumber(), 13);
    EXPECT_EQ(C("AD")->ImageNumber(), 14);
    EXPECT_EQ(C("AH")->ImageNumber(), 27);
    EXPECT_EQ(C("2H")->ImageNumber(), 28);  // hearts run 27 (Ace) to 39 (King)
    EXPECT_EQ(C("AS")->ImageNumber(), 40);
    EXPECT_EQ(C("KS")->ImageNumber(), 52);
    for (int p = 0; p < 52; ++p)
        EXPECT_EQ(deck_.At(p)->ImageNumber(), (p % 4) * 13 + p / 4 + 1) << p;
}

TEST_F(DealTest, CanLieOnNeedsOppositeColourAndOneRankLower) {
    EXPECT_TRUE(CanLieOn(*C("QS"), *C("KH")));
    EXPECT_TRUE(CanLieOn(*C("KD"), *C("AC")));  // the King lies on the Ace
    EXPECT_FALSE(CanLieOn(*C("AH"), *C("2S")));
    EXPECT_FALSE(CanLieOn(*C("QC"), *C("KS")));
    EXPECT_FALSE(CanLieOn(*C("8H"), *C("8S")));
    EXPECT_FALSE(CanLieOn(*C("9S"), *C("8H")));
}

}  // namespace
