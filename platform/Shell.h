// The handheld shell's special folders.
#pragma once

#include "platform/Types.h"

constexpr int CSIDL_STARTMENU = 11;

// Writes the device path of the special folder `csidl` into `path` (MAX_PATH characters).
// Only the start menu exists on the device: "\Windows\Start Menu". With `create` the folder
// is made when missing (its parent must exist); FALSE if that fails. An unknown folder or a
// null buffer gives FALSE and leaves `path` unchanged. `owner` is not used.
BOOL SHGetSpecialFolderPath(void* owner, LPWSTR path, int csidl, BOOL create);
