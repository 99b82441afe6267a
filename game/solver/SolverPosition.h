// A position of the game in a few hundred bytes, for the solver: the eight columns as card
// codes, the four reserve cells, and how many cards lie on the foundation of each suit.
// Columns and cells stay in their places on the table, so that moves can be named by pile
// number; Key() ignores their order, so positions that differ only in the order of the
// columns or of the cells share one key.
#pragma once

#include <algorithm>
#include <array>
#include <cassert>
#include <cstdint>

#include "game/solver/CardCode.h"
#include "game/solver/SolverMove.h"
#include "game/solver/ZobristKeys.h"

class GameBoard;

class SolverPosition {
  public:
    static constexpr int kColumns = 8;
    static constexpr int kCells = 4;
    // Seven dealt cards under a run from King down to Two on an Ace.
    static constexpr int kMaxColumn = 19;

    // Game n as the numbered deal (or the ordered deal for -1) lays it out.
    static SolverPosition FromDeal(std::int32_t gameNumber);
    // The layout on a board; foundations count their cards, whichever pile holds them.
    static SolverPosition FromBoard(const GameBoard& board);

    int Length(int column) const { return length_[column]; }
    CardCode At(int column, int index) const { return columns_[column][index]; }
    // The column's cards from the bottom, in kMaxColumn + 1 places; those past its length
    // are left from earlier cards.
    const CardCode* Column(int column) const { return columns_[column].data(); }
    CardCode Top(int column) const {
        return length_[column] ? columns_[column][length_[column] - 1] : card_code::kNone;
    }
    CardCode Cell(int cell) const { return cells_[cell]; }
    // Cards on the foundation of this suit: the next card it takes has this level.
    int Foundation(int suit) const { return foundations_[suit]; }
    int OnFoundations() const {
        return foundations_[0] + foundations_[1] + foundations_[2] + foundations_[3];
    }
    bool IsWon() const { return OnFoundations() == card_code::kCards; }

    // Would the foundation of the card's suit take it now.
    bool FoundationTakes(CardCode c) const {
        return foundations_[card_code::Suit(c)] == card_code::Level(c);
    }
    // The rule for automatic moves: Aces and Twos always; any other card once both cards
    // of the other colour one rank lower lie on the foundations.
    bool IsSafe(CardCode c) const {
        const int level = card_code::Level(c);
        if (level <= 1) return true;
        const int other = card_code::Colour(c) ^ 1;  // suits `other` and `other` + 2
        return foundations_[other] >= level && foundations_[other + 2] >= level;
    }

    // How many cards at the top of the column form a run that may move together: each lies
    // on the one below it. 0 for an empty column.
    int TopRun(int column) const { return runs_[column]; }
    // The column that holds the card and its place there from the bottom; -1 for a card
    // that is not in a column.
    int ColumnOf(CardCode c) const { return place_[c] == kNowhere ? -1 : place_[c] >> 5; }
    int IndexOf(CardCode c) const { return place_[c] & 31; }

    // Cards lying on this card in its column; 0 when it is not in a column.
    int CardsAbove(CardCode c) const {
        const int place = place_[c];
        return place == kNowhere ? 0 : length_[place >> 5] - 1 - (place & 31);
    }
    // Cards in the columns that do not lie on the card below them in sequence.
    int OutOfSequence() const { return outOfSequence_; }
    int EmptyColumns() const { return emptyColumns_; }

    // Cards in the columns that lie over a card of a lower level somewhere under them: each
    // must move before that card can go up.
    int Blocking() const { return blocking_; }

    // The player's move followed by every automatic move to the foundations. The move must
    // be one the move generator offers.
    void Play(SolverMove move);

    // What a Play changed beyond the move itself, for Undo: the card the player moved (the
    // deepest of a run) and, in order, each card that went up by itself and where from.
    struct Change {
        CardCode moved = card_code::kNone;
        std::uint8_t autoCount = 0;
        // suit << 4 | pile, pile 0-7 a column and 8-11 a cell.
        std::array<std::uint8_t, card_code::kCards> autos;
    };
    // Play, noting in `change` what Undo needs. `settled`: no card could go up by itself
    // before the move, as after any Play; then only a card the move uncovers can start the
    // automatic moves, and the others are not looked for.
    void Play(SolverMove move, Change& change, bool settled = false);
    // Takes back Play(move, change): the position is again exactly as before it.
    void Undo(SolverMove move, const Change& change);
    // Makes every safe move to the foundations; returns how many cards went.
    int AutoPlay();

    // Equal for positions that differ only in the order of columns or of reserve cells.
    std::uint64_t Key() const;

    // This position's key by columns, so that the keys of the positions one move away can
    // be made by mixing again only the columns that move touched.
    struct ColumnKeys {
        std::array<std::uint64_t, kColumns> mixed;
        std::uint64_t sum;
    };
    ColumnKeys KeysOfColumns() const;
    // Key() of this position, reached from the one of `before` by Play(move, change).
    std::uint64_t KeyAfter(const ColumnKeys& before, SolverMove move, const Change& change) const;

    // For building positions by hand (tests, constructed puzzles).
    void Clear();
    void Push(int column, CardCode card);
    void SetCell(int cell, CardCode card);
    void SetFoundation(int suit, int cards) {
        foundations_[suit] = static_cast<std::uint8_t>(cards);
    }

  private:
    CardCode Pop(int column);
    // Counts the column's top run again once the whole run on top of it has left.
    void TopRunLeft(int column);
    void MoveRun(int from, int to, int count);
    int AutoPlay(Change* change);

    std::array<std::array<CardCode, kMaxColumn + 1>, kColumns> columns_{};
    std::array<std::uint8_t, kColumns> length_{};
    std::array<CardCode, kCells> cells_{};
    std::array<std::uint8_t, 4> foundations_{};
    static constexpr std::uint8_t kNowhere = 0xFF;
    // Per column: the xor of the card-and-depth numbers of its cards.
    std::array<std::uint64_t, kColumns> columnHash_{};
    // Per card: column * 32 + index while it lies in a column.
    std::array<std::uint8_t, card_code::kCards + 1> place_ = Nowhere();
    // How many cards in the columns do not lie on the card below them in sequence.
    std::uint8_t outOfSequence_ = 0;
    std::uint8_t emptyColumns_ = kColumns;
    // Per column: the length of the run at its top.
    std::array<std::uint8_t, kColumns> runs_{};
    // Per card while it lies in a column: the lowest level under it (kLevels when none).
    std::array<std::uint8_t, card_code::kCards + 1> lowestBelow_{};
    std::uint8_t blocking_ = 0;

    static constexpr std::array<std::uint8_t, card_code::kCards + 1> Nowhere() {
        std::array<std::uint8_t, card_code::kCards + 1> places{};
        for (auto& p : places) p = kNowhere;
        return places;
    }
};

// In the header: the search pushes and pops cards in its innermost loops.
inline void SolverPosition::Push(int column, CardCode card) {
    assert(column >= 0 && column < kColumns && length_[column] <= kMaxColumn);
    assert(card != card_code::kNone && card <= card_code::kCards && place_[card] == kNowhere);
    const int depth = length_[column]++;
    columns_[column][depth] = card;
    columnHash_[column] ^= ZobristKeys::InColumn(card, depth);
    place_[card] = static_cast<std::uint8_t>(column << 5 | depth);
    int lowest = card_code::kLevels;
    int run = 1;
    if (depth) {
        const CardCode below = columns_[column][depth - 1];
        if (card_code::Fits(card, below)) {
            run += runs_[column];
        } else {
            ++outOfSequence_;
        }
        lowest = std::min<int>(lowestBelow_[below], card_code::Level(below));
    } else {
        --emptyColumns_;
    }
    runs_[column] = static_cast<std::uint8_t>(run);
    lowestBelow_[card] = static_cast<std::uint8_t>(lowest);
    blocking_ += card_code::Level(card) > lowest;
}

inline void SolverPosition::TopRunLeft(int column) {
    // The run stood on a break (or on nothing), so the run below it is counted afresh.
    const int length = length_[column];
    if (length) --outOfSequence_;
    int run = length ? 1 : 0;
    while (run < length &&
           card_code::Fits(columns_[column][length - run], columns_[column][length - run - 1])) {
        ++run;
    }
    runs_[column] = static_cast<std::uint8_t>(run);
}

inline CardCode SolverPosition::Pop(int column) {
    const int depth = --length_[column];
    const CardCode card = columns_[column][depth];
    columnHash_[column] ^= ZobristKeys::InColumn(card, depth);
    place_[card] = kNowhere;
    emptyColumns_ += depth == 0;
    if (runs_[column] > 1) {
        --runs_[column];
    } else {
        TopRunLeft(column);
    }
    blocking_ -= card_code::Level(card) > lowestBelow_[card];
    return card;
}
