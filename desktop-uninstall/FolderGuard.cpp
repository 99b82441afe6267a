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

// Names the shell gives to the folders directly inside a profile, in the current layout and
// in the older one, whoever the profile belongs to.
const char* const kProfileFolderNames[] = {
    "3D Objects",   "AppData",   "Application Data", "Contacts",  "Cookies",        "Desktop",
    "Documents",    "Downloads", "Favorites",        "Links",     "Local Settings", "Music",
    "My Documents", "NetHood",   "Pictures",         "PrintHood", "Recent",         "Saved Games",
    "Searches",     "SendTo",    "Start Menu",       "Templates", "Videos",
};

bool SameText(const char* a, int la, const char* b, int lb) {
    return la == lb &&
           CompareStringA(LOCALE_INVARIANT, NORM_IGNORECASE, a, la, b, lb) == CSTR_EQUAL;
}

// True when the normalised path `inner` is `outer` or lies below it.
bool IsAtOrBelowNormalised(const char* inner, const char* outer) {
    const int li = lstrlenA(inner);
    const int lo = lstrlenA(outer);
    if (lo == 0 || li < lo || !SameText(inner, lo, outer, lo)) return false;
    return li == lo || inner[lo] == '\\';
}

// True when `folder` is `special` or holds it somewhere below.
bool IsOrHolds(const char* folder, const char* special) {
    char a[MAX_PATH];
    char b[MAX_PATH];
    if (special[0] == '\0' || !Normalise(special, b)) return false;
    if (!Normalise(folder, a)) return true;  // cannot tell: be safe
    return IsAtOrBelowNormalised(b, a);
}

// True when `folder` is `special`, holds it, or lies anywhere below it.
bool IsOrHoldsOrIsBelow(const char* folder, const char* special) {
    char a[MAX_PATH];
    char b[MAX_PATH];
    if (special[0] == '\0' || !Normalise(special, b)) return false;
    if (!Normalise(folder, a)) return true;
    return IsAtOrBelowNormalised(b, a) || IsAtOrBelowNormalised(a, b);
}

// The part of the normalised `path` after `base` and its backslash, or null when `path` does
// not lie strictly below `base`.
const char* Below(const char* path, const char* base) {
    const int lb = lstrlenA(base);
    if (!IsAtOrBelowNormalised(path, base) || path[lb] == '\0') return nullptr;
    return path + lb + 1;
}

// `rest` is the part of a folder below some user's profile. True when it names one of the
// shell's folders there, or holds one: by its name directly inside the profile, or by the
// place that one of the current user's shell folders has inside the current user's profile,
// which the other profiles of the system share.
bool IsProfileShellFolder(const char* rest) {
    const char* slash = rest;
    while (*slash && *slash != '\\') ++slash;
    if (*slash == '\0') {
        const int length = static_cast<int>(slash - rest);
        for (const char* name : kProfileFolderNames) {
            if (SameText(rest, length, name, lstrlenA(name))) return true;
        }
    }

    char profile[MAX_PATH];
    char special[MAX_PATH];
    char normal[MAX_PATH];
    if (SHGetFolderPathA(nullptr, CSIDL_PROFILE, nullptr, SHGFP_TYPE_CURRENT, special) != S_OK ||
        !Normalise(special, profile)) {
        return false;
    }
    auto holdsPlaceOf = [&](const char* path) {
        if (!Normalise(path, normal)) return false;
        const char* place = Below(normal, profile);
        return place && IsAtOrBelowNormalised(place, rest);
    };
    if (GetTempPathA(MAX_PATH, special) && holdsPlaceOf(special)) return true;
    for (int csidl : kSpecialFolders) {
        if (SHGetFolderPathA(nullptr, csidl, nullptr, SHGFP_TYPE_CURRENT, special) == S_OK &&
            holdsPlaceOf(special)) {
            return true;
        }
    }
    return false;
}

// Any user's profile, the shell folders inside it, and the folders that hold them.
bool IsInProfiles(const char* folder) {
    char profiles[MAX_PATH];
    char special[MAX_PATH];
    DWORD size = MAX_PATH;
    if (!GetProfilesDirectoryA(special, &size) || !Normalise(special, profiles)) return false;
    if (IsOrHolds(folder, profiles)) return true;
    char normal[MAX_PATH];
    if (!Normalise(folder, normal)) return true;
    const char* user = Below(normal, profiles);
    if (!user) return false;
    const char* rest = user;
    while (*rest && *rest != '\\') ++rest;
    if (*rest == '\0') return true;  // a profile itself
    return IsProfileShellFolder(rest + 1);
}

}  // namespace

bool FitsPathBuffer(const char* programPath) {
    return lstrlenA(programPath) < MAX_PATH - 1;
}

bool MayRemoveFolder(const char* programPath, const char* folder, const char* entryName) {
    if (entryName[0] == '\0') return false;
    if (!FitsPathBuffer(programPath)) return false;
    if (BatchTextLength(programPath, folder) + 1 > kBatchCapacity) return false;
    // A path the batch would read differently names some other folder.
    if (!PathSurvivesBatch(programPath) || !PathSurvivesBatch(folder)) return false;

    // The root of a volume: a drive, a share, or a folder another volume is mounted on.
    char withSeparator[MAX_PATH + 2];
    lstrcpyA(withSeparator, folder);
    lstrcatA(withSeparator, "\\");
    char volume[MAX_PATH + 1];
    if (GetVolumePathNameA(withSeparator, volume, MAX_PATH) && IsOrHolds(folder, volume)) {
        return false;
    }

    // Everything below the Windows folder belongs to the system, whatever its name.
    char special[MAX_PATH];
    if (GetWindowsDirectoryA(special, MAX_PATH) && IsOrHoldsOrIsBelow(folder, special)) {
        return false;
    }
    if (GetSystemWindowsDirectoryA(special, MAX_PATH) && IsOrHoldsOrIsBelow(folder, special)) {
        return false;
    }
    if (GetSystemDirectoryA(special, MAX_PATH) && IsOrHoldsOrIsBelow(folder, special)) {
        return false;
    }
    if (GetTempPathA(MAX_PATH, special) && IsOrHolds(folder, special)) return false;
    if (IsInProfiles(folder)) return false;
    for (int csidl : kSpecialFolders) {
        if (SHGetFolderPathA(nullptr, csidl, nullptr, SHGFP_TYPE_CURRENT, special) == S_OK &&
            IsOrHolds(folder, special)) {
            return false;
        }
    }
    return true;
}
