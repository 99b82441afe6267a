#include "FolderGuard.h"

#include <shlobj.h>
#include <userenv.h>
#include <windows.h>

#include "BatchFile.h"

namespace {

// Shell folders that belong to the system, to all users or to the user as a whole.
const int kSpecialFolders[] = {
    CSIDL_WINDOWS,
    CSIDL_SYSTEM,
    CSIDL_SYSTEMX86,
    CSIDL_PROGRAM_FILES,
    CSIDL_PROGRAM_FILESX86,
    CSIDL_PROGRAM_FILES_COMMON,
    CSIDL_PROGRAM_FILES_COMMONX86,
    CSIDL_PROFILE,
    CSIDL_DESKTOPDIRECTORY,
    CSIDL_COMMON_DESKTOPDIRECTORY,
    CSIDL_PERSONAL,
    CSIDL_COMMON_DOCUMENTS,
    CSIDL_MYMUSIC,
    CSIDL_MYPICTURES,
    CSIDL_MYVIDEO,
    CSIDL_APPDATA,
    CSIDL_LOCAL_APPDATA,
    CSIDL_COMMON_APPDATA,
    CSIDL_STARTMENU,
    CSIDL_COMMON_STARTMENU,
    CSIDL_PROGRAMS,
    CSIDL_COMMON_PROGRAMS,
    CSIDL_STARTUP,
    CSIDL_COMMON_STARTUP,
    CSIDL_FAVORITES,
    CSIDL_FONTS,
    CSIDL_TEMPLATES,
    CSIDL_COMMON_TEMPLATES,
    CSIDL_SENDTO,
    CSIDL_RECENT,
    CSIDL_NETHOOD,
    CSIDL_PRINTHOOD,
    CSIDL_INTERNET_CACHE,
    CSIDL_COOKIES,
    CSIDL_HISTORY,
    CSIDL_ADMINTOOLS,
    CSIDL_COMMON_ADMINTOOLS,
    CSIDL_RESOURCES,
};

// Full, long form without a trailing backslash, so that equal folders compare equal.
// Returns false when the path cannot be normalised.
bool Normalise(const char* path, char* out) {
    char full[MAX_PATH];
    DWORD n = GetFullPathNameA(path, MAX_PATH, full, nullptr);
    if (n == 0 || n >= MAX_PATH) return false;
    n = GetLongPathNameA(full, out, MAX_PATH);
    if (n == 0 || n >= MAX_PATH) lstrcpyA(out, full);  // a folder that is gone keeps its form
    int length = lstrlenA(out);
    while (length > 0 && (out[length - 1] == '\\' || out[length - 1] == '/')) out[--length] = '\0';
    for (char* p = out; *p; ++p) {
        if (*p == '/') *p = '\\';
    }
    return true;
}

// True when `folder` is `special` or holds it somewhere below.
bool IsOrHolds(const char* folder, const char* special) {
    char a[MAX_PATH];
    char b[MAX_PATH];
    if (special[0] == '\0' || !Normalise(special, b)) return false;
    if (!Normalise(folder, a)) return true;  // cannot tell: be safe
    const int la = lstrlenA(a);
    const int lb = lstrlenA(b);
    if (la > lb) return false;
    if (CompareStringA(LOCALE_INVARIANT, NORM_IGNORECASE, a, la, b, la) != CSTR_EQUAL) {
        return false;
    }
    return la == lb || b[la] == '\\';
}

}  // namespace

bool FitsPathBuffer(const char* programPath) {
    return lstrlenA(programPath) < MAX_PATH - 1;
}

bool MayRemoveFolder(const char* programPath, const char* folder, const char* entryName) {
    if (entryName[0] == '\0') return false;
    if (!FitsPathBuffer(programPath)) return false;
    if (BatchTextLength(programPath, folder) + 1 > kBatchCapacity) return false;

    // The root of a volume: a drive, a share, or a folder another volume is mounted on.
    char withSeparator[MAX_PATH + 2];
    lstrcpyA(withSeparator, folder);
    lstrcatA(withSeparator, "\\");
    char volume[MAX_PATH + 1];
    if (GetVolumePathNameA(withSeparator, volume, MAX_PATH) && IsOrHolds(folder, volume)) {
        return false;
    }

    char special[MAX_PATH];
    if (GetWindowsDirectoryA(special, MAX_PATH) && IsOrHolds(folder, special)) return false;
    if (GetSystemWindowsDirectoryA(special, MAX_PATH) && IsOrHolds(folder, special)) return false;
    if (GetSystemDirectoryA(special, MAX_PATH) && IsOrHolds(folder, special)) return false;
    if (GetTempPathA(MAX_PATH, special) && IsOrHolds(folder, special)) return false;
    DWORD size = MAX_PATH;
    if (GetProfilesDirectoryA(special, &size) && IsOrHolds(folder, special)) return false;
    for (int csidl : kSpecialFolders) {
        if (SHGetFolderPathA(nullptr, csidl, nullptr, SHGFP_TYPE_CURRENT, special) == S_OK &&
            IsOrHolds(folder, special)) {
            return false;
        }
    }
    return true;
}
