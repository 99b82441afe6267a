#include "platform/installer/SetupLibrary.h"

#include <dlfcn.h>

#include <system_error>

namespace fs = std::filesystem;

SetupLibrary::SetupLibrary(const fs::path& path) {
    std::error_code ec;
    if (!fs::is_regular_file(path, ec)) {
        error_ = "setup library not found: " + path.string();
        return;
    }
    // RTLD_NODELETE: the library's platform layer keeps its registry store for the life of
    // the process, as the program's own does, so the library stays mapped after dlclose.
    void* handle = dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL | RTLD_NODELETE);
    if (!handle) {
        const char* why = dlerror();
        error_ = "cannot load setup library " + path.string() + ": " + (why ? why : "unknown");
        return;
    }
    auto lookUp = [&](const char* name) -> void* {
        void* symbol = dlsym(handle, name);
        if (!symbol && error_.empty()) {
            error_ = "setup library " + path.string() + " does not export " + name;
        }
        return symbol;
    };
    installInit = reinterpret_cast<decltype(installInit)>(lookUp("Install_Init"));
    installExit = reinterpret_cast<decltype(installExit)>(lookUp("Install_Exit"));
    uninstallInit = reinterpret_cast<decltype(uninstallInit)>(lookUp("Uninstall_Init"));
    uninstallExit = reinterpret_cast<decltype(uninstallExit)>(lookUp("Uninstall_Exit"));
    if (!error_.empty()) {
        dlclose(handle);
        installInit = nullptr;
        installExit = nullptr;
        uninstallInit = nullptr;
        uninstallExit = nullptr;
        return;
    }
    handle_ = handle;
}

SetupLibrary::~SetupLibrary() {
    if (handle_) dlclose(handle_);
}

fs::path SetupLibrary::Find(const fs::path& programFolder) {
    std::error_code ec;
    const fs::path beside = programFolder / kFileName;
    if (fs::exists(beside, ec)) return beside;
    // An installed tree keeps the library private to the game, out of the loader's path.
    const fs::path installed =
        (programFolder.parent_path() / "lib" / "korvel-tessamo" / kFileName).lexically_normal();
    if (fs::exists(installed, ec)) return installed;
    return (programFolder.parent_path() / "lib" / kFileName).lexically_normal();
}
