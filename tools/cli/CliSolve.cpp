// tessamo-cli solve: whether a deal can be won, and how, as a list of moves or as a tap
// script for `play`; or the classification of a range of deals. Other tools read the
// output; keep its format exact.
#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <functional>
#include <optional>
#include <ostream>
#include <string>
#include <thread>
#include <vector>

#include "game/solver/SolutionLine.h"
#include "game/solver/Solver.h"
#include "game/solver/SolverPosition.h"
#include "game/solver/TapScript.h"
#include "tools/cli/Arguments.h"
#include "tools/cli/Commands.h"
#include "tools/cli/ResultRing.h"

namespace {

struct SolveOptions {
    std::optional<std::int32_t> game;
    bool script = false;
    std::optional<Size> screen;
    bool range = false;
    std::int64_t first = 0;
    std::int64_t last = 0;
    int jobs = 0;
    Solver::Limits limits;
    bool stats = false;
};

std::optional<std::uint64_t> ParseCount(std::string_view text) {
    if (text.empty() || text.size() > 18) return std::nullopt;
    std::uint64_t value = 0;
    for (char c : text) {
        if (c < '0' || c > '9') return std::nullopt;
        value = value * 10 + static_cast<std::uint64_t>(c - '0');
    }
    return value;
}

// "A-B": two game numbers from 0 to 4294967295, A no greater than B.
bool ParseRange(std::string_view text, SolveOptions& options) {
    const auto dash = text.find('-');
    if (dash == std::string_view::npos) return false;
    const auto a = ParseCount(text.substr(0, dash));
    const auto b = ParseCount(text.substr(dash + 1));
    if (!a || !b || *a > *b || *b > UINT32_MAX) return false;
    options.first = static_cast<std::int64_t>(*a);
    options.last = static_cast<std::int64_t>(*b);
    return true;
}

bool ParseArgs(const Args& args, SolveOptions& options, std::ostream& err) {
    auto fail = [&err](const std::string& message) {
        err << "tessamo-cli solve: " << message << '\n';
        return false;
    };
    bool jobsGiven = false;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& a = args[i];
        const bool hasValue = i + 1 < args.size();
        if (a == "--script") {
            options.script = true;
        } else if (a == "--screen") {
            options.screen = hasValue ? ParseScreenSize(args[++i]) : std::nullopt;
            if (!options.screen) return fail("--screen needs WxH, each side 1 to 4096");
        } else if (a == "--range") {
            if (!hasValue || !ParseRange(args[++i], options)) {
                return fail("--range needs A-B, game numbers 0 to 4294967295 with A <= B");
            }
            options.range = true;
        } else if (a == "--jobs") {
            const auto jobs = hasValue ? ParseInt(args[++i]) : std::nullopt;
            if (!jobs || *jobs < 1 || *jobs > 256)
                return fail("--jobs needs a number from 1 to 256");
            options.jobs = *jobs;
            jobsGiven = true;
        } else if (a == "--limit") {
            const auto limit = hasValue ? ParseCount(args[++i]) : std::nullopt;
            if (!limit || *limit < 1) return fail("--limit needs a positive number of positions");
            options.limits.positions = *limit;
        } else if (a == "--memory") {
            const auto mib = hasValue ? ParseCount(args[++i]) : std::nullopt;
            if (!mib || *mib < 1 || *mib > (1u << 20))
                return fail("--memory needs MiB, 1 to 1048576");
            options.limits.memoryBytes = static_cast<std::size_t>(*mib) << 20;
        } else if (a == "--stats") {
            options.stats = true;
        } else if (a.size() > 2 && a.starts_with("--")) {
            return fail("unknown option '" + a + "'");
        } else if (!options.game) {
            options.game = ParseGameNumber(a);
            if (!options.game) return fail("not a 32-bit game number: '" + a + "'");
        } else {
            return fail("unexpected argument '" + a + "'");
        }
    }
    if (options.range) {
        if (options.game || options.script || options.screen) {
            return fail("--range takes no game number, --script or --screen");
        }
        return true;
    }
    if (jobsGiven) return fail("--jobs goes with --range");
    if (options.screen && !options.script) return fail("--screen goes with --script");
    if (!options.game) return fail("expected a game number");
    return true;
}

const char* OutcomeName(Solver::Outcome outcome) {
    switch (outcome) {
        case Solver::Outcome::kWinnable:
            return "winnable";
        case Solver::Outcome::kUnwinnable:
            return "unwinnable";
        case Solver::Outcome::kUnknown:
            return "unknown";
    }
    return "unknown";
}

int ExitStatus(Solver::Outcome outcome) {
    switch (outcome) {
        case Solver::Outcome::kWinnable:
            return 0;
        case Solver::Outcome::kUnwinnable:
            return 1;
        case Solver::Outcome::kUnknown:
            return 3;
    }
    return 3;
}

int SolveOne(const SolveOptions& options, std::ostream& out, std::ostream& err) {
    const std::int32_t game = *options.game;
    const SolverPosition start = SolverPosition::FromDeal(game);
    Solver solver(options.limits);
    const Solver::Result result = solver.Solve(start);
    std::vector<PlayerMove> line;
    if (result.outcome == Solver::Outcome::kWinnable) {
        auto built = SolutionLine::Build(start, result.moves);
        if (!built) {
            err << "tessamo-cli solve: the solution of game " << game << " does not replay\n";
            return 3;
        }
        line = std::move(*built);
    }
    const std::string head =
        std::to_string(game) + ' ' + OutcomeName(result.outcome) +
        (result.outcome == Solver::Outcome::kWinnable ? ' ' + std::to_string(line.size())
                                                      : std::string());
    if (options.script) {
        // `play` skips lines that begin with '#'.
        out << "# " << head << '\n';
        for (const Point& tap : TapScript::Taps(line, options.screen.value_or(Size{240, 320}))) {
            out << "tap " << tap.x << ' ' << tap.y << '\n';
        }
    } else {
        out << head << '\n';
        for (const PlayerMove& m : line) {
            out << card_code::Name(m.card) << ' ' << m.source << ' ' << m.destination << '\n';
        }
    }
    if (options.stats) {
        err << "positions " << result.positions << " table bytes " << result.tableBytes << '\n';
    }
    return ExitStatus(result.outcome);
}

struct DealResult {
    Solver::Outcome outcome = Solver::Outcome::kUnknown;
    std::size_t moves = 0;
    std::uint64_t positions = 0;
    double seconds = 0;
    // A line the solver found that the rules did not take; the deal counts as unknown.
    bool replayFailed = false;
};

// What --stats needs of every deal, kept for the whole range.
struct DealCost {
    std::uint64_t positions = 0;
    float seconds = 0;
    Solver::Outcome outcome = Solver::Outcome::kUnknown;
};

// The jobs solve deals in number order and hand each result to the main thread, which prints
// them in that order as they come: a range of any length needs the memory of the ring only,
// and a job may run at most the ring's length ahead of the printing, which is far more than
// the slowest deal takes. --stats keeps 16 bytes a deal for the whole range, so its ranges
// are bounded.
constexpr std::size_t kRingDeals = 4096;
constexpr std::uint64_t kMaxStatsDeals = std::uint64_t{1} << 24;

int SolveRange(const SolveOptions& options, std::ostream& out, std::ostream& err) {
    using Clock = std::chrono::steady_clock;
    const auto begin = Clock::now();
    const auto deals = static_cast<std::uint64_t>(options.last - options.first + 1);
    if (options.stats && deals > kMaxStatsDeals) {
        err << "tessamo-cli solve: --stats takes ranges of at most " << kMaxStatsDeals
            << " deals\n";
        return 2;
    }
    ResultRing<DealResult> ring(kRingDeals);
    std::atomic<std::uint64_t> next{0};
    // Each job builds its own solver, so that what it allocates comes from its own thread's
    // heap rather than lying beside the other jobs' memory.
    auto work = [&](std::size_t& peakMemory) {
        Solver solver(options.limits);
        for (std::uint64_t i; (i = next.fetch_add(1)) < deals;) {
            const auto t0 = Clock::now();
            const auto game = static_cast<std::int32_t>(
                static_cast<std::uint32_t>(options.first + static_cast<std::int64_t>(i)));
            const SolverPosition start = SolverPosition::FromDeal(game);
            Solver::Result r = solver.Solve(start);
            DealResult d{r.outcome, 0, r.positions, 0, false};
            if (r.outcome == Solver::Outcome::kWinnable) {
                // Every line is checked against the board's rules before it counts.
                const auto line = SolutionLine::Build(start, r.moves);
                if (line) {
                    d.moves = line->size();
                } else {
                    d.outcome = Solver::Outcome::kUnknown;
                    d.replayFailed = true;
                }
            }
            d.seconds = std::chrono::duration<double>(Clock::now() - t0).count();
            ring.Put(i, d);
        }
        peakMemory = solver.PeakMemory();
    };
    int jobs = options.jobs;
    if (jobs <= 0) jobs = static_cast<int>(std::max(1u, std::thread::hardware_concurrency()));
    jobs = static_cast<int>(std::min<std::uint64_t>(static_cast<std::uint64_t>(jobs), deals));
    std::vector<std::size_t> peaks(static_cast<std::size_t>(jobs), 0);
    std::vector<std::thread> threads;
    for (std::size_t& peak : peaks) threads.emplace_back(work, std::ref(peak));

    std::vector<DealCost> costs;
    if (options.stats) costs.reserve(static_cast<std::size_t>(deals));
    bool replayFailed = false;
    std::uint64_t counts[3] = {0, 0, 0};
    std::uint64_t totalPositions = 0;
    std::string text;
    for (std::uint64_t i = 0; i < deals; ++i) {
        const DealResult d = ring.TakeNext();
        ++counts[static_cast<int>(d.outcome)];
        totalPositions += d.positions;
        replayFailed = replayFailed || d.replayFailed;
        text += std::to_string(options.first + static_cast<std::int64_t>(i));
        text += ' ';
        text += OutcomeName(d.outcome);
        if (d.outcome == Solver::Outcome::kWinnable) text += ' ' + std::to_string(d.moves);
        text += '\n';
        if (options.stats) costs.push_back({d.positions, static_cast<float>(d.seconds), d.outcome});
        if (text.size() >= 1 << 16) {
            out << text << std::flush;
            text.clear();
        }
    }
    for (std::thread& t : threads) t.join();
    out << text;
    const std::size_t peakMemory = *std::max_element(peaks.begin(), peaks.end());
    const double seconds = std::chrono::duration<double>(Clock::now() - begin).count();
    char summary[200];
    std::snprintf(
        summary, sizeof summary,
        "deals %llu winnable %llu unwinnable %llu unknown %llu seconds %.3f deals/s %.0f\n",
        static_cast<unsigned long long>(deals), static_cast<unsigned long long>(counts[0]),
        static_cast<unsigned long long>(counts[1]), static_cast<unsigned long long>(counts[2]),
        seconds, static_cast<double>(deals) / std::max(seconds, 1e-9));
    out << summary;

    if (replayFailed) err << "tessamo-cli solve: some solutions did not replay; counted unknown\n";
    if (options.stats) {
        const std::size_t n = costs.size();
        std::vector<std::size_t> order(n);
        for (std::size_t i = 0; i < n; ++i) order[i] = i;
        std::sort(order.begin(), order.end(), [&](std::size_t a, std::size_t b) {
            return costs[a].seconds < costs[b].seconds;
        });
        auto at = [&](double q) {
            const auto k = static_cast<std::size_t>(q * static_cast<double>(n));
            return static_cast<double>(costs[order[std::min(n - 1, k)]].seconds);
        };
        auto print = [&](std::size_t i) {
            char line[200];
            std::snprintf(line, sizeof line, "  %lld %s %.3f s %llu positions\n",
                          static_cast<long long>(options.first + static_cast<std::int64_t>(i)),
                          OutcomeName(costs[i].outcome), static_cast<double>(costs[i].seconds),
                          static_cast<unsigned long long>(costs[i].positions));
            err << line;
        };
        char line[200];
        std::snprintf(line, sizeof line, "time per deal: median %.1f us, p99 %.1f us\n",
                      at(0.5) * 1e6, at(0.99) * 1e6);
        err << line << "slowest:\n";
        for (std::size_t k = 0; k < std::min<std::size_t>(n, 15); ++k) print(order[n - 1 - k]);
        err << "not winnable:\n";
        for (std::size_t i = 0; i < n; ++i) {
            if (costs[i].outcome != Solver::Outcome::kWinnable) print(i);
        }
        err << "positions in all: " << totalPositions << '\n';
        err << "peak search memory: " << peakMemory << " bytes per job\n";
    }
    return counts[2] ? 3 : 0;
}

}  // namespace

int RunSolve(const Args& args, std::ostream& out, std::ostream& err) {
    SolveOptions options;
    if (!ParseArgs(args, options, err)) return 2;
    return options.range ? SolveRange(options, out, err) : SolveOne(options, out, err);
}
