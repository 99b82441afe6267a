// The handheld's registry, kept in an SQLite database at platform::RegistryPath().
//
// Store schema (application_id 0x4B545247, user_version 1):
//
//   keys(id INTEGER PRIMARY KEY AUTOINCREMENT,  -- never reused, so a stale handle cannot
//                                               -- land on a newer key
//        parent INTEGER NOT NULL,               -- 0 for the two hive roots
//        name   TEXT NOT NULL,                  -- UTF-8, case as first created
//        folded TEXT NOT NULL,                  -- name folded to lower case
//        UNIQUE(parent, folded))
//     Rows 1 and 2 are the roots of HKEY_LOCAL_MACHINE and HKEY_CURRENT_USER.
//   vals(key    INTEGER NOT NULL,               -- keys.id
//        name   TEXT NOT NULL,                  -- UTF-8, "" for the default value
//        folded TEXT NOT NULL,
//        type   INTEGER NOT NULL,               -- REG_*
//        data   BLOB NOT NULL,                  -- the bytes exactly as written
//        PRIMARY KEY(key, folded)) WITHOUT ROWID
//
// Names are compared without regard to case (ASCII and Latin-1 letters) and keep the case
// they were first written with. Subkeys and values enumerate in order of their folded
// names, so an index stays valid while nothing changes.
//
// Every write is its own transaction and is visible to other processes (and survives the
// death of this one) when the call returns; RegFlushKey additionally forces the store to
// disk. The store runs in WAL mode with a busy timeout, so the game and the setup hooks may
// use it at once. A file that is not a valid store is renamed to
// "<name>.corrupt-<UTC timestamp>" and an empty store is started in its place.
//
// Handles are opaque tokens, never dereferenced: a closed or made-up handle, or one opened
// before the store's path changed, gives ERROR_INVALID_HANDLE; a handle to a key that has
// since been deleted gives ERROR_BADKEY. Key names may not contain control characters and
// are at most 255 characters long; a subkey path may begin with a backslash, and empty
// components are skipped. Keys nest at most kMaxKeyDepth levels below their hive root, as
// on the desktop registry: a create that would go deeper fails with ERROR_INVALID_PARAMETER
// and creates nothing. Deeper keys that a store already holds (written by another program)
// can still be opened, enumerated and deleted.
//
// A failure to read the store (a damaged page, a lock held past the busy timeout) is never
// reported as a missing key or value or as the end of an enumeration: those calls then give
// ERROR_READ_FAULT.
#pragma once

#include <cstddef>

#include "platform/Types.h"

constexpr int kMaxKeyDepth = 512;
// The longest key and value names, in 16-bit characters without the terminator.
constexpr std::size_t kMaxKeyNameLength = 255;
constexpr std::size_t kMaxValueNameLength = 16383;

struct RegKeyHandle;  // opaque
using HKEY = RegKeyHandle*;

extern HKEY const HKEY_LOCAL_MACHINE;
extern HKEY const HKEY_CURRENT_USER;

constexpr DWORD REG_NONE = 0, REG_SZ = 1, REG_BINARY = 3, REG_DWORD = 4;
constexpr DWORD REG_CREATED_NEW_KEY = 1, REG_OPENED_EXISTING_KEY = 2;

// Opens `subKey` below `parent`, creating it and any missing parents. An empty or null
// subKey opens `parent` again. `disposition` (optional) tells whether the key was new.
LONG RegCreateKeyExW(HKEY parent, LPCWSTR subKey, DWORD reserved, LPWSTR cls, DWORD options,
                     DWORD access, void* security, HKEY* result, DWORD* disposition);
// Opens an existing key; ERROR_FILE_NOT_FOUND when it does not exist.
LONG RegOpenKeyExW(HKEY parent, LPCWSTR subKey, DWORD options, DWORD access, HKEY* result);
LONG RegCloseKey(HKEY key);
// Forces everything committed so far to disk.
LONG RegFlushKey(HKEY key);
// Reads a value. With null `data` only the size is reported. When `*size` is too small,
// the required size is written to `*size` and ERROR_MORE_DATA returned.
LONG RegQueryValueExW(HKEY key, LPCWSTR name, DWORD* reserved, DWORD* type, BYTE* data,
                      DWORD* size);
// Creates or replaces a value (an existing value keeps the case of its name).
LONG RegSetValueExW(HKEY key, LPCWSTR name, DWORD reserved, DWORD type, const BYTE* data,
                    DWORD size);
// Name of the subkey at `index`; `*nameLength` is the buffer size in characters on entry and
// the name's length without its terminator on return. ERROR_NO_MORE_ITEMS past the last.
LONG RegEnumKeyExW(HKEY key, DWORD index, LPWSTR name, DWORD* nameLength, DWORD* reserved,
                   LPWSTR cls, DWORD* classLength, void* lastWriteTime);
// Name (and optionally type and data) of the value at `index`, as RegEnumKeyExW and
// RegQueryValueExW describe.
LONG RegEnumValueW(HKEY key, DWORD index, LPWSTR name, DWORD* nameLength, DWORD* reserved,
                   DWORD* type, BYTE* data, DWORD* dataLength);
LONG RegDeleteValueW(HKEY key, LPCWSTR name);
// Deletes the key `subKey` below `parent` with its values; ERROR_KEY_HAS_CHILDREN while it
// has subkeys. A hive root cannot be deleted.
LONG RegDeleteKeyW(HKEY parent, LPCWSTR subKey);
