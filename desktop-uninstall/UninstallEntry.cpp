#include "UninstallEntry.h"

namespace {

const char kUninstallKey[] = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall";

}  // namespace

bool DeleteKeyTree(HKEY parent, const char* name) {
    if (name == nullptr) return false;
    HKEY key = nullptr;
    if (RegOpenKeyExA(parent, name, 0, KEY_ALL_ACCESS, &key) != ERROR_SUCCESS) return false;
    char subkey[MAX_PATH];
    for (;;) {
        DWORD size = MAX_PATH;
        // Always index 0: the subkey just removed no longer occupies it.
        if (RegEnumKeyExA(key, 0, subkey, &size, nullptr, nullptr, nullptr, nullptr) !=
            ERROR_SUCCESS) {
            break;
        }
        if (!DeleteKeyTree(key, subkey)) {
            RegCloseKey(key);
            return false;
        }
    }
    RegCloseKey(key);
    return RegDeleteKeyA(parent, name) == ERROR_SUCCESS;
}

void RemoveUninstallEntry(const char* entryName) {
    HKEY uninstall = nullptr;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, kUninstallKey, 0, KEY_QUERY_VALUE | KEY_CREATE_SUB_KEY,
                      &uninstall) != ERROR_SUCCESS) {
        return;
    }
    DeleteKeyTree(uninstall, entryName);
    RegCloseKey(uninstall);
}
