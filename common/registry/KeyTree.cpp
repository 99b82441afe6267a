#include "common/registry/KeyTree.h"

#include <map>
#include <memory>
#include <string>
#include <vector>

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

// Both removals walk the tree with a stack of their own instead of recursing, so that a
// store holding keys nested deeper than any program would make them (another program may
// have written it) cannot exhaust the call stack. The order of every registry call is what
// the recursive form would make.

bool DeleteKeyTree(HKEY parent, LPCWSTR path) {
    if (!NamesAKey(path)) return false;
    struct Level {
        HKEY parent;
        std::u16string name;
        HKEY key;
    };
    HKEY top = nullptr;
    if (RegOpenKeyExW(parent, path, 0, 0, &top) != ERROR_SUCCESS) return false;
    std::vector<Level> levels{{parent, path, top}};
    // A failure closes every key still open, deepest first, and gives false.
    auto fail = [&] {
        for (auto it = levels.rbegin(); it != levels.rend(); ++it) RegCloseKey(it->key);
        return false;
    };
    for (;;) {
        Level& level = levels.back();
        // Always index 0: the subkey just removed no longer occupies it.
        WCHAR name[kNameBufferLength];
        DWORD length = kNameBufferLength;
        if (RegEnumKeyExW(level.key, 0, name, &length, nullptr, nullptr, nullptr, nullptr) ==
            ERROR_SUCCESS) {
            HKEY child = nullptr;
            if (RegOpenKeyExW(level.key, name, 0, 0, &child) != ERROR_SUCCESS) return fail();
            levels.push_back({level.key, std::u16string(name, length), child});
            continue;
        }
        RegCloseKey(level.key);
        const bool deleted = RegDeleteKeyW(level.parent, level.name.c_str()) == ERROR_SUCCESS;
        levels.pop_back();
        if (levels.empty()) return deleted;
        if (!deleted) return fail();
    }
}

bool DeleteRegistryTree(HKEY root, LPCWSTR path) {
    if (!NamesAKey(path)) return false;
    struct Level {
        HKEY root;
        std::u16string path;
        std::unique_ptr<RegistryKey> key;
        std::vector<std::pair<std::u16string, EntryKind>> entries;
        std::size_t next = 0;
    };
    // Opens the key and collects its entries before anything is removed, so that removal
    // cannot upset the enumeration; a value named like a subkey takes that entry over.
    auto open = [](HKEY parent, std::u16string name) {
        Level level{parent, std::move(name), nullptr, {}, 0};
        level.key = std::make_unique<RegistryKey>(parent, level.path.c_str(), false, true);
        std::map<std::u16string, EntryKind> entries;
        std::u16string entry;
        for (bool more = level.key->FirstSubkey(entry); more; more = level.key->NextSubkey(entry)) {
            entries[entry] = EntryKind::kSubkey;
        }
        for (bool more = level.key->FirstValue(entry); more; more = level.key->NextValue(entry)) {
            entries[entry] = EntryKind::kValue;
        }
        level.entries.assign(entries.begin(), entries.end());
        return level;
    };
    std::vector<Level> levels;
    levels.push_back(open(root, path));
    for (;;) {
        Level& level = levels.back();
        if (level.next < level.entries.size()) {
            const auto [entry, kind] = level.entries[level.next++];
            if (kind == EntryKind::kSubkey) {
                Level child = open(level.key->Handle(), entry);
                levels.push_back(std::move(child));
            } else {
                RegDeleteValueW(level.key->Handle(), entry.c_str());
            }
            continue;
        }
        // Closed first, then whatever is left below it goes with the key itself.
        level.key.reset();
        const bool deleted = DeleteKeyTree(level.root, level.path.c_str());
        levels.pop_back();
        if (levels.empty()) return deleted;
    }
}
