// Files and folders of the handheld, with the handheld's calling conventions.
//
// Paths that begin with a backslash are device paths and lie below the device folder
// (platform::ToHostPath); any other path is a host path and is used as it stands.
// Each function acts on the entry it names and never follows a symbolic link in that last
// component: a link is reported as a file (never as a folder), deleting it removes the link
// only, and enumeration never descends through it. A device path whose folders leading up to
// the entry include a link (below the device folder) names nothing: the call fails with
// ERROR_PATH_NOT_FOUND and touches nothing. In host paths the host resolves such links as
// usual.
//
// On failure a function returns FALSE (or INVALID_HANDLE_VALUE, INVALID_FILE_ATTRIBUTES,
// INVALID_FILE_SIZE) and sets the thread's last error (GetLastError). Handles are numbers
// from a table and are never reused: a null, unknown, closed or wrong-kind handle gives
// FALSE with ERROR_INVALID_HANDLE and never crashes.
#pragma once

#include "platform/Types.h"

constexpr DWORD INVALID_FILE_ATTRIBUTES = 0xFFFFFFFF;
constexpr DWORD FILE_ATTRIBUTE_READONLY = 0x01;
constexpr DWORD FILE_ATTRIBUTE_HIDDEN = 0x02;
constexpr DWORD FILE_ATTRIBUTE_DIRECTORY = 0x10;
constexpr DWORD FILE_ATTRIBUTE_ARCHIVE = 0x20;
constexpr DWORD FILE_ATTRIBUTE_NORMAL = 0x80;

constexpr DWORD GENERIC_READ = 0x80000000;
constexpr DWORD GENERIC_WRITE = 0x40000000;
constexpr DWORD FILE_SHARE_READ = 0x01;
constexpr DWORD FILE_SHARE_WRITE = 0x02;

constexpr DWORD CREATE_NEW = 1;
constexpr DWORD CREATE_ALWAYS = 2;
constexpr DWORD OPEN_EXISTING = 3;
constexpr DWORD OPEN_ALWAYS = 4;
constexpr DWORD TRUNCATE_EXISTING = 5;

constexpr DWORD INVALID_FILE_SIZE = 0xFFFFFFFF;

// Errors only the file functions report (the common ones are in platform/Types.h).
constexpr LONG ERROR_INVALID_NAME = 123;
constexpr LONG ERROR_DIRECTORY = 267;

struct WIN32_FIND_DATAW {
    DWORD dwFileAttributes;
    DWORD nFileSizeHigh;
    DWORD nFileSizeLow;
    WCHAR cFileName[MAX_PATH];
};

// Attributes of the named entry: FILE_ATTRIBUTE_DIRECTORY for a folder; READONLY when the
// owner may not write it; HIDDEN when its name begins with "."; NORMAL for a file without
// other attributes. A symbolic link is a file with FILE_ATTRIBUTE_NORMAL.
// INVALID_FILE_ATTRIBUTES with ERROR_FILE_NOT_FOUND / ERROR_PATH_NOT_FOUND when missing.
DWORD GetFileAttributesW(LPCWSTR path);

// Only FILE_ATTRIBUTE_READONLY has an effect: it clears (or, when absent, sets) the owner's
// write permission. The other bits are accepted and ignored. On a symbolic link nothing
// changes (a link carries no permissions of its own) and the call succeeds.
BOOL SetFileAttributesW(LPCWSTR path, DWORD attributes);

// Enumerates the folder named by the pattern's path part; the last component may hold '*'
// and '?', matched without regard to case ("*.*" and "name.*" also match names without a
// dot). Never yields "." or "..". The folder's entries are taken when the search starts,
// so deleting entries during the enumeration is safe. A pattern whose folder is itself a
// symbolic link finds nothing. Names that are not valid UTF-8 on the host are skipped.
// No match: INVALID_HANDLE_VALUE with ERROR_FILE_NOT_FOUND (ERROR_PATH_NOT_FOUND when the
// folder is missing).
HANDLE FindFirstFileW(LPCWSTR pattern, WIN32_FIND_DATAW* data);
// FALSE with ERROR_NO_MORE_FILES after the last entry.
BOOL FindNextFileW(HANDLE find, WIN32_FIND_DATAW* data);
BOOL FindClose(HANDLE find);

// Removes a file or a symbolic link (the link only). A folder gives ERROR_ACCESS_DENIED;
// so does a read-only file, as on the handheld: clear the attribute first.
BOOL DeleteFileW(LPCWSTR path);
// Removes an empty folder; ERROR_DIR_NOT_EMPTY otherwise, ERROR_DIRECTORY for a file or link.
BOOL RemoveDirectoryW(LPCWSTR path);
// ERROR_ALREADY_EXISTS when anything of that name exists. `security` is ignored.
BOOL CreateDirectoryW(LPCWSTR path, void* security);

// Opens or creates a regular file. `access` is a combination of GENERIC_READ and
// GENERIC_WRITE. `shareMode`, `security`, `flags` and `templateFile` are accepted and
// ignored (the host does not lock files between handles). Opening for writing refuses a
// read-only file and a symbolic link (ERROR_ACCESS_DENIED), so a write never lands outside
// the named entry; opening for reading only reads through a link to a file. Folders and
// special files (pipes, devices) give ERROR_ACCESS_DENIED. CREATE_ALWAYS and OPEN_ALWAYS
// set ERROR_ALREADY_EXISTS when the file existed; CREATE_NEW fails with ERROR_FILE_EXISTS.
HANDLE CreateFileW(LPCWSTR path, DWORD access, DWORD shareMode, void* security,
                   DWORD creationDisposition, DWORD flags, HANDLE templateFile);

// Reads up to `toRead` bytes at the current position; at the end of the file it succeeds
// with *read = 0. `read` may be null. Overlapped operation is not supported
// (ERROR_INVALID_PARAMETER). A handle opened without GENERIC_READ gives ERROR_ACCESS_DENIED.
BOOL ReadFile(HANDLE file, void* buffer, DWORD toRead, DWORD* read, void* overlapped);
BOOL WriteFile(HANDLE file, const void* buffer, DWORD toWrite, DWORD* written, void* overlapped);

// The low 32 bits of the size; the high bits go to *high when it is not null. On success
// the last error is ERROR_SUCCESS, so a size whose low part is 0xFFFFFFFF can be told apart.
DWORD GetFileSize(HANDLE file, DWORD* high);

// Closes a handle from CreateFileW.
BOOL CloseHandle(HANDLE handle);
