// Where the platform layer keeps its state, and the settings that tests may change.
// Defaults: the registry at $XDG_DATA_HOME/korvel-tessamo/registry.sqlite, the device folder
// next to the program (build/device, or <prefix>/share/korvel-tessamo/device when installed),
// or $KORVEL_DEVICE_ROOT when set. Tests point both at temporary folders before any use.
#pragma once

#include <filesystem>
#include <string_view>

namespace platform {

// An empty path restores the default.
void SetRegistryPath(const std::filesystem::path& path);
std::filesystem::path RegistryPath();

// How long a registry call waits for another process's write lock before it fails (the
// write then gives ERROR_WRITE_FAULT). 0 restores the default of 5000 ms. Applies to the
// store's connection at its next use.
void SetRegistryBusyTimeout(int milliseconds);
int RegistryBusyTimeout();

// Whether opening a store that is damaged or not a store at all sets it aside (renamed to
// "<store>.corrupt-<time>") and starts a new one, as the game does so that it always starts;
// when false, such a store fails to open and stays as it is. True by default.
void SetRegistrySetsAsideDamage(bool setAside);
bool RegistrySetsAsideDamage();

void SetDeviceRoot(const std::filesystem::path& path);
std::filesystem::path DeviceRoot();

// Why a device path has no host path.
enum class DevicePathProblem { kNone, kLeavesDeviceFolder, kThroughLink };

// Maps a device path ("\Windows\pegcards.dll") to the host file below the device folder,
// matching each component without regard to case when the exact name does not exist.
// Other paths are host paths and pass unchanged. A device path gives an empty path when it
// would leave the device folder (".."), and when a folder on the way to its last component
// is a symbolic link, so that it can never reach outside the device folder (which may itself
// be a link). `problem`, when given, tells which of the two it was.
std::filesystem::path ToHostPath(std::u16string_view path, DevicePathProblem* problem = nullptr);
bool IsDevicePath(std::u16string_view path);

// Host path of the running program; tests may override it.
void SetModulePath(const std::filesystem::path& path);
std::filesystem::path ModulePath();

// Operating system major version reported to the program (default 5).
void SetPlatformMajorVersion(int major);
int PlatformMajorVersion();

// Screen metrics in pixels (default 480 x 640); the device window updates them.
void SetScreenSize(int width, int height);
int ScreenWidth();
int ScreenHeight();

}  // namespace platform
