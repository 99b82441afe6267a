// Shared by the fuzz targets: a scratch folder (and store) for the files a target needs, and
// a check that stops the run with a message when an invariant breaks.
#pragma once

#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>

#include "platform/PlatformConfig.h"

namespace fuzz {

// A fresh folder for this process, in memory when the system offers a tmpfs: the targets
// rewrite their files and stores on every input.
inline const std::filesystem::path& Scratch() {
    static const std::filesystem::path folder = [] {
        std::error_code ec;
        std::filesystem::path base = "/dev/shm";
        if (!std::filesystem::is_directory(base, ec)) base = std::filesystem::temp_directory_path();
        std::filesystem::path path = base / ("tessamo-fuzz-" + std::to_string(getpid()));
        std::filesystem::create_directories(path, ec);
        // The folder goes away with the process, even after a crash is reported.
        static const std::filesystem::path removeAtExit = path;
        std::atexit([] {
            std::error_code ignored;
            std::filesystem::remove_all(removeAtExit, ignored);
        });
        return path;
    }();
    return folder;
}

// Points the registry at a store in the scratch folder, once per process.
inline void UseScratchRegistry() {
    static const bool done = [] {
        platform::SetRegistryPath(Scratch() / "registry.sqlite");
        return true;
    }();
    (void)done;
}

[[noreturn]] inline void Fail(const char* what, const char* file, int line) {
    std::fprintf(stderr, "%s:%d: invariant broken: %s\n", file, line, what);
    std::abort();
}

}  // namespace fuzz

#define FUZZ_CHECK(condition) \
    ((condition) ? static_cast<void>(0) : ::fuzz::Fail(#condition, __FILE__, __LINE__))
