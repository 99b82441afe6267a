#include "game/solver/Solver.h"

#include <algorithm>

Solver::Solver() : Solver(Limits{}) {}

Solver::Solver(Limits limits) : limits_(limits), table_(limits.memoryBytes), stack_(256) {}

int Solver::Score(const SolverPosition& p) {
    int emptyCells = 0;
    for (int r = 0; r < SolverPosition::kCells; ++r) emptyCells += p.Cell(r) == card_code::kNone;
    int emptyColumns = 0;
    for (int c = 0; c < SolverPosition::kColumns; ++c) emptyColumns += p.Length(c) == 0;
    // Cards lying on the next card each foundation needs.
    int buried = 0;
    for (int suit = 0; suit < 4; ++suit) {
        if (p.Foundation(suit) < card_code::kLevels) {
            buried += p.CardsAbove(card_code::Make(suit, p.Foundation(suit)));
        }
    }
    return 200 * p.OnFoundations() + 10 * emptyCells + 30 * emptyColumns - 15 * buried -
           8 * p.OutOfSequence();
}

void Solver::Expand(Frame& frame) {
    MoveGenerator::MoveList list;
    MoveGenerator::Generate(frame.position, list);
    std::array<int, MoveGenerator::kMaxMoves> scores;
    std::array<std::uint8_t, MoveGenerator::kMaxMoves> order;
    const int n = list.count;
    for (int i = 0; i < n; ++i) {
        SolverPosition child = frame.position;
        child.Play(list.moves[i]);
        scores[i] = Score(child);
        order[i] = static_cast<std::uint8_t>(i);
    }
    // Few moves: an insertion sort, best score first, ties in generation order.
    for (int i = 1; i < n; ++i) {
        const std::uint8_t m = order[i];
        int j = i;
        for (; j > 0 && scores[order[j - 1]] < scores[m]; --j) order[j] = order[j - 1];
        order[j] = m;
    }
    frame.first = static_cast<std::uint32_t>(moves_.size());
    frame.count = static_cast<std::uint16_t>(n);
    frame.next = 0;
    for (int i = 0; i < n; ++i) moves_.push_back(list.moves[order[i]]);
}

std::size_t Solver::MemoryInUse() const {
    return table_.Bytes() + stack_.capacity() * sizeof(Frame) +
           moves_.capacity() * sizeof(SolverMove);
}

Solver::Result Solver::Solve(const SolverPosition& start) {
    Result result;
    table_.Clear();
    moves_.clear();
    if (start.IsWon()) {
        result.outcome = Outcome::kWinnable;
        return result;
    }
    table_.Add(start.Key());
    stack_[0].position = start;
    Expand(stack_[0]);
    int depth = 0;
    result.outcome = Outcome::kUnwinnable;
    while (depth >= 0) {
        if (static_cast<std::size_t>(depth) + 1 >= stack_.size()) {
            // A line can grow very long in a hard search; it counts against the bound.
            if (MemoryInUse() + stack_.size() * sizeof(Frame) > limits_.memoryBytes) {
                result.outcome = Outcome::kUnknown;
                break;
            }
            stack_.resize(stack_.size() * 2);
        }
        Frame& frame = stack_[depth];
        if (frame.next == frame.count) {
            moves_.resize(frame.first);
            --depth;
            continue;
        }
        const SolverMove move = moves_[frame.first + frame.next++];
        Frame& child = stack_[depth + 1];
        child.position = frame.position;
        child.position.Play(move);
        if (child.position.IsWon()) {
            for (int d = 0; d <= depth; ++d) {
                const Frame& f = stack_[d];
                result.moves.push_back(moves_[f.first + f.next - 1]);
            }
            result.outcome = Outcome::kWinnable;
            break;
        }
        const PositionTable::Insert added = table_.Add(child.position.Key());
        if (added == PositionTable::Insert::kPresent) continue;
        if (added == PositionTable::Insert::kFull || table_.Count() >= limits_.positions ||
            MemoryInUse() > limits_.memoryBytes) {
            result.outcome = Outcome::kUnknown;
            break;
        }
        Expand(child);
        ++depth;
    }
    result.positions = table_.Count();
    result.tableBytes = table_.Bytes();
    peakMemory_ = std::max(peakMemory_, MemoryInUse());
    // Let a very long line go, so that only hard deals hold much memory.
    if (stack_.size() > 4096) std::vector<Frame>(256).swap(stack_);
    if (moves_.capacity() > (std::size_t{1} << 16)) std::vector<SolverMove>().swap(moves_);
    return result;
}
