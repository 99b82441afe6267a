// File and folder routines of the setup library, on device paths ("\Storage\Apps\Cards").
// Every failure is silent: whatever cannot be removed stays where it is. A symbolic link is
// treated as a file: it is removed as a link and never followed, so nothing outside the
// named folder is touched.
#pragma once

#include <string>

#include "platform/Types.h"

enum PathKindValue { kPathMissing = 0, kPathFile = 1, kPathFolder = 2 };

// 0 when nothing is there (or the attributes cannot be read), 2 for a folder, 1 otherwise.
int PathKind(const std::u16string& path);

// Makes a read-only file writable; does nothing for an empty path, a missing entry or one
// that is not read-only.
void ClearReadOnly(const std::u16string& path);

// Appends "\" to a non-empty text that does not already end with "\" or "/".
void AppendSeparator(std::u16string& text);

// Removes one trailing "\" or "/" from a non-empty text.
void StripSeparator(std::u16string& text);

// Removes the folder `path` with everything in it, read-only files included. Does nothing
// unless `path` names a folder.
void DeleteFolderTree(const std::u16string& path);

// Removes every file named `fileName` (compared without regard to case) in `folder` and all
// folders below it. Folders are never removed, whatever their name.
void DeleteNamedFiles(const std::u16string& folder, const std::u16string& fileName);
