// Removal of the program's entry from the desktop's list of installed programs.
#pragma once

#include <windows.h>

// Removes the key `name` beneath `parent` with all its subkeys, deepest first.
// Returns false for a null name, a key that cannot be opened, or the first subkey that
// cannot be removed; whatever was removed before that stays removed.
bool DeleteKeyTree(HKEY parent, const char* name);

// Removes the entry `entryName` under HKEY_LOCAL_MACHINE's uninstall key. A missing
// uninstall key or entry is not an error: nothing happens.
void RemoveUninstallEntry(const char* entryName);
