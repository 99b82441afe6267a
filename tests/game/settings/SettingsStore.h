// Reads and writes the stored settings values directly, for the settings tests.
#pragma once

#include <string>
#include <vector>

#include "common/registry/SettingsRoot.h"
#include "platform/Registry.h"

namespace settings_test {

// The keys above the game's Options and Statistics, as the store's export text begins.
inline const std::string kGameKeys =
    "[HKEY_LOCAL_MACHINE\\Software]\n"
    "\n"
    "[HKEY_LOCAL_MACHINE\\Software\\Korvel Labs]\n"
    "\n"
    "[HKEY_LOCAL_MACHINE\\Software\\Korvel Labs\\Korvel Tessamo]\n"
    "\n";

inline std::u16string SubkeyPath(const char16_t* subkey) {
    return std::u16string(kSettingsRoot) + u"\\" + subkey;
}

// The stored bytes of a value, or nothing with `found` false.
inline std::vector<BYTE> ReadValue(const char16_t* subkey, const char16_t* name,
                                   bool* found = nullptr, DWORD* type = nullptr) {
    std::vector<BYTE> bytes;
    if (found) *found = false;
    HKEY key = nullptr;
    if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, SubkeyPath(subkey).c_str(), 0, 0, &key) !=
        ERROR_SUCCESS) {
        return bytes;
    }
    DWORD size = 0;
    if (RegQueryValueExW(key, name, nullptr, type, nullptr, &size) == ERROR_SUCCESS) {
        bytes.resize(size);
        if (RegQueryValueExW(key, name, nullptr, nullptr, bytes.data(), &size) == ERROR_SUCCESS &&
            found) {
            *found = true;
        }
    }
    RegCloseKey(key);
    return bytes;
}

inline void WriteValue(const char16_t* subkey, const char16_t* name, DWORD type,
                       const std::vector<BYTE>& bytes) {
    HKEY key = nullptr;
    RegCreateKeyExW(HKEY_LOCAL_MACHINE, SubkeyPath(subkey).c_str(), 0, nullptr, 0, 0, nullptr, &key,
                    nullptr);
    RegSetValueExW(key, name, 0, type, bytes.data(), static_cast<DWORD>(bytes.size()));
    RegCloseKey(key);
}

inline std::vector<BYTE> Dword(DWORD value) {
    return {static_cast<BYTE>(value), static_cast<BYTE>(value >> 8), static_cast<BYTE>(value >> 16),
            static_cast<BYTE>(value >> 24)};
}

}  // namespace settings_test
