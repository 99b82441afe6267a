#include "tests/setup/SetupEnvironment.h"

#include <stdlib.h>

#include <fstream>

#include "platform/PlatformConfig.h"

namespace fs = std::filesystem;

SetupEnvironment::SetupEnvironment() {
    fs::create_directories(XdgDataHome() / "korvel-tessamo");
    platform::SetRegistryPath(XdgDataHome() / "korvel-tessamo" / "registry.sqlite");
    setenv("XDG_DATA_HOME", XdgDataHome().c_str(), 1);
    setenv("KORVEL_DEVICE_ROOT", Device().c_str(), 1);
}

SetupEnvironment::~SetupEnvironment() {
    unsetenv("XDG_DATA_HOME");
    unsetenv("KORVEL_DEVICE_ROOT");
    // Files made read-only must be writable again for the temporary folder to go.
    std::error_code ec;
    for (auto it = fs::recursive_directory_iterator(Root(), ec);
         !ec && it != fs::recursive_directory_iterator(); it.increment(ec)) {
        if (!it->is_symlink()) {
            fs::permissions(it->path(), fs::perms::owner_all, fs::perm_options::add, ec);
        }
    }
}

void SetupEnvironment::MakeFile(const fs::path& path, const std::string& content, bool readOnly) {
    fs::create_directories(path.parent_path());
    std::ofstream(path, std::ios::binary) << content;
    if (readOnly) {
        fs::permissions(path,
                        fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write,
                        fs::perm_options::remove);
    }
}

bool SetupEnvironment::Exists(const fs::path& path) {
    std::error_code ec;
    return fs::symlink_status(path, ec).type() != fs::file_type::not_found;
}

void SetupEnvironment::MakeKey(HKEY hive, const std::u16string& path) {
    MakeValue(hive, path, u"Value");
}

void SetupEnvironment::MakeValue(HKEY hive, const std::u16string& path,
                                 const std::u16string& name) {
    HKEY key = nullptr;
    if (RegCreateKeyExW(hive, path.c_str(), 0, nullptr, 0, 0, nullptr, &key, nullptr) !=
        ERROR_SUCCESS) {
        throw std::runtime_error("cannot create a registry key");
    }
    const DWORD one = 1;
    RegSetValueExW(key, name.c_str(), 0, REG_DWORD, reinterpret_cast<const BYTE*>(&one),
                   sizeof one);
    RegCloseKey(key);
}

bool SetupEnvironment::KeyExists(HKEY hive, const std::u16string& path) {
    HKEY key = nullptr;
    if (RegOpenKeyExW(hive, path.c_str(), 0, 0, &key) != ERROR_SUCCESS) return false;
    RegCloseKey(key);
    return true;
}

bool SetupEnvironment::ValueExists(HKEY hive, const std::u16string& path,
                                   const std::u16string& name) {
    HKEY key = nullptr;
    if (RegOpenKeyExW(hive, path.c_str(), 0, 0, &key) != ERROR_SUCCESS) return false;
    DWORD size = 0;
    const bool found =
        RegQueryValueExW(key, name.c_str(), nullptr, nullptr, nullptr, &size) == ERROR_SUCCESS;
    RegCloseKey(key);
    return found;
}
