// A temporary device folder and registry shared by the test and the setup library.
// The library carries its own copy of the platform layer, so it is pointed at the same
// places through the environment (KORVEL_DEVICE_ROOT, XDG_DATA_HOME), and the test's copy
// through the platform's configuration functions.
#pragma once

#include <filesystem>
#include <string>

#include "platform/Registry.h"
#include "tests/support/TempPlatform.h"

class SetupEnvironment {
  public:
    SetupEnvironment();
    ~SetupEnvironment();

    std::filesystem::path Root() const { return platform_.Root(); }
    std::filesystem::path Device() const { return platform_.DeviceRoot(); }
    std::filesystem::path XdgDataHome() const { return platform_.Root() / "xdg"; }
    // Host path of a device path given with forward slashes ("Storage/Apps/Cards").
    std::filesystem::path Host(const std::string& devicePath) const {
        return Device() / devicePath;
    }

    // Writes a host file, creating its folders; `readOnly` clears every write permission.
    static void MakeFile(const std::filesystem::path& path, const std::string& content = "x",
                         bool readOnly = false);
    static bool Exists(const std::filesystem::path& path);

    // Creates a key (with one REG_DWORD value "Value") below `hive`.
    static void MakeKey(HKEY hive, const std::u16string& path);
    static void MakeValue(HKEY hive, const std::u16string& path, const std::u16string& name);
    static bool KeyExists(HKEY hive, const std::u16string& path);
    static bool ValueExists(HKEY hive, const std::u16string& path, const std::u16string& name);

  private:
    TempPlatform platform_;
};
