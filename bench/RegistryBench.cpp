// Walking a wide key by index, as export and the tree removals do, and opening a store,
// which checks it whole first.
#include <benchmark/benchmark.h>

#include <string>

#include "platform/PlatformConfig.h"
#include "platform/Registry.h"
#include "platform/RegistrySupport.h"
#include "tests/support/TempPlatform.h"

namespace {

std::u16string Numbered(int n) {
    std::u16string name = u"entry";
    for (char c : std::to_string(n)) name += static_cast<char16_t>(c);
    return name;
}

// One key below HKLM with `values` values and `subkeys` subkeys, written in one batch.
HKEY MakeWideKey(int values, int subkeys) {
    platform::RegistryBatch batch;
    HKEY key = nullptr;
    RegCreateKeyExW(HKEY_LOCAL_MACHINE, u"\\Wide", 0, nullptr, 0, 0, nullptr, &key, nullptr);
    const DWORD one = 1;
    for (int i = 0; i < values; ++i) {
        RegSetValueExW(key, Numbered(i).c_str(), 0, REG_DWORD, reinterpret_cast<const BYTE*>(&one),
                       4);
    }
    for (int i = 0; i < subkeys; ++i) {
        HKEY child = nullptr;
        RegCreateKeyExW(key, Numbered(i).c_str(), 0, nullptr, 0, 0, nullptr, &child, nullptr);
        RegCloseKey(child);
    }
    batch.Commit();
    return key;
}

// Walks a key of state.range(0) values or subkeys by index; each value is asked twice (its
// size, then its data) as export asks.
void WalkByIndex(benchmark::State& state, bool values) {
    TempPlatform temp;
    const int count = static_cast<int>(state.range(0));
    HKEY key = values ? MakeWideKey(count, 0) : MakeWideKey(0, count);
    platform::RegistrySnapshot snapshot;
    for (auto _ : state) {
        DWORD walked = 0;
        for (DWORD index = 0;; ++index) {
            WCHAR name[300];
            DWORD length = 300;
            if (!values) {
                if (RegEnumKeyExW(key, index, name, &length, nullptr, nullptr, nullptr, nullptr) !=
                    ERROR_SUCCESS) {
                    break;
                }
                ++walked;
                continue;
            }
            BYTE data[8];
            DWORD size = 0;
            if (RegEnumValueW(key, index, name, &length, nullptr, nullptr, nullptr, &size) !=
                ERROR_SUCCESS) {
                break;
            }
            length = 300;
            size = sizeof data;
            RegEnumValueW(key, index, name, &length, nullptr, nullptr, data, &size);
            ++walked;
        }
        benchmark::DoNotOptimize(walked);
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
}

void BM_WalkValuesByIndex(benchmark::State& state) {
    WalkByIndex(state, true);
}
BENCHMARK(BM_WalkValuesByIndex)->Arg(20000)->Unit(benchmark::kMillisecond);

void BM_WalkSubkeysByIndex(benchmark::State& state) {
    WalkByIndex(state, false);
}
BENCHMARK(BM_WalkSubkeysByIndex)->Arg(20000)->Unit(benchmark::kMillisecond);

// Opening a store and checking it whole: a store as the game leaves it (a dozen values),
// and one with a key of 20,000 values. The registry switches between two stores, so each
// call opens one again.
void BM_OpenAndCheckStore(benchmark::State& state) {
    TempPlatform temp;
    RegCloseKey(MakeWideKey(static_cast<int>(state.range(0)), 0));
    const auto store = temp.RegistryFile();
    const auto other = temp.Root() / "other.sqlite";
    HKEY key = nullptr;
    for (auto _ : state) {
        platform::SetRegistryPath(other);
        RegOpenKeyExW(HKEY_LOCAL_MACHINE, u"\\Wide", 0, 0, &key);
        platform::SetRegistryPath(store);
        benchmark::DoNotOptimize(RegOpenKeyExW(HKEY_LOCAL_MACHINE, u"\\Wide", 0, 0, &key));
        RegCloseKey(key);
    }
    state.counters["stores opened"] =
        benchmark::Counter(2, benchmark::Counter::kIsIterationInvariantRate);
}
BENCHMARK(BM_OpenAndCheckStore)->Arg(12)->Arg(20000)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
