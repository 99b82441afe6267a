#include "game/solver/SolutionLine.h"

#include <array>

namespace {

// The sixteen piles, numbered as on the board, with the board's rules.
class Piles {
  public:
    explicit Piles(const SolverPosition& start) {
        for (int c = 0; c < SolverPosition::kColumns; ++c) {
            for (int i = 0; i < start.Length(c); ++i) piles_[c].push_back(start.At(c, i));
        }
        for (int r = 0; r < SolverPosition::kCells; ++r) {
            if (start.Cell(r)) piles_[8 + r].push_back(start.Cell(r));
        }
    }

    const std::vector<CardCode>& operator[](int pile) const { return piles_[pile]; }

    bool CanMoveTop(int src, int dst) const {
        if (piles_[src].empty()) return false;
        const CardCode card = piles_[src].back();
        const CardCode target = piles_[dst].empty() ? card_code::kNone : piles_[dst].back();
        if (dst < 8) return !target || card_code::CanLieOn(card, target);
        if (dst < 12) return !target;
        if (!target) return card_code::Level(card) == 0;
        return card_code::Suit(card) == card_code::Suit(target) &&
               card_code::Level(card) == card_code::Level(target) + 1;
    }

    bool CanMoveRun(int src, int dst, int k) const {
        const std::vector<CardCode>& s = piles_[src];
        const int count = static_cast<int>(s.size());
        if (src >= 8 || dst >= 8 || k < 0 || k >= count - 1) return false;
        for (int i = count - 1; i > k; --i) {
            if (!card_code::CanLieOn(s[i], s[i - 1])) return false;
        }
        int free = 0;
        for (int p = 0; p < 12; ++p) free += p != dst && piles_[p].empty();
        if (count - 1 - k > free) return false;
        return piles_[dst].empty() || card_code::CanLieOn(s[k], piles_[dst].back());
    }

    void Move(int src, int dst, int index) {
        const CardCode card = piles_[src][index];
        piles_[src].erase(piles_[src].begin() + index);
        piles_[dst].push_back(card);
    }

    // Both cards that may lie on it in a column are on the foundations: each suit of the
    // other colour has at least the card's level of cards up. `next` holds each suit's count.
    static bool IsSafe(CardCode c, const std::array<int, 4>& next) {
        const int level = card_code::Level(c);
        if (level <= 1) return true;
        int below = 0;
        for (int suit = 0; suit < 4; ++suit) {
            below += card_code::Colour(card_code::Make(suit, 0)) != card_code::Colour(c) &&
                     next[suit] >= level;
        }
        return below >= 2;
    }

    // The board's automatic moves: lowest pile first, lowest foundation first, from the
    // start again after each. Only the next card of a suit can go up, to its suit's
    // foundation, or an Ace to the lowest empty one, so those are found first and the rule
    // of safe cards is asked of them alone, from the same count of each suit's cards.
    void AutoPlay() {
        for (bool again = true; again;) {
            again = false;
            std::array<int, 4> next{};
            std::array<int, 4> home = {-1, -1, -1, -1};
            for (int f = 12; f < 16; ++f) {
                if (piles_[f].empty()) continue;
                const int suit = card_code::Suit(piles_[f][0]);
                next[suit] = static_cast<int>(piles_[f].size());
                home[suit] = f;
            }
            for (int p = 0; p < 12 && !again; ++p) {
                if (piles_[p].empty()) continue;
                const CardCode card = piles_[p].back();
                const int suit = card_code::Suit(card);
                if (card_code::Level(card) != next[suit] || !IsSafe(card, next)) continue;
                int f = home[suit];
                if (f < 0) {
                    f = 12;
                    while (!piles_[f].empty()) ++f;
                }
                Move(p, f, static_cast<int>(piles_[p].size()) - 1);
                again = true;
            }
        }
    }

    bool IsWon() const {
        for (int f = 12; f < 16; ++f) {
            if (piles_[f].size() != 13) return false;
        }
        return true;
    }

  private:
    std::array<std::vector<CardCode>, 16> piles_;
};

}  // namespace

std::optional<std::vector<PlayerMove>> SolutionLine::Build(const SolverPosition& start,
                                                           const std::vector<SolverMove>& moves) {
    if (start.OnFoundations() != 0) return std::nullopt;
    Piles piles(start);
    std::vector<PlayerMove> line;
    line.reserve(moves.size());
    for (const SolverMove& m : moves) {
        const int src = m.from;
        const int size = static_cast<int>(piles[src].size());
        if (src >= 12 || m.count < 1 || m.count > size) return std::nullopt;
        int dst = m.to;
        if (dst == SolverMove::kToFoundation) {
            dst = -1;
            for (int f = 12; f < 16 && dst < 0; ++f) {
                if (piles.CanMoveTop(src, f)) dst = f;
            }
            if (dst < 0) return std::nullopt;
        }
        if (dst == src || dst >= 16) return std::nullopt;
        const int index = size - m.count;
        if (m.count == 1 ? !piles.CanMoveTop(src, dst) : !piles.CanMoveRun(src, dst, index)) {
            return std::nullopt;
        }
        line.push_back({piles[src][index], src, index, dst});
        while (static_cast<int>(piles[src].size()) > index) piles.Move(src, dst, index);
        piles.AutoPlay();
    }
    if (!piles.IsWon()) return std::nullopt;
    return line;
}
