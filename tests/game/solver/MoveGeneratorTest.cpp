#include "game/solver/MoveGenerator.h"

#include <gtest/gtest.h>

#include <random>
#include <set>

#include "game/model/Deck.h"
#include "game/model/GameBoard.h"
#include "game/model/QuietOwner.h"
#include "game/solver/TapScript.h"
#include "tests/game/solver/ReferenceSearch.h"

namespace {

using namespace card_code;

// A real board laid out as the position; suit s's foundation is pile 12 + s.
class BoardAt {
  public:
    BoardAt() : owner_({240, 320}), board_(owner_, 1), deck_(board_.Layout().CardSize(), nullptr) {
        owner_.displayMessages = false;
        owner_.showNoDragBox = false;
    }

    GameBoard& Set(const SolverPosition& p) {
        board_.ClearKeepCards();
        auto card = [this](CardCode c) { return deck_.Find(Suit(c), Rank(c)); };
        for (int c = 0; c < 8; ++c) {
            for (int i = 0; i < p.Length(c); ++i) board_.PlaceCard(card(p.At(c, i)), c);
        }
        for (int r = 0; r < 4; ++r) {
            if (p.Cell(r)) board_.PlaceCard(card(p.Cell(r)), 8 + r);
        }
        for (int s = 0; s < 4; ++s) {
            for (int level = 0; level < p.Foundation(s); ++level) {
                board_.PlaceCard(card(Make(s, level)), 12 + s);
            }
        }
        board_.Deselect();
        return board_;
    }

  private:
    QuietOwner owner_;
    GameBoard board_;
    Deck deck_;
};

std::string Canonical(const GameBoard& board) {
    ReferenceState s;
    auto code = [](const Card* c) { return FromModel(c->Suit(), c->Rank()); };
    for (int c = 0; c < 8; ++c) {
        for (int i = 0; i < board.Pile(c).Count(); ++i)
            s.columns[c].push_back(code(board.Pile(c).At(i)));
    }
    for (int r = 0; r < 4; ++r)
        s.cells[r] = board.TopCard(8 + r) ? code(board.TopCard(8 + r)) : kNone;
    for (int f = 12; f < 16; ++f) {
        if (board.TopCard(f)) s.foundations[board.TopCard(f)->Suit()] = board.Pile(f).Count();
    }
    return s.Canonical();
}

// What every pair of taps the player can make on the real board leads to.
std::set<std::string> ByTaps(BoardAt& at, const SolverPosition& p) {
    std::set<std::string> results;
    for (int src = 0; src < 12; ++src) {
        const int count = src < 8 ? p.Length(src) : (p.Cell(src - 8) ? 1 : 0);
        for (int index = 0; index < count; ++index) {
            for (int dst = 0; dst < 16; ++dst) {
                if (dst == src) continue;
                GameBoard& board = at.Set(p);
                const auto taps = TapScript::Taps({{kNone, src, index, dst}}, {240, 320});
                board.OnStylusDown(taps[0].x, taps[0].y);
                if (!board.SelectedCard()) continue;
                board.OnStylusDown(taps[1].x, taps[1].y);
                results.insert(Canonical(board));
            }
        }
    }
    return results;
}

std::set<std::string> ByGenerator(const SolverPosition& p) {
    MoveGenerator::MoveList list;
    MoveGenerator::Generate(p, list);
    std::set<std::string> results;
    for (int i = 0; i < list.count; ++i) {
        SolverPosition child = p;
        child.Play(list.moves[i]);
        results.insert(ReferenceState::From(child).Canonical());
    }
    return results;
}

TEST(MoveGeneratorTest, OffersExactlyWhatTheBoardsTapsReach) {
    BoardAt at;
    std::mt19937 random(11);
    MoveGenerator::MoveList list;
    int compared = 0;
    for (int n = 1; n <= 12; ++n) {
        SolverPosition p = SolverPosition::FromDeal(n);
        for (int step = 0; step < 60; ++step) {
            std::set<std::string> taps = ByTaps(at, p);
            // A tap pair that only swaps piles of a kind leaves the same position.
            taps.erase(ReferenceState::From(p).Canonical());
            ASSERT_EQ(ByGenerator(p), taps) << "deal " << n << " step " << step;
            ++compared;
            MoveGenerator::Generate(p, list);
            if (!list.count) break;
            p.Play(list.moves[random() % static_cast<unsigned>(list.count)]);
        }
    }
    EXPECT_GT(compared, 300);
}

TEST(MoveGeneratorTest, AgreesWithThePlainRulesOnManyPositions) {
    std::mt19937 random(5);
    MoveGenerator::MoveList list;
    for (int n = 100; n < 160; ++n) {
        SolverPosition p = SolverPosition::FromDeal(n);
        for (int step = 0; step < 150; ++step) {
            std::set<std::string> plain;
            for (const ReferenceState& child : ReferenceSearch::Children(ReferenceState::From(p))) {
                plain.insert(child.Canonical());
            }
            plain.erase(ReferenceState::From(p).Canonical());
            ASSERT_EQ(ByGenerator(p), plain) << "deal " << n << " step " << step;
            MoveGenerator::Generate(p, list);
            if (!list.count) break;
            p.Play(list.moves[random() % static_cast<unsigned>(list.count)]);
        }
    }
}

// Column 0 holds a run of `run` cards from the Ten of spades down, on the Four of clubs
// unless `alone`; column 1 ends in a red Jack; columns from 2 on are empty, as many as
// `emptyColumns`, and the rest hold one high card each.
SolverPosition RunPosition(int run, int emptyCells, int emptyColumns, bool alone = false) {
    SolverPosition p;
    for (int s = 0; s < 4; ++s) p.SetFoundation(s, 1);  // the Aces are up
    if (!alone) p.Push(0, Make(0, 3));
    for (int i = 0; i < run; ++i) p.Push(0, Make(i % 2 ? 1 : 2, 9 - i));  // TS 9D 8S 7D ...
    p.Push(1, Make(3, 10));                                               // JH
    int filler = 0;
    const CardCode fillers[] = {Make(0, 12), Make(1, 12), Make(2, 12),
                                Make(3, 12), Make(0, 11), Make(1, 11)};
    for (int c = 2 + emptyColumns; c < 8; ++c) p.Push(c, fillers[filler++]);
    for (int r = emptyCells; r < 4; ++r) p.SetCell(r, Make(3, 8 - r));  // 8H 7H ... as needed
    return p;
}

bool Offers(const SolverPosition& p, SolverMove move) {
    MoveGenerator::MoveList list;
    MoveGenerator::Generate(p, list);
    for (int i = 0; i < list.count; ++i) {
        if (list.moves[i] == move) return true;
    }
    return false;
}

TEST(MoveGeneratorTest, RunLimitIsEmptyCellsPlusEmptyColumnsPlusOne) {
    // 2 empty cells and 1 empty column: a run of 4 onto a card, not 5.
    EXPECT_TRUE(Offers(RunPosition(4, 2, 1), {0, 1, 4}));
    EXPECT_FALSE(Offers(RunPosition(5, 2, 1), {0, 1, 5}));
    // No empty cell and two empty columns: a run of 2 into an empty column, not 3; the
    // destination column does not count.
    EXPECT_TRUE(Offers(RunPosition(3, 0, 2), {0, 2, 2}));
    EXPECT_FALSE(Offers(RunPosition(3, 0, 2), {0, 2, 3}));
    // Into an empty column every run length the player can tap...
    EXPECT_TRUE(Offers(RunPosition(3, 4, 1), {0, 2, 1}));
    EXPECT_TRUE(Offers(RunPosition(3, 4, 1), {0, 2, 2}));
    EXPECT_TRUE(Offers(RunPosition(3, 4, 1), {0, 2, 3}));
    // ...but not a whole column, which only changes the order of the columns.
    EXPECT_TRUE(Offers(RunPosition(3, 4, 1, true), {0, 2, 2}));
    EXPECT_FALSE(Offers(RunPosition(3, 4, 1, true), {0, 2, 3}));
}

TEST(MoveGeneratorTest, KingOnAceButNothingOnATwoAndNoAceOnACard) {
    SolverPosition p;
    p.Push(0, Make(1, 0));                                   // AD
    p.Push(1, Make(0, 12));                                  // KC
    p.Push(2, Make(2, 1));                                   // 2S
    p.Push(3, Make(1, 2));                                   // 3D
    for (int c = 4; c < 8; ++c) p.Push(c, Make(3, 12 - c));  // 9H, 8H ... nothing fits
    for (int r = 0; r < 4; ++r) p.SetCell(r, Make(r, 11));
    EXPECT_TRUE(Offers(p, {1, 0, 1}));                          // KC onto AD
    EXPECT_TRUE(Offers(p, {0, SolverMove::kToFoundation, 1}));  // AD up
    EXPECT_FALSE(Offers(p, {0, 1, 1}));                         // AD onto nothing
    EXPECT_FALSE(Offers(p, {3, 2, 1}));                         // nothing on 2S
    EXPECT_TRUE(Offers(p, {2, 3, 1}));                          // 2S on 3D
}

}  // namespace
