// Removal of whole key trees, used when the game is installed and removed.
#pragma once

#include "platform/Registry.h"

// Removes the key `path` below `parent` with all its subkeys, deepest first. False when the
// key does not exist or some subkey cannot be removed; what was removed stays removed.
// A null or empty path (or one of only backslashes) names no key and removes nothing.
bool DeleteKeyTree(HKEY parent, LPCWSTR path);

// Removes every value and subkey of `path` below `root` (collected by name before anything
// is removed), then the key itself through DeleteKeyTree. False, with nothing removed, when
// the key cannot be opened.
bool DeleteRegistryTree(HKEY root, LPCWSTR path);
