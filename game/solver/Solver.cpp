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
    // Cards lying on the next card each foundation needs.
    int buried = 0;
    for (int suit = 0; suit < 4; ++suit) {
        if (p.Foundation(suit) < card_code::kLevels) {
            buried += p.CardsAbove(card_code::Make(suit, p.Foundation(suit)));
        }
    }
    // Foundations weigh little: a search led by them alone sinks into the many positions
    // that share a count of cards gone up; the layout's shape tells more. Free cells weigh
    // most: over thousands of deals, a search that keeps them free expands about a third
    // fewer positions on its way to a win than one that weighs them like the foundations.
    return 9 * p.OnFoundations() + 25 * emptyCells + 22 * p.EmptyColumns() - 10 * p.Blocking() -
           5 * buried - 6 * p.OutOfSequence();
}

template <typename T>
bool Solver::GrowChunks(std::vector<std::unique_ptr<T[]>>& chunks, std::uint32_t index) {
    if (index < chunks.size() * kChunkNodes) return true;
    if (MemoryInUse() + kChunkNodes * sizeof(T) > limits_.memoryBytes) return false;
    chunks.push_back(std::make_unique<T[]>(kChunkNodes));
    return true;
}

bool Solver::Reserve() {
    return GrowChunks(chunks_, nodes_);
}

bool Solver::ReserveExpanded(std::uint32_t e) {
    return GrowChunks(packed_, e);
}

std::uint32_t Solver::AddNode(std::uint32_t parent, SolverMove move, int depth, bool undoable,
                              int score) {
    Node& node = At(nodes_);
    node.parent = parent;
    node.expansion = kNoParent;
    node.move = move;
    node.depth = static_cast<std::uint8_t>(depth);
    node.undoable = undoable;
    node.score = static_cast<std::int16_t>(score);
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
           packed_.size() * kChunkNodes * sizeof(PackedPosition) +
           heads_.size() * sizeof(std::uint32_t) + kRecent * sizeof(SolverPosition);
}

void Solver::Release() {
    if (chunks_.size() > 4) chunks_.resize(4);
    if (packed_.size() > 4) packed_.resize(4);
}

Solver::Result Solver::Solve(const SolverPosition& start) {
    Result result;
    if (start.IsWon()) {
        result.outcome = Outcome::kWinnable;
        return result;
    }
    // A greedy pass settles most deals in a few hundred positions; a pass that also weighs
    // the length of the line gets out of the wide dead ends the greedy one can sink into. It
    // takes over the greedy pass's table and queue, so no position is reached twice.
    const Stage stages[] = {{0, 2000}, {8, 0}};
    if (Begin(start)) {
        for (const Stage& stage : stages) {
            const bool last = &stage == &stages[std::size(stages) - 1];
            bool passOver = false;
            Requeue(stage.depthWeight);
            const Outcome outcome = Search(start, stage, last, result, passOver);
            // Only a pass stopped by its own bound gives way; the search's limits end it.
            if (outcome != Outcome::kUnknown || !passOver) {
                result.outcome = outcome;
                break;
            }
        }
    }
    result.positions = table_.Count();
    result.tableBytes = table_.Bytes();
    Release();
    return result;
}

bool Solver::Begin(const SolverPosition& start) {
    table_.Clear();
    ClearQueue();
    nodes_ = 0;
    expansions_ = 0;
    table_.Add(start.Key());
    if (!recent_) recent_ = std::make_unique<SolverPosition[]>(kRecent);
    // Past this check memory grows only where the bound is checked first: the table's
    // doubling and the chunks of nodes and packed positions.
    if (table_.Count() >= limits_.positions || !Reserve() || MemoryInUse() > limits_.memoryBytes) {
        return false;
    }
    AddNode(kNoParent, {}, 0, false, Score(start));
    return true;
}

void Solver::Requeue(int depthWeight) {
    ClearQueue();
    for (std::uint32_t n = 0; n < nodes_; ++n) {
        const Node& node = At(n);
        if (node.expansion == kNoParent) Push(node.score - depthWeight * node.depth, n);
    }
}

Solver::Outcome Solver::Search(const SolverPosition& start, const Stage& stage, bool last,
                               Result& result, bool& passOver) {
    passOver = false;
    const bool ownBound = !last && stage.budget < limits_.positions;
    Outcome outcome = Outcome::kUnwinnable;
    MoveGenerator::MoveList list;
    // Only the positions expanded are kept themselves: the last kRecent whole, in recent_,
    // the older ones packed. A waiting position is its parent and a move, and is made again
    // from its parent when it is taken from the queue. Its children are tried by playing
    // each move on it and taking the move back.
    SolverPosition::Change change;
    // Per child tried, in order: the move's place in the list, the key and the score.
    std::array<std::uint8_t, MoveGenerator::kMaxMoves> tried;
    std::array<std::uint64_t, MoveGenerator::kMaxMoves> keys;
    std::array<int, MoveGenerator::kMaxMoves> scores;
    std::array<bool, MoveGenerator::kMaxMoves> undoables;
    while (queued_ && outcome == Outcome::kUnwinnable) {
        // A pass gives way between expansions, so that every position expanded has all its
        // children in the table and the next pass may go on from the same queue.
        if (ownBound && table_.Count() >= stage.budget) {
            passOver = true;
            outcome = Outcome::kUnknown;
            break;
        }
        const std::uint32_t index = Pop();
        Node& node = At(index);
        const std::uint32_t e = expansions_;
        SolverPosition& position = recent_[e % kRecent];
        // The slot's earlier position leaves recent_, packed.
        if (e >= kRecent) {
            if (!ReserveExpanded(e - kRecent)) {
                outcome = Outcome::kUnknown;
                break;
            }
            Expanded(e - kRecent) = PackedPosition(position);
        }
        if (node.parent == kNoParent) {
            position = start;
        } else {
            const std::uint32_t from = At(node.parent).expansion;
            if (e - from < kRecent) {
                position = recent_[from % kRecent];
            } else {
                position = Expanded(from).Unpack();
            }
            position.Play(node.move, change, IsSettled(node.parent));
        }
        node.expansion = e;
        ++expansions_;
        // The weight of a line's length stops growing at 255 moves.
        const int depth = std::min(255, node.depth + 1);
        MoveGenerator::Generate(position, list);
        // The move that undoes the one that led here, if it does so exactly.
        SolverMove back{0xFF, 0xFF, 0};
        if (node.undoable) {
            const SolverMove last = node.move;
            back = {last.to, last.from, last.count};
        }
        // First every child and its key, so that the table's slots for all of them are
        // fetched from memory together: in a large table each is a cache miss.
        const SolverPosition::ColumnKeys columnKeys = position.KeysOfColumns();
        int count = 0;
        bool won = false;
        for (int i = 0; i < list.count && !won; ++i) {
            const SolverMove move = list.moves[i];
            if (move == back) continue;
            position.Play(move, change, IsSettled(index));
            won = position.IsWon();
            keys[count] = position.KeyAfter(columnKeys, move, change);
            table_.Prefetch(keys[count]);
            scores[count] = Score(position);
            // Going back to the start, which may not be settled, may reach a position not
            // yet seen.
            undoables[count] =
                IsSettled(index) && move.to != SolverMove::kToFoundation && change.autoCount == 0;
            position.Undo(move, change);
            tried[count++] = static_cast<std::uint8_t>(i);
        }
        for (int j = 0; j < count; ++j) {
            const SolverMove move = list.moves[tried[j]];
            if (won && j == count - 1) {
                result.moves = LineTo(index, move);
                outcome = Outcome::kWinnable;
                break;
            }
            // A new position that would double the table must leave room for it within the
            // bound on the search's memory, which the table alone does not know.
            if (table_.NextAddGrows() && MemoryInUse() + table_.Bytes() > limits_.memoryBytes) {
                if (table_.Contains(keys[j])) continue;
                outcome = Outcome::kUnknown;
                break;
            }
            const PositionTable::Insert added = table_.Add(keys[j]);
            if (added == PositionTable::Insert::kPresent) continue;
            if (added == PositionTable::Insert::kFull || !Reserve()) {
                outcome = Outcome::kUnknown;
                break;
            }
            if (table_.Count() >= limits_.positions) {
                outcome = Outcome::kUnknown;
                break;
            }
            Push(scores[j] - stage.depthWeight * depth,
                 AddNode(index, move, depth, undoables[j], scores[j]));
        }
    }
    peakMemory_ = std::max(peakMemory_, MemoryInUse());
    return outcome;
}
