#include "tests/game/solver/ReferenceSearch.h"

#include <algorithm>
#include <unordered_set>

namespace {

using namespace card_code;

bool SafeFor(const ReferenceState& s, CardCode c) {
    if (Level(c) <= 1) return true;
    int below = 0;
    for (int suit = 0; suit < 4; ++suit) {
        // The card of this suit one level lower is on the foundation.
        if (s.foundations[suit] >= Level(c) && CanLieOn(Make(suit, Level(c) - 1), c)) ++below;
    }
    return below >= 2;
}

bool FoundationTakes(const ReferenceState& s, CardCode c) {
    return s.foundations[Suit(c)] == Level(c);
}

void AutoPlay(ReferenceState& s) {
    for (bool again = true; again;) {
        again = false;
        for (auto& column : s.columns) {
            if (!column.empty() && FoundationTakes(s, column.back()) && SafeFor(s, column.back())) {
                ++s.foundations[Suit(column.back())];
                column.pop_back();
                again = true;
            }
        }
        for (CardCode& cell : s.cells) {
            if (cell && FoundationTakes(s, cell) && SafeFor(s, cell)) {
                ++s.foundations[Suit(cell)];
                cell = kNone;
                again = true;
            }
        }
    }
}

}  // namespace

ReferenceState ReferenceState::From(const SolverPosition& p) {
    ReferenceState s;
    for (int c = 0; c < 8; ++c) {
        for (int i = 0; i < p.Length(c); ++i) s.columns[c].push_back(p.At(c, i));
    }
    for (int r = 0; r < 4; ++r) s.cells[r] = p.Cell(r);
    for (int suit = 0; suit < 4; ++suit) s.foundations[suit] = p.Foundation(suit);
    return s;
}

std::string ReferenceState::Canonical() const {
    std::vector<std::string> parts;
    for (const auto& column : columns) parts.emplace_back(column.begin(), column.end());
    std::sort(parts.begin(), parts.end());
    std::string text;
    for (const std::string& part : parts) text += part + '|';
    std::array<CardCode, 4> sortedCells = cells;
    std::sort(sortedCells.begin(), sortedCells.end());
    text.append(sortedCells.begin(), sortedCells.end());
    for (int f : foundations) text += static_cast<char>('a' + f);
    return text;
}

bool ReferenceState::IsWon() const {
    return foundations[0] + foundations[1] + foundations[2] + foundations[3] == 52;
}

std::vector<ReferenceState> ReferenceSearch::Children(const ReferenceState& s) {
    std::vector<ReferenceState> children;
    auto emit = [&children](ReferenceState child) {
        AutoPlay(child);
        children.push_back(std::move(child));
    };
    // Piles 0-7 columns, 8-11 cells; a foundation is named by the card's suit.
    auto top = [&s](int pile) -> CardCode {
        if (pile < 8) return s.columns[pile].empty() ? kNone : s.columns[pile].back();
        return s.cells[pile - 8];
    };
    int emptyPiles = 0;
    for (const auto& column : s.columns) emptyPiles += column.empty();
    for (CardCode cell : s.cells) emptyPiles += cell == kNone;

    for (int src = 0; src < 12; ++src) {
        const CardCode card = top(src);
        if (!card) continue;
        auto without = [&] {
            ReferenceState child = s;
            if (src < 8) {
                child.columns[src].pop_back();
            } else {
                child.cells[src - 8] = kNone;
            }
            return child;
        };
        for (int dst = 0; dst < 12; ++dst) {
            if (dst == src) continue;
            const CardCode target = top(dst);
            if (dst < 8 ? (target && !CanLieOn(card, target)) : target != kNone) continue;
            ReferenceState child = without();
            if (dst < 8) {
                child.columns[dst].push_back(card);
            } else {
                child.cells[dst - 8] = card;
            }
            emit(child);
        }
        if (FoundationTakes(s, card)) {
            ReferenceState child = without();
            ++child.foundations[Suit(card)];
            emit(child);
        }
        if (src >= 8) continue;
        // Runs: every deeper card the player may tap.
        const auto& column = s.columns[src];
        const int count = static_cast<int>(column.size());
        for (int k = count - 2; k >= 0; --k) {
            if (!CanLieOn(column[k + 1], column[k])) break;
            const int above = count - 1 - k;
            for (int dst = 0; dst < 8; ++dst) {
                if (dst == src) continue;
                const bool empty = s.columns[dst].empty();
                const int free = emptyPiles - (empty ? 1 : 0);
                if (above > free) continue;
                if (!empty && !CanLieOn(column[k], s.columns[dst].back())) continue;
                ReferenceState child = s;
                child.columns[dst].insert(child.columns[dst].end(), column.begin() + k,
                                          column.end());
                child.columns[src].resize(static_cast<std::size_t>(k));
                emit(child);
            }
        }
    }
    return children;
}

namespace {

struct Walked {
    bool won = false;
    bool stopped = false;  // more than maxStates positions
    std::size_t seen = 0;
};

// Every position reachable from `start`, depth first; with `untilWin` it ends at the first win.
Walked Walk(const ReferenceState& start, std::size_t maxStates, bool untilWin) {
    std::unordered_set<std::string> seen{start.Canonical()};
    std::vector<ReferenceState> open{start};
    Walked walked;
    while (!open.empty()) {
        const ReferenceState state = std::move(open.back());
        open.pop_back();
        for (ReferenceState& child : ReferenceSearch::Children(state)) {
            if (untilWin && child.IsWon()) {
                walked.won = true;
                return walked;
            }
            if (!seen.insert(child.Canonical()).second) continue;
            if (seen.size() > maxStates) {
                walked.stopped = true;
                return walked;
            }
            open.push_back(std::move(child));
        }
    }
    walked.seen = seen.size();
    return walked;
}

}  // namespace

std::optional<bool> ReferenceSearch::Winnable(const ReferenceState& start, std::size_t maxStates) {
    if (start.IsWon()) return true;
    const Walked walked = Walk(start, maxStates, true);
    if (walked.stopped) return std::nullopt;
    return walked.won;
}

std::optional<std::size_t> ReferenceSearch::Reachable(const ReferenceState& start,
                                                      std::size_t maxStates) {
    const Walked walked = Walk(start, maxStates, false);
    if (walked.stopped) return std::nullopt;
    return walked.seen;
}
