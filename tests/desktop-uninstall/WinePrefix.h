// Wine prefixes for running the desktop uninstaller in tests.
//
// A pristine prefix is created once per test run and copied for each test. The drive ways
// out to the host are closed in the pristine prefix: the drive links other than c: (z: is
// the host's root) are removed, and the shell folders that Wine links to the home folder are
// replaced by real folders. Wine runs with a temporary HOME, no display and Mono/Gecko
// disabled. One way out stays: Wine maps paths that begin with \\?\unix\ straight to host
// paths. The program under test never builds such a path (it only uses its own path as the
// system reports it, and "\DelUS.bat" on the current drive), so it cannot reach the host.
//
// A copy does not copy Wine's own binaries (.dll, .exe and the like, hundreds of megabytes)
// but hard-links them to the pristine prefix's, so a program that changed one of them in
// place, or changed its permissions, would change it for every later test as well. That is
// accepted: the program under test only deletes files (making read-only ones writable
// first), only inside its own folder, where the tests put copies, never links; the refusal
// tests in the Windows folder, where those binaries live, reach no deletion unless they fail
// anyway. Deleting a linked file in one copy only unlinks it there.
#pragma once

#include <sys/types.h>

#include <chrono>
#include <filesystem>
#include <set>
#include <string>
#include <vector>

struct WineTools {
    std::filesystem::path loader;  // wine64
    std::filesystem::path server;  // wineserver
};

// Finds Wine's loader and server; empty paths when Wine is not installed.
WineTools FindWine();

class WinePrefix {
  public:
    // Creates a new prefix at `path` with `wineboot -i` and closes its ways out to the host.
    // `home` is the HOME Wine sees. Throws std::runtime_error on failure.
    WinePrefix(const WineTools& tools, const std::filesystem::path& path,
               const std::filesystem::path& home);
    // Copies `pristine` to `path`; Wine's binaries are shared through hard links (see above).
    WinePrefix(const WinePrefix& pristine, const std::filesystem::path& path);
    // Stops the prefix's server and deletes the prefix.
    ~WinePrefix();
    WinePrefix(const WinePrefix&) = delete;
    WinePrefix& operator=(const WinePrefix&) = delete;

    const std::filesystem::path& Path() const { return path_; }
    std::filesystem::path DriveC() const { return path_ / "drive_c"; }
    // Host path of a "C:\..." path inside the prefix.
    std::filesystem::path Host(const std::string& windowsPath) const;

    // Runs a Windows program through Wine in the host folder `cwd` and returns its exit code
    // (-1 when it did not end within `limit`; it is then killed).
    int Run(const std::vector<std::string>& args, const std::filesystem::path& cwd,
            std::chrono::seconds limit = std::chrono::seconds(60)) const;
    // Starts a Windows program in the background; returns its host process id.
    pid_t Start(const std::vector<std::string>& args, const std::filesystem::path& cwd) const;

    // Imports REGEDIT4 text with `reg import`. Throws std::runtime_error on failure.
    void ImportRegistry(const std::string& text);

    // Waits until the prefix's server has ended, which also saves the registry to disk.
    void WaitForServer() const;

    // Key paths below HKEY_LOCAL_MACHINE, in lower case, as saved in system.reg.
    std::set<std::string> MachineKeys() const;

  private:
    static pid_t Spawn(const WineTools& tools, const std::filesystem::path& prefix,
                       const std::filesystem::path& home, const std::vector<std::string>& args,
                       const std::filesystem::path& cwd, bool useLoader);
    static int Wait(pid_t pid, std::chrono::seconds limit);

    WineTools tools_;
    std::filesystem::path path_;
    std::filesystem::path home_;
};

// Polls `condition` every 50 ms until it holds or `limit` has passed; returns its last value.
template <typename Condition>
bool WaitUntil(Condition condition, std::chrono::seconds limit) {
    const auto end = std::chrono::steady_clock::now() + limit;
    while (!condition()) {
        if (std::chrono::steady_clock::now() > end) return condition();
        struct timespec pause = {0, 50'000'000};
        nanosleep(&pause, nullptr);
    }
    return true;
}
