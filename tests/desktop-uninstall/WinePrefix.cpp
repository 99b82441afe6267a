#include "tests/desktop-uninstall/WinePrefix.h"

#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <stdexcept>
#include <system_error>

extern char** environ;

namespace fs = std::filesystem;

namespace {

fs::path FindInPath(const std::string& name) {
    const char* path = std::getenv("PATH");
    std::string dirs = path ? path : "/usr/bin:/bin";
    std::size_t start = 0;
    while (start <= dirs.size()) {
        std::size_t end = dirs.find(':', start);
        if (end == std::string::npos) end = dirs.size();
        fs::path candidate = fs::path(dirs.substr(start, end - start)) / name;
        if (access(candidate.c_str(), X_OK) == 0) return candidate;
        start = end + 1;
    }
    return {};
}

fs::path FirstExecutable(std::initializer_list<fs::path> candidates) {
    for (const fs::path& c : candidates) {
        if (!c.empty() && access(c.c_str(), X_OK) == 0) return c;
    }
    return {};
}

std::string Lower(std::string text) {
    std::transform(text.begin(), text.end(), text.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return text;
}

// Replaces symbolic links below `dir` that lead out of `prefix` with empty folders.
void CutLinksOut(const fs::path& dir, const fs::path& prefix) {
    const fs::path root = fs::canonical(prefix);
    std::vector<fs::path> links;
    for (auto it = fs::recursive_directory_iterator(dir); it != fs::recursive_directory_iterator();
         ++it) {
        if (it->is_symlink()) links.push_back(it->path());
    }
    for (const fs::path& link : links) {
        std::error_code ec;
        fs::path target = fs::weakly_canonical(link.parent_path() / fs::read_symlink(link), ec);
        auto rel = target.lexically_relative(root);
        if (!ec && !rel.empty() && *rel.begin() != "..") continue;
        fs::remove(link);
        fs::create_directory(link);
    }
}

// Wine's own program files: hundreds of megabytes that Wine only ever reads once a prefix
// exists. Copies share them through hard links; deleting one in a copy only unlinks it there.
bool IsSharedBinary(const fs::path& file) {
    static const std::set<std::string> kExtensions = {".dll", ".exe", ".drv", ".sys",
                                                      ".ocx", ".cpl", ".acm", ".ax",
                                                      ".tlb", ".ds",  ".ttf", ".msstyles"};
    return kExtensions.count(Lower(file.extension().string())) != 0;
}

// Copies a prefix: folders, links and small files are copied, binaries are hard-linked.
void CopyTree(const fs::path& from, const fs::path& to) {
    fs::create_directory(to);
    for (const auto& entry : fs::directory_iterator(from)) {
        const fs::path target = to / entry.path().filename();
        if (entry.is_symlink()) {
            fs::copy_symlink(entry.path(), target);
        } else if (entry.is_directory()) {
            CopyTree(entry.path(), target);
        } else {
            std::error_code ec;
            if (IsSharedBinary(entry.path())) fs::create_hard_link(entry.path(), target, ec);
            if (!IsSharedBinary(entry.path()) || ec) fs::copy_file(entry.path(), target);
        }
    }
}

}  // namespace

WineTools FindWine() {
    WineTools tools;
    tools.loader =
        FirstExecutable({"/usr/lib/wine/wine64", FindInPath("wine64"), FindInPath("wine")});
    tools.server = FirstExecutable(
        {FindInPath("wineserver"), "/usr/lib/wine/wineserver64", "/usr/lib/wine/wineserver"});
    return tools;
}

pid_t WinePrefix::Spawn(const WineTools& tools, const fs::path& prefix, const fs::path& home,
                        const std::vector<std::string>& args, const fs::path& cwd, bool useLoader) {
    std::vector<std::string> env;
    for (char** e = environ; *e; ++e) {
        std::string entry = *e;
        std::string name = entry.substr(0, entry.find('='));
        if (name == "DISPLAY" || name == "WAYLAND_DISPLAY" || name == "HOME" ||
            name.rfind("WINE", 0) == 0 || name.rfind("XDG_", 0) == 0 || name == "LANG" ||
            name.rfind("LC_", 0) == 0) {
            continue;
        }
        env.push_back(entry);
    }
    env.push_back("HOME=" + home.string());
    // One locale everywhere, so the code pages (ANSI 1252, OEM 437) and the host's file
    // names (UTF-8) are the same on every machine.
    env.push_back("LANG=C.UTF-8");
    env.push_back("WINEPREFIX=" + prefix.string());
    env.push_back("WINEDEBUG=-all");
    env.push_back("WINEDLLOVERRIDES=mscoree,mshtml=");
    env.push_back("WINELOADER=" + tools.loader.string());
    env.push_back("WINESERVER=" + tools.server.string());

    std::vector<std::string> argv;
    argv.push_back(useLoader ? tools.loader.string() : tools.server.string());
    argv.insert(argv.end(), args.begin(), args.end());

    std::vector<char*> cargv;
    for (auto& a : argv) cargv.push_back(a.data());
    cargv.push_back(nullptr);
    std::vector<char*> cenv;
    for (auto& e : env) cenv.push_back(e.data());
    cenv.push_back(nullptr);

    pid_t pid = fork();
    if (pid < 0) throw std::runtime_error("fork failed");
    if (pid == 0) {
        if (chdir(cwd.c_str()) != 0) _exit(126);
        // Keep the test's output readable: Wine's own messages go nowhere.
        freopen("/dev/null", "w", stdout);
        freopen("/dev/null", "w", stderr);
        execve(cargv[0], cargv.data(), cenv.data());
        _exit(127);
    }
    return pid;
}

int WinePrefix::Wait(pid_t pid, std::chrono::seconds limit) {
    int status = 0;
    bool ended = WaitUntil([&] { return waitpid(pid, &status, WNOHANG) == pid; }, limit);
    if (!ended) {
        kill(pid, SIGKILL);
        waitpid(pid, &status, 0);
        return -1;
    }
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

WinePrefix::WinePrefix(const WineTools& tools, const fs::path& path, const fs::path& home)
    : tools_(tools), path_(path), home_(home) {
    fs::create_directories(home);
    if (Run({"wineboot", "-i"}, path.parent_path(), std::chrono::seconds(180)) != 0) {
        throw std::runtime_error("wineboot -i failed in " + path.string());
    }
    WaitForServer();

    for (const auto& entry : fs::directory_iterator(path / "dosdevices")) {
        if (entry.path().filename() != "c:") fs::remove(entry.path());
    }
    CutLinksOut(path / "drive_c", path);
    std::error_code ec;
    if (fs::symlink_status(path / "dosdevices" / "z:", ec).type() != fs::file_type::not_found) {
        throw std::runtime_error("cannot remove the z: drive");
    }
}

WinePrefix::WinePrefix(const WinePrefix& pristine, const fs::path& path)
    : tools_(pristine.tools_), path_(path), home_(pristine.home_) {
    CopyTree(pristine.path_, path);
}

void WinePrefix::ImportRegistry(const std::string& text) {
    const fs::path file = DriveC() / "import.reg";
    std::ofstream(file, std::ios::binary) << text;
    const int status = Run({"reg", "import", "C:\\import.reg"}, DriveC());
    WaitForServer();
    fs::remove(file);
    if (status != 0) throw std::runtime_error("reg import failed");
}

WinePrefix::~WinePrefix() {
    // The server may still be running if a test failed half-way.
    Wait(Spawn(tools_, path_, home_, {"-k"}, path_.parent_path(), false), std::chrono::seconds(30));
    Wait(Spawn(tools_, path_, home_, {"-w"}, path_.parent_path(), false), std::chrono::seconds(30));
    std::error_code ec;
    fs::remove_all(path_, ec);
}

fs::path WinePrefix::Host(const std::string& windowsPath) const {
    fs::path host = DriveC();
    std::string rest = windowsPath.substr(windowsPath.find(':') + 1);
    std::size_t start = 0;
    while (start < rest.size()) {
        std::size_t end = rest.find('\\', start);
        if (end == std::string::npos) end = rest.size();
        if (end > start) host /= rest.substr(start, end - start);
        start = end + 1;
    }
    return host;
}

int WinePrefix::Run(const std::vector<std::string>& args, const fs::path& cwd,
                    std::chrono::seconds limit) const {
    return Wait(Spawn(tools_, path_, home_, args, cwd, true), limit);
}

pid_t WinePrefix::Start(const std::vector<std::string>& args, const fs::path& cwd) const {
    return Spawn(tools_, path_, home_, args, cwd, true);
}

void WinePrefix::WaitForServer() const {
    Wait(Spawn(tools_, path_, home_, {"-w"}, path_.parent_path(), false), std::chrono::seconds(60));
}

std::set<std::string> WinePrefix::MachineKeys() const {
    std::set<std::string> keys;
    std::ifstream in(path_ / "system.reg");
    std::string line;
    while (std::getline(in, line)) {
        if (line.empty() || line[0] != '[') continue;
        std::size_t close = line.rfind(']');
        if (close == std::string::npos) continue;
        std::string escaped = line.substr(1, close - 1);
        std::string key;
        for (std::size_t i = 0; i < escaped.size(); ++i) {
            if (escaped[i] == '\\' && i + 1 < escaped.size() && escaped[i + 1] == '\\') ++i;
            key += escaped[i];
        }
        keys.insert(Lower(key));
    }
    return keys;
}
