// Saving and loading the settings records against a store in a temporary folder.
#include <benchmark/benchmark.h>

#include <memory>

#include "game/settings/Options.h"
#include "game/settings/Statistics.h"
#include "tests/support/TempPlatform.h"

namespace {

// Statistics::Save with the completed list full: every game from 1 to 32000 won.
void BM_StatisticsSaveFullList(benchmark::State& state) {
    TempPlatform temp;
    Statistics statistics;
    statistics.Load();
    for (int game = 1; game <= 32000; ++game) {
        statistics.AddCompleted(static_cast<std::int16_t>(game));
    }
    for (auto _ : state) {
        statistics.SetGames(statistics.Games() + 1);
        benchmark::DoNotOptimize(statistics.Save());
    }
    state.counters["entries"] = static_cast<double>(statistics.Completed().size());
}
BENCHMARK(BM_StatisticsSaveFullList)->Unit(benchmark::kMicrosecond);

// Statistics::Load of the same full list.
void BM_StatisticsLoadFullList(benchmark::State& state) {
    TempPlatform temp;
    {
        Statistics statistics;
        for (int game = 1; game <= 32000; ++game) {
            statistics.AddCompleted(static_cast<std::int16_t>(game));
        }
        statistics.Save();
    }
    for (auto _ : state) {
        Statistics statistics;
        benchmark::DoNotOptimize(statistics.Load());
    }
}
BENCHMARK(BM_StatisticsLoadFullList)->Unit(benchmark::kMicrosecond);

// Options::Load followed by Options::Save, as the Options command does.
void BM_OptionsLoadAndSave(benchmark::State& state) {
    TempPlatform temp;
    Options().Load();  // the first start, which creates the keys
    for (auto _ : state) {
        Options options;
        options.Load();
        options.SetShowStatusBar(!options.ShowStatusBar());
        benchmark::DoNotOptimize(options.Save());
    }
}
BENCHMARK(BM_OptionsLoadAndSave)->Unit(benchmark::kMicrosecond);

// The first start: Options::Load against an empty store, creating every key and value.
void BM_OptionsFirstLoad(benchmark::State& state) {
    for (auto _ : state) {
        state.PauseTiming();
        auto temp = std::make_unique<TempPlatform>();
        state.ResumeTiming();
        Options options;
        benchmark::DoNotOptimize(options.Load());
        state.PauseTiming();
        temp.reset();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_OptionsFirstLoad)->Unit(benchmark::kMicrosecond)->Iterations(50);

}  // namespace

BENCHMARK_MAIN();
