#include "common/registry/KeyTree.h"

#include <map>
#include <string>

#include "common/registry/RegistryKey.h"

namespace {

constexpr DWORD kNameBufferLength = 260;

enum class EntryKind { kSubkey, kValue };

// A path of nothing but separators would open `parent` itself, and the removal would empty
// it; such a path names no key to remove.
bool NamesAKey(LPCWSTR path) {
    if (!path) return false;
    for (; *path; ++path) {
        if (*path != u'\\') return true;
    }
    return false;
}

}  // namespace

bool DeleteKeyTree(HKEY parent, LPCWSTR path) {
    if (!NamesAKey(path)) return false;
    HKEY key = nullptr;
    if (RegOpenKeyExW(parent, path, 0, 0, &key) != ERROR_SUCCESS) return false;
    for (;;) {
        // Always index 0: the subkey just removed no longer occupies it.
        WCHAR name[kNameBufferLength];
        DWORD length = kNameBufferLength;
        if (RegEnumKeyExW(key, 0, name, &length, nullptr, nullptr, nullptr, nullptr) !=
            ERROR_SUCCESS) {
            break;
        }
        if (!DeleteKeyTree(key, name)) {
            RegCloseKey(key);
            return false;
        }
    }
    RegCloseKey(key);
    return RegDeleteKeyW(parent, path) == ERROR_SUCCESS;
}

bool DeleteRegistryTree(HKEY root, LPCWSTR path) {
    if (!NamesAKey(path)) return false;
    {
        RegistryKey key(root, path, false, true);
        // Collected before anything is removed, so that removal cannot upset the
        // enumeration; a value named like a subkey takes that entry over.
        std::map<std::u16string, EntryKind> entries;
        std::u16string name;
        for (bool more = key.FirstSubkey(name); more; more = key.NextSubkey(name)) {
            entries[name] = EntryKind::kSubkey;
        }
        for (bool more = key.FirstValue(name); more; more = key.NextValue(name)) {
            entries[name] = EntryKind::kValue;
        }
        for (const auto& [entry, kind] : entries) {
            if (kind == EntryKind::kSubkey) {
                DeleteRegistryTree(key.Handle(), entry.c_str());
            } else {
                RegDeleteValueW(key.Handle(), entry.c_str());
            }
        }
    }
    return DeleteKeyTree(root, path);
}
