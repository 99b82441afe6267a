#include "common/registry/RegistryKey.h"

namespace {

// Length of the name buffers used for enumeration, and the size passed with them.
constexpr DWORD kNameBufferLength = 260;

}  // namespace

RegistryKey::RegistryKey(HKEY parent, LPCWSTR path, bool create, bool flushOnClose)
    : flushOnClose_(flushOnClose) {
    HKEY key = nullptr;
    if (create) {
        if (RegCreateKeyExW(parent, path, 0, nullptr, 0, 0, nullptr, &key, &disposition_) ==
            ERROR_SUCCESS) {
            key_ = key;
        }
    } else if (RegOpenKeyExW(parent, path, 0, 0, &key) == ERROR_SUCCESS) {
        key_ = key;
    }
}

RegistryKey::~RegistryKey() {
    if (flushOnClose_ && modified_) RegFlushKey(key_);
    RegCloseKey(key_);
}

DWORD RegistryKey::GetDword(LPCWSTR name, DWORD defaultValue) {
    BYTE bytes[4] = {0, 0, 0, 0};
    DWORD size = sizeof bytes;
    if (RegQueryValueExW(key_, name, nullptr, nullptr, bytes, &size) == ERROR_SUCCESS) {
        return DWORD{bytes[0]} | DWORD{bytes[1]} << 8 | DWORD{bytes[2]} << 16 |
               DWORD{bytes[3]} << 24;
    }
    const BYTE stored[4] = {static_cast<BYTE>(defaultValue), static_cast<BYTE>(defaultValue >> 8),
                            static_cast<BYTE>(defaultValue >> 16),
                            static_cast<BYTE>(defaultValue >> 24)};
    RegSetValueExW(key_, name, 0, REG_DWORD, stored, sizeof stored);
    return defaultValue;
}

bool RegistryKey::SetDword(LPCWSTR name, DWORD value) {
    if (!name) return false;
    modified_ = true;
    const BYTE stored[4] = {static_cast<BYTE>(value), static_cast<BYTE>(value >> 8),
                            static_cast<BYTE>(value >> 16), static_cast<BYTE>(value >> 24)};
    return RegSetValueExW(key_, name, 0, REG_DWORD, stored, sizeof stored) == ERROR_SUCCESS;
}

bool RegistryKey::GetBinary(LPCWSTR name, BYTE* buffer, DWORD& size) {
    DWORD type = REG_BINARY;
    return RegQueryValueExW(key_, name, nullptr, &type, buffer, &size) == ERROR_SUCCESS;
}

bool RegistryKey::SetBinary(LPCWSTR name, const BYTE* data, DWORD size) {
    if (!data) return false;
    modified_ = true;
    return RegSetValueExW(key_, name, 0, REG_BINARY, data, size) == ERROR_SUCCESS;
}

bool RegistryKey::FirstSubkey(std::u16string& name) {
    index_ = 0;
    return EnumSubkey(name);
}

bool RegistryKey::NextSubkey(std::u16string& name) {
    ++index_;
    return EnumSubkey(name);
}

bool RegistryKey::FirstValue(std::u16string& name) {
    index_ = 0;
    return EnumValue(name);
}

bool RegistryKey::NextValue(std::u16string& name) {
    ++index_;
    return EnumValue(name);
}

bool RegistryKey::EnumSubkey(std::u16string& name) {
    WCHAR buffer[kNameBufferLength];
    DWORD length = kNameBufferLength;
    if (index_ < 0 || RegEnumKeyExW(key_, static_cast<DWORD>(index_), buffer, &length, nullptr,
                                    nullptr, nullptr, nullptr) != ERROR_SUCCESS) {
        name.clear();
        return false;
    }
    name.assign(buffer, length);
    return true;
}

bool RegistryKey::EnumValue(std::u16string& name) {
    // A failed call leaves `name` as it was: the buffer is only copied out on success.
    WCHAR buffer[kNameBufferLength];
    DWORD length = kNameBufferLength;
    if (index_ < 0 || RegEnumValueW(key_, static_cast<DWORD>(index_), buffer, &length, nullptr,
                                    nullptr, nullptr, nullptr) != ERROR_SUCCESS) {
        return false;
    }
    name.assign(buffer, length);
    return true;
}
