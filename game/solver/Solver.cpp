#include "game/solver/Solver.h"

#include <algorithm>
#include <array>
#include <cstdlib>
#include <iterator>

#include "game/solver/MoveGenerator.h"

Solver::Solver() : Solver(Limits{}) {}

Solver::Solver(Limits limits) : limits_(limits), table_(limits.memoryBytes) {}

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
    // Foundations weigh little: a search led by them alone sinks into the many positions
    // that share a count of cards gone up; the layout's shape tells more.
    return 15 * p.OnFoundations() + 15 * emptyCells + 20 * emptyColumns - 10 * p.Blocking() -
           5 * buried - 6 * p.OutOfSequence();
}

bool Solver::Reserve() {
    if (nodes_ < chunks_.size() * kChunkNodes) return true;
    if (MemoryInUse() + kChunkNodes * sizeof(Node) > limits_.memoryBytes) return false;
    chunks_.push_back(std::make_unique<Node[]>(kChunkNodes));
    return true;
}

std::uint32_t Solver::AddNode(const SolverPosition& position, std::uint32_t parent, SolverMove move,
                              int depth, bool undoable) {
    Node& node = At(nodes_);
    node.position = PackedPosition(position);
    node.parent = parent;
    node.move = move;
    node.depth = static_cast<std::uint8_t>(depth);
    node.undoable = undoable;
    return nodes_++;
}

void Solver::Push(int score, std::uint32_t node) {
    const int bucket = std::clamp(score - kLowestScore, 0, kScores - 1);
    At(node).next = heads_[bucket];
    heads_[bucket] = node;
    top_ = std::max(top_, bucket);
    lowestUsed_ = std::min(lowestUsed_, bucket);
    highestUsed_ = std::max(highestUsed_, bucket);
    ++queued_;
}

std::uint32_t Solver::Pop() {
    while (heads_[top_] == kNoParent) --top_;
    const std::uint32_t node = heads_[top_];
    heads_[top_] = At(node).next;
    --queued_;
    return node;
}

void Solver::ClearQueue() {
    if (lowestUsed_ <= highestUsed_) {
        std::fill(heads_.begin() + lowestUsed_, heads_.begin() + highestUsed_ + 1, kNoParent);
    }
    top_ = 0;
    lowestUsed_ = kScores;
    highestUsed_ = -1;
    queued_ = 0;
}

std::vector<SolverMove> Solver::LineTo(std::uint32_t node, SolverMove last) {
    std::vector<SolverMove> moves{last};
    for (std::uint32_t n = node; At(n).parent != kNoParent; n = At(n).parent) {
        moves.push_back(At(n).move);
    }
    std::reverse(moves.begin(), moves.end());
    return moves;
}

std::size_t Solver::MemoryInUse() const {
    return table_.Bytes() + chunks_.size() * kChunkNodes * sizeof(Node) +
           heads_.size() * sizeof(std::uint32_t);
}

void Solver::Release() {
    if (chunks_.size() > 4) chunks_.resize(4);
}

Solver::Result Solver::Solve(const SolverPosition& start) {
    Result result;
    if (start.IsWon()) {
        result.outcome = Outcome::kWinnable;
        return result;
    }
    // A greedy pass settles most deals in a few hundred positions; a pass that also weighs
    // the length of the line gets out of the wide dead ends the greedy one can sink into.
    const Stage stages[] = {{0, 1500}, {8, 0}};
    for (const Stage& stage : stages) {
        const bool last = &stage == &stages[std::size(stages) - 1];
        bool passOver = false;
        const Outcome outcome = Search(start, stage, last, result, passOver);
        // Only a pass stopped by its own bound gives way; the search's limits end it.
        if (outcome != Outcome::kUnknown || !passOver) {
            result.outcome = outcome;
            break;
        }
    }
    result.tableBytes = table_.Bytes();
    Release();
    return result;
}

Solver::Outcome Solver::Search(const SolverPosition& start, const Stage& stage, bool last,
                               Result& result, bool& passOver) {
    passOver = false;
    table_.Clear();
    ClearQueue();
    nodes_ = 0;
    // Every stage counts against the limit on positions.
    const std::uint64_t before = result.positions;
    std::uint64_t budget = limits_.positions - std::min(limits_.positions, before);
    const bool ownBound = !last && stage.budget < budget;
    if (ownBound) budget = stage.budget;
    table_.Add(start.Key());
    result.positions = before + 1;
    // The start alone may use up what the earlier passes left of the limit.
    if (table_.Count() >= budget || !Reserve()) return Outcome::kUnknown;
    Push(Score(start), AddNode(start, kNoParent, {}, 0));
    if (!recent_) recent_ = std::make_unique<SolverPosition[]>(kRecent);
    recent_[0] = start;
    Outcome outcome = Outcome::kUnwinnable;
    MoveGenerator::MoveList list;
    // The positions added last are kept whole, by node number modulo kRecent: the next
    // position taken from the queue is often one of them, and then it is read in place.
    SolverPosition unpacked;
    // Per child tried, in order: the move's place in the list and the key.
    std::array<std::uint8_t, MoveGenerator::kMaxMoves> tried;
    std::array<std::uint64_t, MoveGenerator::kMaxMoves> keys;
    while (queued_ && outcome == Outcome::kUnwinnable) {
        const std::uint32_t index = Pop();
        // Children are tried in the slots after nodes_, up to kMaxMoves of them.
        const bool inRecent = nodes_ - index + MoveGenerator::kMaxMoves <= kRecent;
        if (!inRecent) unpacked = At(index).position.Unpack();
        const SolverPosition& position = inRecent ? recent_[index % kRecent] : unpacked;
        // The weight of a line's length stops growing at 255 moves.
        const int depth = std::min(255, At(index).depth + 1);
        MoveGenerator::Generate(position, list);
        // The move that undoes the one that led here, if it does so exactly.
        SolverMove back{0xFF, 0xFF, 0};
        if (At(index).undoable) {
            const SolverMove last = At(index).move;
            back = {last.to, last.from, last.count};
        }
        const int onFoundations = position.OnFoundations();
        // First every child and its key, so that the table's slots for all of them are
        // fetched from memory together: in a large table each is a cache miss.
        const std::uint32_t base = nodes_;
        int count = 0;
        bool won = false;
        for (int i = 0; i < list.count && !won; ++i) {
            if (list.moves[i] == back) continue;
            SolverPosition& child = recent_[(base + count) % kRecent];
            child = position;
            child.Play(list.moves[i]);
            won = child.IsWon();
            keys[count] = child.Key();
            table_.Prefetch(keys[count]);
            tried[count++] = static_cast<std::uint8_t>(i);
        }
        for (int j = 0; j < count; ++j) {
            const SolverMove move = list.moves[tried[j]];
            const SolverPosition& child = recent_[(base + j) % kRecent];
            if (won && j == count - 1) {
                result.moves = LineTo(index, move);
                outcome = Outcome::kWinnable;
                break;
            }
            const PositionTable::Insert added = table_.Add(keys[j]);
            if (added == PositionTable::Insert::kPresent) continue;
            if (added == PositionTable::Insert::kFull || !Reserve() ||
                MemoryInUse() > limits_.memoryBytes) {
                outcome = Outcome::kUnknown;
                break;
            }
            if (table_.Count() >= budget) {
                passOver = ownBound;
                outcome = Outcome::kUnknown;
                break;
            }
            // The start is the one position that may not have had its automatic moves
            // made, so going back to it may reach a position not yet seen.
            const bool undoable = index != 0 && move.to != SolverMove::kToFoundation &&
                                  child.OnFoundations() == onFoundations;
            // Node n's slot is n % kRecent: close the gaps the children already seen left.
            SolverPosition& kept = recent_[nodes_ % kRecent];
            if (&kept != &child) kept = child;
            const std::uint32_t node = AddNode(kept, index, move, depth, undoable);
            Push(Score(kept) - stage.depthWeight * depth, node);
        }
    }
    result.positions = before + table_.Count();
    peakMemory_ = std::max(peakMemory_, MemoryInUse());
    return outcome;
}
