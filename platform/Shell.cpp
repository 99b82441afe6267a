#include "platform/Shell.h"

#include <algorithm>
#include <string_view>

#include "platform/Files.h"

namespace {

constexpr std::u16string_view kStartMenu = u"\\Windows\\Start Menu";

}  // namespace

BOOL SHGetSpecialFolderPath(void* /*owner*/, LPWSTR path, int csidl, BOOL create) {
    if (!path || csidl != CSIDL_STARTMENU) return FALSE;
    std::copy(kStartMenu.begin(), kStartMenu.end(), path);
    path[kStartMenu.size()] = u'\0';
    if (create && GetFileAttributesW(path) == INVALID_FILE_ATTRIBUTES) {
        return CreateDirectoryW(path, nullptr);
    }
    return TRUE;
}
