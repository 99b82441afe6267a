#include "game/solver/SolverPosition.h"

#include <gtest/gtest.h>

#include <map>
#include <random>
#include <string>

#include "game/model/Deal.h"
#include "game/model/Deck.h"
#include "game/model/GameBoard.h"
#include "game/model/QuietOwner.h"
#include "game/solver/MoveGenerator.h"
#include "tests/game/solver/ReferenceSearch.h"

namespace {

using namespace card_code;

bool SameLayout(const SolverPosition& a, const SolverPosition& b) {
    for (int c = 0; c < 8; ++c) {
        if (a.Length(c) != b.Length(c)) return false;
        for (int i = 0; i < a.Length(c); ++i) {
            if (a.At(c, i) != b.At(c, i)) return false;
        }
    }
    for (int r = 0; r < 4; ++r) {
        if (a.Cell(r) != b.Cell(r)) return false;
    }
    for (int s = 0; s < 4; ++s) {
        if (a.Foundation(s) != b.Foundation(s)) return false;
    }
    return true;
}

TEST(SolverPositionTest, DealsMatchTheModelsDeal) {
    QuietOwner owner({240, 320});
    GameBoard board(owner, 1);
    Deck deck(board.Layout().CardSize(), nullptr);
    for (std::int32_t n : {-1, 0, 1, 2, 617, 11982, 32000, 32001, INT32_MIN, INT32_MAX}) {
        Deal(deck, board, n);
        EXPECT_TRUE(SameLayout(SolverPosition::FromDeal(n), SolverPosition::FromBoard(board))) << n;
    }
    for (std::int32_t n = 3; n < 500; ++n) {
        Deal(deck, board, n);
        ASSERT_TRUE(SameLayout(SolverPosition::FromDeal(n), SolverPosition::FromBoard(board))) << n;
    }
    const SolverPosition one = SolverPosition::FromDeal(1);
    EXPECT_EQ(std::string(Name(one.At(0, 0))), "JD");
    EXPECT_EQ(std::string(Name(one.At(3, 6))), "6H");
    EXPECT_EQ(one.Length(3), 7);
    EXPECT_EQ(one.Length(4), 6);
}

// Positions along random lines of play from several deals.
std::vector<SolverPosition> Walks(int deals, int steps) {
    std::vector<SolverPosition> positions;
    std::mt19937 random(7);
    MoveGenerator::MoveList list;
    for (int n = 1; n <= deals; ++n) {
        SolverPosition p = SolverPosition::FromDeal(n);
        for (int i = 0; i < steps; ++i) {
            positions.push_back(p);
            MoveGenerator::Generate(p, list);
            if (!list.count) break;
            p.Play(list.moves[random() % static_cast<unsigned>(list.count)]);
        }
    }
    return positions;
}

TEST(SolverPositionTest, KeysIgnoreTheOrderOfColumnsAndCellsAndNothingElse) {
    std::map<std::uint64_t, std::string> canonicalOfKey;
    std::map<std::string, std::uint64_t> keyOfCanonical;
    std::mt19937 random(3);
    for (const SolverPosition& p : Walks(60, 120)) {
        // The same position with its columns and cells shuffled.
        std::array<int, 8> columns{0, 1, 2, 3, 4, 5, 6, 7};
        std::array<int, 4> cells{0, 1, 2, 3};
        std::shuffle(columns.begin(), columns.end(), random);
        std::shuffle(cells.begin(), cells.end(), random);
        SolverPosition q;
        for (int c = 0; c < 8; ++c) {
            for (int i = 0; i < p.Length(columns[c]); ++i) q.Push(c, p.At(columns[c], i));
        }
        for (int r = 0; r < 4; ++r) q.SetCell(r, p.Cell(cells[r]));
        for (int s = 0; s < 4; ++s) q.SetFoundation(s, p.Foundation(s));
        ASSERT_EQ(p.Key(), q.Key());

        const std::string canonical = ReferenceState::From(p).Canonical();
        const auto [k, newKey] = canonicalOfKey.emplace(p.Key(), canonical);
        EXPECT_EQ(k->second, canonical) << "two positions share a key";
        const auto [c, newCanonical] = keyOfCanonical.emplace(canonical, p.Key());
        EXPECT_EQ(c->second, p.Key());
    }
    EXPECT_GT(canonicalOfKey.size(), 1000u);
}

TEST(SolverPositionTest, CountsKeptAlongTheWayMatchARecount) {
    for (const SolverPosition& p : Walks(40, 150)) {
        int outOfSequence = 0;
        int blocking = 0;
        int emptyColumns = 0;
        std::map<CardCode, int> above;
        for (int c = 0; c < 8; ++c) {
            for (int i = 0; i < p.Length(c); ++i) {
                for (int j = 0; j < i; ++j) {
                    if (Level(p.At(c, j)) < Level(p.At(c, i))) {
                        ++blocking;
                        break;
                    }
                }
                above[p.At(c, i)] = p.Length(c) - 1 - i;
                if (i > 0 && !Fits(p.At(c, i), p.At(c, i - 1))) ++outOfSequence;
                ASSERT_EQ(p.ColumnOf(p.At(c, i)), c);
                ASSERT_EQ(p.IndexOf(p.At(c, i)), i);
            }
            emptyColumns += p.Length(c) == 0;
            int run = p.Length(c) ? 1 : 0;
            while (run < p.Length(c) &&
                   Fits(p.At(c, p.Length(c) - run), p.At(c, p.Length(c) - run - 1))) {
                ++run;
            }
            ASSERT_EQ(p.TopRun(c), run) << "column " << c;
        }
        for (int r = 0; r < 4; ++r) {
            if (p.Cell(r)) {
                ASSERT_EQ(p.ColumnOf(p.Cell(r)), -1);
            }
        }
        ASSERT_EQ(p.OutOfSequence(), outOfSequence);
        ASSERT_EQ(p.Blocking(), blocking);
        ASSERT_EQ(p.EmptyColumns(), emptyColumns);
        for (int code = 1; code <= kCards; ++code) {
            const auto it = above.find(static_cast<CardCode>(code));
            ASSERT_EQ(p.CardsAbove(static_cast<CardCode>(code)), it == above.end() ? 0 : it->second)
                << Name(static_cast<CardCode>(code));
        }
    }
}

// Everything a position keeps up to date as cards come and go, as text.
std::string KeptState(const SolverPosition& p) {
    std::string text = std::to_string(p.Key()) + " blocking " + std::to_string(p.Blocking()) +
                       " breaks " + std::to_string(p.OutOfSequence()) + " empty " +
                       std::to_string(p.EmptyColumns()) + " runs";
    for (int c = 0; c < 8; ++c) text += ' ' + std::to_string(p.TopRun(c));
    for (int code = 1; code <= kCards; ++code) {
        const auto card = static_cast<CardCode>(code);
        text += ' ' + std::to_string(p.ColumnOf(card)) + ':' +
                std::to_string(p.ColumnOf(card) < 0 ? 0 : p.IndexOf(card)) + '/' +
                std::to_string(p.CardsAbove(card));
    }
    return text;
}

TEST(SolverPositionTest, UndoTakesBackEveryMoveExactlyAndSettledPlaysAndKeysAgree) {
    int withAutomaticMoves = 0;
    for (const SolverPosition& p : Walks(40, 150)) {
        SolverPosition copy = p;
        // A deal's first layout may still have cards to go up; any later one has none.
        const bool settled = copy.AutoPlay() == 0;
        const std::string before = KeptState(p);
        const SolverPosition::ColumnKeys keys = p.KeysOfColumns();
        MoveGenerator::MoveList list;
        MoveGenerator::Generate(p, list);
        for (int i = 0; i < list.count; ++i) {
            const SolverMove move = list.moves[i];
            SolverPosition played = p;
            played.Play(move);
            SolverPosition q = p;
            SolverPosition::Change change;
            q.Play(move, change, settled);
            ASSERT_TRUE(SameLayout(q, played));
            ASSERT_EQ(KeptState(q), KeptState(played));
            ASSERT_EQ(q.KeyAfter(keys, move, change), played.Key());
            withAutomaticMoves += change.autoCount > 0;
            q.Undo(move, change);
            ASSERT_TRUE(SameLayout(q, p)) << int{move.from} << ' ' << int{move.to};
            ASSERT_EQ(KeptState(q), before);
        }
    }
    // The lines must have taken back automatic moves too, or the test shows little.
    EXPECT_GT(withAutomaticMoves, 100);
}

TEST(SolverPositionTest, KeyChangesWhenCardsSwapPlacesOrDepths) {
    SolverPosition a;
    a.Push(0, Make(0, 5));
    a.Push(0, Make(1, 4));
    a.Push(1, Make(2, 7));
    SolverPosition b;  // the same two cards of column 0 the other way up
    b.Push(0, Make(1, 4));
    b.Push(0, Make(0, 5));
    b.Push(1, Make(2, 7));
    SolverPosition c;  // one card of column 0 in column 1 instead
    c.Push(0, Make(0, 5));
    c.Push(1, Make(2, 7));
    c.Push(1, Make(1, 4));
    SolverPosition d;  // in a cell instead
    d.Push(0, Make(0, 5));
    d.Push(1, Make(2, 7));
    d.SetCell(2, Make(1, 4));
    EXPECT_NE(a.Key(), b.Key());
    EXPECT_NE(a.Key(), c.Key());
    EXPECT_NE(a.Key(), d.Key());
    EXPECT_NE(c.Key(), d.Key());
}

TEST(SolverPositionTest, SafeCardsGoUpByTheRule) {
    SolverPosition p;
    // Clubs and diamonds up to the Two, spades up to the Ace, hearts empty.
    p.SetFoundation(0, 2);
    p.SetFoundation(1, 2);
    p.SetFoundation(2, 1);
    EXPECT_TRUE(p.IsSafe(Make(3, 0)));   // an Ace
    EXPECT_TRUE(p.IsSafe(Make(2, 1)));   // a Two
    EXPECT_FALSE(p.IsSafe(Make(1, 2)));  // 3D needs 2C and 2S; 2S is not up
    p.SetFoundation(2, 2);
    EXPECT_TRUE(p.IsSafe(Make(3, 2)));   // 3H once 2C and 2S are up
    EXPECT_FALSE(p.IsSafe(Make(0, 2)));  // 3C needs 2D and 2H; 2H is not up

    // A Three goes up by itself only when it is safe; the Two under it follows its Ace.
    SolverPosition q;
    q.SetFoundation(0, 1);       // AC
    q.SetFoundation(2, 1);       // AS
    q.Push(0, Make(1, 1));       // 2D
    q.Push(1, Make(1, 0));       // AD
    q.Push(2, Make(0, 1));       // 2C
    q.Push(2, Make(1, 2));       // 3D
    q.SetCell(0, Make(2, 1));    // 2S
    EXPECT_EQ(q.AutoPlay(), 3);  // AD, then 2D, and 2S; 3D (needs 2C and 2S) stays on 2C
    EXPECT_EQ(q.Foundation(1), 2);
    EXPECT_EQ(q.Foundation(2), 2);
    EXPECT_EQ(q.Top(2), Make(1, 2));
}

}  // namespace
