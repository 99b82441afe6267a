// Start-up time and resident memory of the game beside a bare Qt window of the same size,
// in the same run: each round starts startup_probe once for the game, once for the bare
// window and once for the bare window with one line of text, turning which goes first, and
// the medians and their ratios are printed. The game runs on a settings store in a temporary
// folder, created by the first round.
//   startup_bench [ROUNDS] [WIDTHxHEIGHT]
// The Qt platform is whatever QT_QPA_PLATFORM says (offscreen, or xcb under Xvfb).
#include <sys/wait.h>
#include <time.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

namespace fs = std::filesystem;

namespace {

long long NowNanoseconds() {
    timespec now{};
    clock_gettime(CLOCK_MONOTONIC, &now);
    return now.tv_sec * 1000000000LL + now.tv_nsec;
}

struct Sample {
    double milliseconds = 0;
    double residentMb = 0;
};

bool RunProbe(const fs::path& probe, const char* mode, int width, int height, Sample& sample) {
    int out[2];
    if (pipe(out) != 0) return false;
    const std::string start = std::to_string(NowNanoseconds());
    const pid_t child = fork();
    if (child < 0) return false;
    if (child == 0) {
        dup2(out[1], 1);
        close(out[0]);
        close(out[1]);
        const std::string w = std::to_string(width), h = std::to_string(height);
        execl(probe.c_str(), probe.c_str(), mode, start.c_str(), w.c_str(), h.c_str(),
              static_cast<char*>(nullptr));
        _exit(127);
    }
    close(out[1]);
    char text[128] = {};
    const ssize_t got = read(out[0], text, sizeof text - 1);
    close(out[0]);
    int status = 0;
    waitpid(child, &status, 0);
    long long microseconds = 0;
    long kilobytes = 0;
    if (got <= 0 || std::sscanf(text, "%lld %ld", &microseconds, &kilobytes) != 2) return false;
    sample.milliseconds = microseconds / 1000.0;
    sample.residentMb = kilobytes / 1024.0;
    return WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

double Median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    const std::size_t n = values.size();
    return n % 2 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
}

}  // namespace

int main(int argc, char** argv) {
    const int rounds = argc > 1 ? std::max(1, std::atoi(argv[1])) : 20;
    int width = 480, height = 640;
    if (argc > 2) std::sscanf(argv[2], "%dx%d", &width, &height);
    const fs::path probe = fs::path(argv[0]).parent_path() / "startup_probe";

    char folder[] = "/tmp/tessamo-startup-XXXXXX";
    if (!mkdtemp(folder)) return 1;
    setenv("XDG_DATA_HOME", folder, 1);
    const char* platform = std::getenv("QT_QPA_PLATFORM");

    const char* const modes[] = {"game", "bare", "text"};
    std::vector<double> ms[3], mb[3];
    for (int round = 0; round < rounds; ++round) {
        for (int k = 0; k < 3; ++k) {
            const int m = (round + k) % 3;
            Sample sample;
            if (!RunProbe(probe, modes[m], width, height, sample)) {
                std::fprintf(stderr, "startup_bench: a probe failed\n");
                return 1;
            }
            ms[m].push_back(sample.milliseconds);
            mb[m].push_back(sample.residentMb);
        }
    }
    fs::remove_all(folder);
    const double g = Median(ms[0]), b = Median(ms[1]), t = Median(ms[2]);
    const double gm = Median(mb[0]), bm = Median(mb[1]), tm = Median(mb[2]);
    std::printf("platform %s, %dx%d, %d rounds (medians)\n", platform ? platform : "(default)",
                width, height, rounds);
    std::printf("start to first paint: game %.1f ms, bare window %.1f ms, ratio %.2f\n", g, b,
                g / b);
    std::printf("resident memory at first paint: game %.1f MB, bare window %.1f MB, ratio %.2f\n",
                gm, bm, gm / bm);
    std::printf(
        "bare window with one line of text: %.1f ms (%.2f x bare), %.1f MB (%.2f x bare); "
        "game %.2f x this\n",
        t, t / b, tm, tm / bm, g / t);
    return 0;
}
