#include "setup/FileRoutines.h"

#include "platform/Files.h"
#include "platform/WideString.h"

namespace {

// Calls `visit(name, attributes)` for every entry of the folder `dir` (which ends with a
// separator). The platform takes the entries when the search starts, so `visit` may delete.
template <typename Visit>
void ForEachEntry(const std::u16string& dir, Visit visit) {
    const std::u16string pattern = dir + u"*.*";
    WIN32_FIND_DATAW data;
    HANDLE find = FindFirstFileW(pattern.c_str(), &data);
    if (find == INVALID_HANDLE_VALUE) return;
    do {
        visit(std::u16string(data.cFileName), data.dwFileAttributes);
    } while (FindNextFileW(find, &data));
    FindClose(find);
}

}  // namespace

int PathKind(const std::u16string& path) {
    const DWORD attributes = GetFileAttributesW(path.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES) return kPathMissing;
    return (attributes & FILE_ATTRIBUTE_DIRECTORY) ? kPathFolder : kPathFile;
}

void ClearReadOnly(const std::u16string& path) {
    if (path.empty()) return;
    const DWORD attributes = GetFileAttributesW(path.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES || !(attributes & FILE_ATTRIBUTE_READONLY)) return;
    SetFileAttributesW(path.c_str(), attributes & ~FILE_ATTRIBUTE_READONLY);
}

void AppendSeparator(std::u16string& text) {
    if (!text.empty() && text.back() != u'\\' && text.back() != u'/') text += u'\\';
}

void StripSeparator(std::u16string& text) {
    if (!text.empty() && (text.back() == u'\\' || text.back() == u'/')) text.pop_back();
}

void DeleteFolderTree(const std::u16string& path) {
    // A link to a folder is reported as a file, so it never gets this far.
    if (path.empty() || PathKind(path) != kPathFolder) return;
    // Here a read-only folder keeps anything inside it from being deleted, which the
    // handheld's does not; the entries below get the same in the loop.
    ClearReadOnly(path);
    std::u16string dir = path;
    AppendSeparator(dir);
    ForEachEntry(dir, [&](const std::u16string& name, DWORD attributes) {
        const std::u16string full = dir + name;
        ClearReadOnly(full);
        if (attributes & FILE_ATTRIBUTE_DIRECTORY) {
            DeleteFolderTree(full);
        } else {
            DeleteFileW(full.c_str());
        }
    });
    StripSeparator(dir);
    RemoveDirectoryW(dir.c_str());
}

void DeleteNamedFiles(const std::u16string& folder, const std::u16string& fileName) {
    if (folder.empty() || fileName.empty() || PathKind(folder) != kPathFolder) return;
    std::u16string dir = folder;
    AppendSeparator(dir);
    ForEachEntry(dir, [&](const std::u16string& name, DWORD attributes) {
        const std::u16string full = dir + name;
        if (attributes & FILE_ATTRIBUTE_DIRECTORY) {
            DeleteNamedFiles(full, fileName);
        } else if (WideCompareNoCase(name, fileName) == 0) {
            ClearReadOnly(full);
            DeleteFileW(full.c_str());
        }
    });
}
