// Random deals played with random taps: the invariants of the board hold after every event,
// and Undo always restores the layout from before the last action.
#include <gtest/gtest.h>

#include <map>
#include <random>
#include <set>
#include <sstream>

#include "tests/game/model/BoardFixture.h"

namespace {

class PropertyTest : public BoardTest, public ::testing::WithParamInterface<Size> {
  protected:
    PropertyTest() : BoardTest(GetParam()) {}

    std::string Layout() const {
        std::ostringstream text;
        for (int p = 0; p < GameBoard::kPiles; ++p) {
            text << p << ':';
            for (int i = 0; i < board_.Pile(p).Count(); ++i) {
                const Card* c = board_.Pile(p).At(i);
                text << ' ' << CardName(*c) << '@' << c->X() << ',' << c->Y();
            }
            text << '\n';
        }
        return text.str();
    }

    void CheckInvariants() const {
        std::map<const Card*, int> seen;
        for (int p = 0; p < GameBoard::kPiles; ++p) {
            const CardPile& pile = board_.Pile(p);
            if (GameBoard::IsCell(p)) {
                ASSERT_LE(pile.Count(), 1);
            }
            if (GameBoard::IsFoundation(p)) {
                ASSERT_LE(pile.Count(), 13);
            }
            for (int i = 0; i < pile.Count(); ++i) {
                const Card* c = pile.At(i);
                ++seen[c];
                ASSERT_EQ((Point{c->X(), c->Y()}), board_.CardPosition(p, i)) << CardName(*c);
            }
        }
        ASSERT_EQ(seen.size(), 52u);
        for (const auto& [card, count] : seen) ASSERT_EQ(count, 1) << CardName(*card);
        const std::set<const Card*> listed(board_.CardList().begin(), board_.CardList().end());
        ASSERT_EQ(board_.CardList().size(), 52u);
        ASSERT_EQ(listed.size(), 52u);
        for (const auto& [card, count] : seen) ASSERT_TRUE(listed.count(card));

        int highlighted = 0;
        for (int p = 0; p < 52; ++p) highlighted += deck_.At(p)->IsSelected() ? 1 : 0;
        if (const Card* s = board_.SelectedCard()) {
            const int pile = board_.FindPile(s);
            ASSERT_GE(pile, 0);
            ASSERT_EQ(board_.TopCard(pile), s);
            if (const Card* t = board_.TappedCard()) {
                ASSERT_EQ(board_.FindPile(t), pile);
            }
            ASSERT_EQ(highlighted, 1);
        } else {
            ASSERT_EQ(board_.TappedCard(), nullptr);
            ASSERT_EQ(highlighted, 0);
        }
        ASSERT_EQ(board_.CardsLeft(), 52u - static_cast<unsigned>(board_.CardsOnFoundations()));
    }
};

TEST_P(PropertyTest, RandomTapsKeepTheBoardSoundAndUndoExact) {
    const Size screen = GetParam();
    std::mt19937 random(static_cast<unsigned>(screen.width * 7919 + screen.height));
    int undone = 0, moves = 0;
    for (int game = 0; game < 60; ++game) {
        DealGame(static_cast<std::int32_t>(random() % 32000 + 1));
        ASSERT_NO_FATAL_FAILURE(CheckInvariants());
        std::string beforeLastAction;
        for (int step = 0; step < 300; ++step) {
            const std::string before = Layout();
            const bool historyWasEmpty = !board_.CanUndo();
            const int clears = owner_.historyClears;
            const int kind = static_cast<int>(random() % 10);
            // Aim at piles most of the time, sometimes anywhere on the screen.
            int x, y;
            if (random() % 4 == 0) {
                x = static_cast<int>(random() % static_cast<unsigned>(owner_.ScreenSize().width));
                y = static_cast<int>(random() % static_cast<unsigned>(owner_.ScreenSize().height));
            } else {
                const Point c = CentreOfTop(static_cast<int>(random() % 16));
                x = c.x;
                y = c.y;
            }
            if (kind == 0 && board_.CanUndo()) {
                board_.Undo();
                ASSERT_EQ(Layout(), beforeLastAction);
                ++undone;
            } else if (kind == 1) {
                board_.OnStylusDown(x, y);
                board_.OnDoubleTap(x, y);
                board_.OnStylusUp(x, y);
            } else {
                Tap({x, y});
            }
            // A new action began when the history was empty, or was emptied on the way.
            if ((historyWasEmpty || owner_.historyClears != clears) && board_.CanUndo()) {
                beforeLastAction = before;
                ++moves;
            }
            ASSERT_NO_FATAL_FAILURE(CheckInvariants()) << "game step " << step;
        }
    }
    // The random play must really have exercised moves and undo.
    EXPECT_GT(moves, 200);
    EXPECT_GT(undone, 20);
    RecordProperty("moves", moves);
    RecordProperty("undos", undone);
}

INSTANTIATE_TEST_SUITE_P(Screens, PropertyTest,
                         ::testing::Values(Size{240, 320}, Size{320, 240}, Size{480, 640},
                                           Size{640, 480}));

}  // namespace
