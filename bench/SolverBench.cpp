// The solver's parts and whole deals. Reports only; whole-range figures come from
// `tessamo-cli solve --range 1-32000 --jobs 2`.
#include <benchmark/benchmark.h>

#include "game/solver/MoveGenerator.h"
#include "game/solver/Solver.h"
#include "game/solver/SolverPosition.h"

namespace {

void BM_GenerateMoves(benchmark::State& state) {
    const SolverPosition p = SolverPosition::FromDeal(1);
    MoveGenerator::MoveList list;
    for (auto _ : state) {
        MoveGenerator::Generate(p, list);
        benchmark::DoNotOptimize(list.count);
    }
}
BENCHMARK(BM_GenerateMoves);

void BM_PlayAndKey(benchmark::State& state) {
    const SolverPosition p = SolverPosition::FromDeal(1);
    MoveGenerator::MoveList list;
    MoveGenerator::Generate(p, list);
    int i = 0;
    for (auto _ : state) {
        SolverPosition child = p;
        child.Play(list.moves[i++ % list.count]);
        benchmark::DoNotOptimize(child.Key());
    }
}
BENCHMARK(BM_PlayAndKey);

void BM_Score(benchmark::State& state) {
    const SolverPosition p = SolverPosition::FromDeal(1);
    for (auto _ : state) benchmark::DoNotOptimize(Solver::Score(p));
}
BENCHMARK(BM_Score);

// Deals 1..range(0), one after another on one solver, as one job of the range run does.
void BM_SolveDeals(benchmark::State& state) {
    Solver solver;
    const auto deals = static_cast<std::int32_t>(state.range(0));
    std::uint64_t positions = 0;
    for (auto _ : state) {
        for (std::int32_t n = 1; n <= deals; ++n) {
            positions += solver.Solve(SolverPosition::FromDeal(n)).positions;
        }
    }
    state.SetItemsProcessed(state.iterations() * deals);
    state.counters["positions/deal"] =
        static_cast<double>(positions) / static_cast<double>(state.iterations() * deals);
}
BENCHMARK(BM_SolveDeals)->Arg(200)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
