#include "platform/PlatformConfig.h"

#include <cstdlib>
#include <system_error>
#include <vector>

#include "platform/Types.h"
#include "platform/WideString.h"

namespace fs = std::filesystem;

namespace {

struct Config {
    fs::path registryPath;
    fs::path deviceRoot;
    fs::path modulePath;
    int busyTimeoutMs = 0;
    bool setsAsideDamage = true;
    int majorVersion = 5;
    int screenWidth = 480;
    int screenHeight = 640;
};

Config& State() {
    static Config config;
    return config;
}

// One last error for the process: the programs using this layer run a single thread.
// (Thread-local storage would also trip LeakSanitizer inside the dlopen'ed setup library.)
DWORD lastError = 0;

fs::path DefaultRegistryPath() {
    const char* xdg = std::getenv("XDG_DATA_HOME");
    fs::path base;
    if (xdg && *xdg) {
        base = xdg;
    } else {
        const char* home = std::getenv("HOME");
        base = fs::path(home && *home ? home : "/tmp") / ".local" / "share";
    }
    return base / "korvel-tessamo" / "registry.sqlite";
}

fs::path DefaultDeviceRoot() {
    if (const char* env = std::getenv("KORVEL_DEVICE_ROOT"); env && *env) return env;
    const fs::path bin = platform::ModulePath().parent_path();
    std::error_code ec;
    const fs::path installed = bin.parent_path() / "share" / "korvel-tessamo" / "device";
    if (fs::is_directory(installed, ec)) return installed;
    return bin.parent_path() / "device";
}

// Finds the entry of `dir` whose name equals `name` without regard to case.
fs::path ResolveComponent(const fs::path& dir, const std::u16string& name) {
    fs::path exact = dir / ToUtf8(name);
    std::error_code ec;
    if (fs::symlink_status(exact, ec).type() != fs::file_type::not_found) return exact;
    for (fs::directory_iterator it(dir, ec), end; !ec && it != end; it.increment(ec)) {
        if (WideCompareNoCase(FromUtf8(it->path().filename().string()), name) == 0) {
            return it->path();
        }
    }
    return exact;
}

}  // namespace

void SetLastError(DWORD error) {
    lastError = error;
}
DWORD GetLastError() {
    return lastError;
}

namespace platform {

void SetRegistryPath(const fs::path& path) {
    State().registryPath = path;
}

fs::path RegistryPath() {
    return State().registryPath.empty() ? DefaultRegistryPath() : State().registryPath;
}

void SetRegistryBusyTimeout(int milliseconds) {
    State().busyTimeoutMs = milliseconds > 0 ? milliseconds : 0;
}

int RegistryBusyTimeout() {
    return State().busyTimeoutMs > 0 ? State().busyTimeoutMs : 5000;
}

void SetRegistrySetsAsideDamage(bool setAside) {
    State().setsAsideDamage = setAside;
}

bool RegistrySetsAsideDamage() {
    return State().setsAsideDamage;
}

void SetDeviceRoot(const fs::path& path) {
    State().deviceRoot = path;
}

fs::path DeviceRoot() {
    return State().deviceRoot.empty() ? DefaultDeviceRoot() : State().deviceRoot;
}

bool IsDevicePath(std::u16string_view path) {
    return !path.empty() && path[0] == u'\\';
}

fs::path ToHostPath(std::u16string_view path, DevicePathProblem* problem) {
    if (problem) *problem = DevicePathProblem::kNone;
    if (!IsDevicePath(path)) return fs::path(ToUtf8(path));
    auto fail = [problem](DevicePathProblem why) {
        if (problem) *problem = why;
        return fs::path();
    };
    std::vector<std::u16string> components;
    std::u16string component;
    auto flush = [&]() -> bool {
        if (component == u"..") return false;
        if (!component.empty() && component != u".") components.push_back(component);
        component.clear();
        return true;
    };
    for (char16_t c : path) {
        if (c == u'\\' || c == u'/') {
            if (!flush()) return fail(DevicePathProblem::kLeavesDeviceFolder);
        } else {
            component += c;
        }
    }
    if (!flush()) return fail(DevicePathProblem::kLeavesDeviceFolder);

    fs::path result = DeviceRoot();
    for (std::size_t i = 0; i < components.size(); ++i) {
        result = ResolveComponent(result, components[i]);
        // The host would follow a link among the folders; only the last component may be one,
        // and the file functions then act on the link itself.
        std::error_code ec;
        if (i + 1 < components.size() &&
            fs::symlink_status(result, ec).type() == fs::file_type::symlink) {
            return fail(DevicePathProblem::kThroughLink);
        }
    }
    return result;
}

void SetModulePath(const fs::path& path) {
    State().modulePath = path;
}

fs::path ModulePath() {
    if (!State().modulePath.empty()) return State().modulePath;
    std::error_code ec;
    fs::path self = fs::read_symlink("/proc/self/exe", ec);
    return ec ? fs::path("/proc/self/exe") : self;
}

void SetPlatformMajorVersion(int major) {
    State().majorVersion = major;
}
int PlatformMajorVersion() {
    return State().majorVersion;
}

void SetScreenSize(int width, int height) {
    State().screenWidth = width;
    State().screenHeight = height;
}
int ScreenWidth() {
    return State().screenWidth;
}
int ScreenHeight() {
    return State().screenHeight;
}

}  // namespace platform
