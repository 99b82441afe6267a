#include "game/solver/MoveGenerator.h"

int MoveGenerator::RunLength(const SolverPosition& position, int column) {
    const int length = position.Length(column);
    if (!length) return 0;
    int run = 1;
    while (run < length && card_code::Fits(position.At(column, length - run),
                                           position.At(column, length - run - 1))) {
        ++run;
    }
    return run;
}

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

    // The top cards and their ranks, read once: every column is tried against all others.
    // An empty column gets a rank no run can reach, so it drops out of the test below.
    std::array<CardCode, SolverPosition::kColumns> tops;
    std::array<int, SolverPosition::kColumns> topRanks;
    for (int d = 0; d < SolverPosition::kColumns; ++d) {
        tops[d] = p.Top(d);
        topRanks[d] = tops[d] ? card_code::Rank(tops[d]) : -100;
    }

    for (int c = 0; c < SolverPosition::kColumns; ++c) {
        const int length = p.Length(c);
        if (!length) continue;
        const CardCode top = tops[c];
        if (p.FoundationTakes(top)) list.Add(c, SolverMove::kToFoundation, 1);
        const int run = RunLength(p, c);
        const int longestOntoCard = run < freeOntoCard + 1 ? run : freeOntoCard + 1;
        const int topRank = topRanks[c];
        for (int d = 0; d < SolverPosition::kColumns; ++d) {
            // The run's ranks rise by one from its top card down, so only the card of the
            // rank just below the target's can fit on it: the k-th from the top. For d == c
            // k is 0, for an empty column negative.
            const int k = topRanks[d] - topRank;
            if (k >= 1 && k <= longestOntoCard && card_code::Fits(p.At(c, length - k), tops[d])) {
                list.Add(c, d, k);
            }
        }
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
        for (int d = 0; d < SolverPosition::kColumns; ++d) {
            // Nothing fits on "no card", so empty columns drop out here.
            if (card_code::Fits(card, tops[d])) list.Add(from, d, 1);
        }
        if (firstEmptyColumn >= 0) list.Add(from, firstEmptyColumn, 1);
    }
}
