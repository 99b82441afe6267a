// The setup library, loaded with dlopen, and its four hooks.
#pragma once

#include <filesystem>
#include <string>

#include "setup/SetupHooks.h"

class SetupLibrary {
  public:
    // Loads the library at `path` and looks up the four hooks. On failure `Loaded()` is false
    // and `Error()` says why (file missing, not loadable, a hook not exported).
    explicit SetupLibrary(const std::filesystem::path& path);
    ~SetupLibrary();
    SetupLibrary(const SetupLibrary&) = delete;
    SetupLibrary& operator=(const SetupLibrary&) = delete;

    bool Loaded() const { return handle_ != nullptr; }
    const std::string& Error() const { return error_; }

    decltype(&Install_Init) installInit = nullptr;
    decltype(&Install_Exit) installExit = nullptr;
    decltype(&Uninstall_Init) uninstallInit = nullptr;
    decltype(&Uninstall_Exit) uninstallExit = nullptr;

    // Where the installer looks when no library is named: beside its own program, then in
    // ../lib/korvel-tessamo from there (an installed tree), then in ../lib (the build tree's
    // build/lib).
    static std::filesystem::path Find(const std::filesystem::path& programFolder);
    static constexpr const char* kFileName = "libtessamo-setup.so";

  private:
    void* handle_ = nullptr;
    std::string error_;
};
