// Decides whether a position can be won, and how: a depth-first search that tries the most
// promising move first and remembers every position it has reached. "Unwinnable" means
// every reachable position was searched; "unknown" that a limit stopped the search first.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <vector>

#include "game/solver/MoveGenerator.h"
#include "game/solver/PositionTable.h"
#include "game/solver/SolverMove.h"
#include "game/solver/SolverPosition.h"

class Solver {
  public:
    enum class Outcome { kWinnable, kUnwinnable, kUnknown };

    struct Limits {
        // Positions remembered before the search gives up.
        std::uint64_t positions = 100'000'000;
        // Bound on the memory of the position table and of the line being searched.
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
    // The most memory one search has held: table and line together.
    std::size_t PeakMemory() const { return peakMemory_; }

  private:
    // One position on the current line; its moves lie in moves_, best first, from
    // `first` on.
    struct Frame {
        SolverPosition position;
        std::uint32_t first = 0;
        std::uint16_t count = 0;
        std::uint16_t next = 0;
    };

    // Lists the frame's moves, best first, at the end of moves_.
    void Expand(Frame& frame);
    // The memory of the table and of the current line together.
    std::size_t MemoryInUse() const;

    Limits limits_;
    PositionTable table_;
    std::vector<Frame> stack_;
    std::vector<SolverMove> moves_;
    std::size_t peakMemory_ = 0;
};
