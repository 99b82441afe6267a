// Decides whether a position can be won, and how: a best-first search that always goes on
// from the most promising position it has reached and not yet expanded, and remembers every
// position it has reached. A short greedy pass comes first; if it neither wins nor runs dry,
// a second pass goes on from the positions the first one reached, its queue ordered again
// with the length of the line weighed against the score, and runs until the win, the end of
// the reachable positions or a limit. "Unwinnable" means every reachable position was
// expanded; "unknown" that a limit stopped the search first.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <vector>

#include "game/solver/PackedPosition.h"
#include "game/solver/PositionTable.h"
#include "game/solver/SolverMove.h"
#include "game/solver/SolverPosition.h"

class Solver {
  public:
    enum class Outcome { kWinnable, kUnwinnable, kUnknown };

    struct Limits {
        // Positions remembered before the search gives up.
        std::uint64_t positions = 100'000'000;
        // Bound on the memory of the search: position table, kept positions and queue.
        std::size_t memoryBytes = std::size_t{2} << 30;
    };

    struct Result {
        Outcome outcome = Outcome::kUnknown;
        // For a winnable position: the player's moves, in order, to the win.
        std::vector<SolverMove> moves;
        // Positions reached and remembered.
        std::uint64_t positions = 0;
        // Memory of the position table at the end of this search.
        std::size_t tableBytes = 0;
    };

    Solver();
    explicit Solver(Limits limits);

    Result Solve(const SolverPosition& start);

    // The search's guess of how good a position is; higher is better.
    static int Score(const SolverPosition& position);

    // The largest the position table has grown over all searches of this solver.
    std::size_t PeakTableBytes() const { return table_.PeakBytes(); }
    // The most memory one search has held: table, kept positions and queue together.
    std::size_t PeakMemory() const { return peakMemory_; }

  private:
    static constexpr std::uint32_t kNoParent = 0xFFFFFFFF;
    static constexpr std::size_t kChunkNodes = std::size_t{1} << 14;

    // A position reached, by the move that reached it from its parent. Only the positions
    // expanded are kept themselves (see Search); the others are their parent and a move.
    struct Node {
        std::uint32_t parent = kNoParent;
        // The node queued before this one with the same score, while it waits.
        std::uint32_t next = kNoParent;
        // Once expanded: its number among the expanded positions.
        std::uint32_t expansion = kNoParent;
        SolverMove move;
        // Moves from the start, up to 255.
        std::uint8_t depth = 0;
        // No card went up by itself after the move: the move straight back then returns
        // to the parent, which the search has already reached.
        bool undoable = false;
        // Score() of its position.
        std::int16_t score = 0;
    };

    // One pass of the search: the weight of the line's length against the score, and the
    // positions it may reach before it gives way to the next pass (0: no bound of its own).
    struct Stage {
        int depthWeight = 0;
        std::uint64_t budget = 0;
    };
    // One pass over the queue as it stands (`start` is node 0's position); `passOver` tells
    // that it stopped at the pass's own bound, so that the next pass may take over.
    Outcome Search(const SolverPosition& start, const Stage& stage, bool last, Result& result,
                   bool& passOver);

    Node& At(std::uint32_t index) { return chunks_[index / kChunkNodes][index % kChunkNodes]; }
    PackedPosition& Expanded(std::uint32_t e) { return packed_[e / kChunkNodes][e % kChunkNodes]; }
    // Room for one more node; false when the memory bound forbids it.
    bool Reserve();
    // Room to keep expanded position `e` packed; false when the memory bound forbids it.
    bool ReserveExpanded(std::uint32_t e);
    // Room for element `index` of a chunked array, within the memory bound.
    template <typename T>
    bool GrowChunks(std::vector<std::unique_ptr<T[]>>& chunks, std::uint32_t index);
    // Every position but the start (node 0) has had its automatic moves made.
    static bool IsSettled(std::uint32_t node) { return node != 0; }
    std::uint32_t AddNode(std::uint32_t parent, SolverMove move, int depth, bool undoable,
                          int score);
    // Empties the table and the nodes and puts the start in them, to be queued by the first
    // Requeue; false when the limits leave no room even for it.
    bool Begin(const SolverPosition& start);
    // Queues every node not yet expanded afresh, by its score less `depthWeight` per move:
    // the start of each pass.
    void Requeue(int depthWeight);
    void Push(int score, std::uint32_t node);
    std::uint32_t Pop();
    void ClearQueue();
    std::vector<SolverMove> LineTo(std::uint32_t node, SolverMove last);
    // Lets go of what a large search grew, so that only hard deals hold much memory.
    void Release();
    std::size_t MemoryInUse() const;

    Limits limits_;
    PositionTable table_;
    std::vector<std::unique_ptr<Node[]>> chunks_;
    std::uint32_t nodes_ = 0;
    // The expanded positions that have left recent_, packed, by expansion number.
    std::vector<std::unique_ptr<PackedPosition[]>> packed_;
    std::uint32_t expansions_ = 0;
    // The nodes waiting, one stack per score: the best score first, among equals the newest
    // node. Scores lie in a narrow range, so this costs less than a heap and keeps its order;
    // a score beyond the range (none with the present weights) waits at its end.
    static constexpr int kLowestScore = -4096;
    static constexpr int kScores = 8192;
    std::vector<std::uint32_t> heads_ = std::vector<std::uint32_t>(kScores, kNoParent);
    // The highest score that may have nodes waiting, and the span of scores used since the
    // queue was last emptied.
    int top_ = 0;
    int lowestUsed_ = kScores;
    int highestUsed_ = -1;
    std::uint64_t queued_ = 0;
    // The positions expanded last, whole, by expansion number modulo kRecent (see Search).
    static constexpr std::uint32_t kRecent = 2048;
    std::unique_ptr<SolverPosition[]> recent_;
    std::size_t peakMemory_ = 0;
};
