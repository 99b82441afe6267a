// Loading translation files of 1 MB and 16 MB, with the memory the load needs.
//
// Memory is counted by replacing the global operator new/delete in this program:
//   retained_bytes  what the table keeps after the load (its entries; grows with their number)
//   transient_bytes peak during the load minus what is retained: the reader's own working
//                   memory, which must not depend on the size of the file
// Two kinds of file: "entries" (realistic lines, ~50 characters each) and "one_line" (a single
// line far longer than the window, which the reader skips, so nothing is retained at all).
#include <benchmark/benchmark.h>

#include <stdlib.h>
#include <unistd.h>

#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <new>
#include <string>

#include "game/dialogs/TranslationTable.h"
#include "platform/WideString.h"

namespace {

std::atomic<long long> liveBytes{0};
std::atomic<long long> peakBytes{0};

constexpr std::size_t kHeader = 16;  // keeps the block's size, and malloc's alignment

void* Allocate(std::size_t size) {
    auto* block = static_cast<char*>(std::malloc(size + kHeader));
    if (!block) return nullptr;
    *reinterpret_cast<std::size_t*>(block) = size;
    const long long now = liveBytes += static_cast<long long>(size);
    long long peak = peakBytes.load();
    while (now > peak && !peakBytes.compare_exchange_weak(peak, now)) {
    }
    return block + kHeader;
}

void Release(void* pointer) {
    if (!pointer) return;
    char* block = static_cast<char*>(pointer) - kHeader;
    liveBytes -= static_cast<long long>(*reinterpret_cast<std::size_t*>(block));
    std::free(block);
}

}  // namespace

void* operator new(std::size_t size) {
    if (void* p = Allocate(size)) return p;
    throw std::bad_alloc();
}
void* operator new[](std::size_t size) {
    return operator new(size);
}
void* operator new(std::size_t size, const std::nothrow_t&) noexcept {
    return Allocate(size);
}
void* operator new[](std::size_t size, const std::nothrow_t&) noexcept {
    return Allocate(size);
}
void operator delete(void* p) noexcept {
    Release(p);
}
void operator delete[](void* p) noexcept {
    Release(p);
}
void operator delete(void* p, std::size_t) noexcept {
    Release(p);
}
void operator delete[](void* p, std::size_t) noexcept {
    Release(p);
}
void operator delete(void* p, const std::nothrow_t&) noexcept {
    Release(p);
}
void operator delete[](void* p, const std::nothrow_t&) noexcept {
    Release(p);
}

namespace {

namespace fs = std::filesystem;

enum class Kind { Entries, OneLine };

struct TempFolder {
    fs::path path;
    TempFolder() {
        std::string pattern = (fs::temp_directory_path() / "tessamo-bench-XXXXXX").string();
        if (mkdtemp(pattern.data())) path = pattern;
    }
    ~TempFolder() {
        std::error_code ec;
        fs::remove_all(path, ec);
    }
};

TempFolder& Folder() {
    static TempFolder folder;
    return folder;
}

// Writes (once) an 8-bit translation file of about `megabytes` MB and returns its path.
std::u16string TranslationFile(Kind kind, int megabytes) {
    const std::size_t size = static_cast<std::size_t>(megabytes) << 20;
    const fs::path path = Folder().path / ((kind == Kind::Entries ? "entries_" : "one_line_") +
                                           std::to_string(megabytes) + "_en.txt");
    if (!fs::exists(path)) {
        std::ofstream out(path, std::ios::binary);
        std::string chunk;
        if (kind == Kind::Entries) {
            for (std::size_t i = 0, written = 0; written < size; ++i) {
                chunk = "Source text number " + std::to_string(i) + "|Uebersetzung Nummer " +
                        std::to_string(i) + "\r\n";
                out << chunk;
                written += chunk.size();
            }
        } else {
            chunk.assign(1 << 16, 'x');
            for (std::size_t written = 0; written < size; written += chunk.size()) out << chunk;
            out << "|y\r\n";
        }
    }
    return FromUtf8(path.string());
}

void BM_LoadTranslationFile(benchmark::State& state) {
    const Kind kind = static_cast<Kind>(state.range(0));
    const int megabytes = static_cast<int>(state.range(1));
    const std::u16string path = TranslationFile(kind, megabytes);

    // One measured load for the memory figures.
    std::size_t entries = 0;
    long long retained = 0;
    long long transient = 0;
    {
        const long long before = liveBytes.load();
        peakBytes = before;
        TranslationTable table;
        if (!table.Load(path)) state.SkipWithError("cannot open the file");
        entries = table.Count();
        retained = liveBytes.load() - before;
        transient = peakBytes.load() - liveBytes.load();
    }

    for (auto _ : state) {
        auto* table = new TranslationTable;
        benchmark::DoNotOptimize(table->Load(path));
        state.PauseTiming();
        delete table;
        state.ResumeTiming();
    }
    state.counters["entries"] = static_cast<double>(entries);
    state.counters["retained_bytes"] = static_cast<double>(retained);
    state.counters["transient_bytes"] = static_cast<double>(transient);
    state.SetBytesProcessed(state.iterations() * (static_cast<std::int64_t>(megabytes) << 20));
}

BENCHMARK(BM_LoadTranslationFile)
    ->ArgNames({"one_line", "MB"})
    ->Args({0, 1})
    ->Args({0, 16})
    ->Args({1, 1})
    ->Args({1, 16})
    ->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
