#include "game/solver/MoveGenerator.h"

#include <bit>
#include <utility>

namespace {

// Per card: the two cards it may lie on in a column (none for an Ace), and the two that may
// lie on it (none for a Two); kNone in the places left.
struct Neighbours {
    std::array<std::array<CardCode, 2>, card_code::kCards + 1> supports{};
    std::array<std::array<CardCode, 2>, card_code::kCards + 1> liers{};
    constexpr Neighbours() {
        for (int a = 1; a <= card_code::kCards; ++a) {
            int below = 0;
            int above = 0;
            for (int b = 1; b <= card_code::kCards; ++b) {
                const auto x = static_cast<CardCode>(a);
                const auto y = static_cast<CardCode>(b);
                if (card_code::CanLieOn(x, y)) supports[a][below++] = y;
                if (card_code::CanLieOn(y, x)) liers[a][above++] = y;
            }
        }
    }
};
constexpr Neighbours kNeighbours{};

}  // namespace

void MoveGenerator::Generate(const SolverPosition& p, MoveList& list) {
    list.count = 0;
    int firstEmptyCell = -1;
    int emptyCells = 0;
    for (int r = SolverPosition::kCells - 1; r >= 0; --r) {
        if (!p.Cell(r)) {
            firstEmptyCell = r;
            ++emptyCells;
        }
    }
    int firstEmptyColumn = -1;
    int emptyColumns = 0;
    for (int c = SolverPosition::kColumns - 1; c >= 0; --c) {
        if (!p.Length(c)) {
            firstEmptyColumn = c;
            ++emptyColumns;
        }
    }
    // The run limit counts the empty columns and cells other than the destination.
    const int freeOntoCard = emptyCells + emptyColumns;
    const int freeIntoEmpty = freeOntoCard - 1;

    // Moves between columns, found from the destinations: onto a top card only the two
    // cards of the other colour one rank lower fit, so their places tell which column's run
    // reaches it. Bit d of ontoColumns[c]: column c's run goes onto column d.
    std::array<CardCode, SolverPosition::kColumns> tops;
    std::array<std::uint8_t, SolverPosition::kColumns> ontoColumns{};
    for (int d = 0; d < SolverPosition::kColumns; ++d) tops[d] = p.Top(d);
    for (int d = 0; d < SolverPosition::kColumns; ++d) {
        // Without branches: which columns hold the cards is as good as random.
        for (CardCode card : kNeighbours.liers[tops[d]]) {
            const int c = p.ColumnOf(card);
            const int column = c < 0 ? 0 : c;
            const int k = p.Length(column) - p.IndexOf(card);
            const bool fits =
                (c >= 0) & (c != d) & (k <= p.TopRun(column)) & (k <= freeOntoCard + 1);
            ontoColumns[column] |= static_cast<std::uint8_t>(fits << d);
        }
    }

    for (int c = 0; c < SolverPosition::kColumns; ++c) {
        const int length = p.Length(c);
        if (!length) continue;
        const CardCode top = tops[c];
        if (p.FoundationTakes(top)) list.Add(c, SolverMove::kToFoundation, 1);
        for (unsigned mask = ontoColumns[c]; mask; mask &= mask - 1) {
            const int d = std::countr_zero(mask);
            list.Add(c, d, card_code::Rank(tops[d]) - card_code::Rank(top));
        }
        const int run = p.TopRun(c);
        if (firstEmptyColumn >= 0) {
            int longest = run < freeIntoEmpty + 1 ? run : freeIntoEmpty + 1;
            // The whole column into an empty one changes nothing but the order of columns.
            if (longest == length) --longest;
            for (int k = 1; k <= longest; ++k) list.Add(c, firstEmptyColumn, k);
        }
        if (firstEmptyCell >= 0) list.Add(c, SolverMove::kFirstCell + firstEmptyCell, 1);
    }

    for (int r = 0; r < SolverPosition::kCells; ++r) {
        const CardCode card = p.Cell(r);
        if (!card) continue;
        const int from = SolverMove::kFirstCell + r;
        if (p.FoundationTakes(card)) list.Add(from, SolverMove::kToFoundation, 1);
        // Only the two cards it may lie on can take it, where they are a column's top; the
        // moves go in the order of the columns.
        int onto[2];
        int n = 0;
        for (CardCode support : kNeighbours.supports[card]) {
            const int d = support ? p.ColumnOf(support) : -1;
            if (d >= 0 && tops[d] == support) onto[n++] = d;
        }
        if (n == 2 && onto[1] < onto[0]) std::swap(onto[0], onto[1]);
        for (int i = 0; i < n; ++i) list.Add(from, onto[i], 1);
        if (firstEmptyColumn >= 0) list.Add(from, firstEmptyColumn, 1);
    }
}
