#include "platform/Files.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdint>
#include <cstring>
#include <filesystem>
#include <memory>
#include <mutex>
#include <string>
#include <unordered_map>
#include <vector>

#include "platform/PlatformConfig.h"
#include "platform/WideString.h"

namespace fs = std::filesystem;

namespace {

// ---- paths ----

// The host path of a file function's argument; empty when there is none (null, empty, or a
// device path that would leave the device folder or pass through a linked folder). A
// trailing separator is dropped so that the host does not resolve a link named as the last
// component.
std::string HostPathOf(LPCWSTR path, platform::DevicePathProblem* problem) {
    if (!path || !*path) return {};
    std::string host =
        platform::ToHostPath(std::u16string_view(path, WideLength(path)), problem).string();
    while (host.size() > 1 && host.back() == '/') host.pop_back();
    return host;
}

bool ParentExists(const std::string& host) {
    const std::size_t slash = host.find_last_of('/');
    if (slash == std::string::npos) return true;  // relative to the current folder
    const std::string parent = slash == 0 ? std::string("/") : host.substr(0, slash);
    struct stat st;
    return ::stat(parent.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

// Maps errno of a failed host call on `host` to the handheld's error code.
DWORD ErrorFromErrno(int error, const std::string& host) {
    switch (error) {
        case ENOENT:
            return ParentExists(host) ? ERROR_FILE_NOT_FOUND : ERROR_PATH_NOT_FOUND;
        case ENOTDIR:
        case ENAMETOOLONG:
        case ELOOP:
            return ERROR_PATH_NOT_FOUND;
        case EACCES:
        case EPERM:
        case EROFS:
        case EISDIR:
        case ETXTBSY:
            return ERROR_ACCESS_DENIED;
        case EEXIST:
            return ERROR_ALREADY_EXISTS;
        case ENOTEMPTY:
            return ERROR_DIR_NOT_EMPTY;
        case ENOMEM:
            return ERROR_NOT_ENOUGH_MEMORY;
        case EIO:
        case ENOSPC:
        case EDQUOT:
        case EFBIG:
            return ERROR_WRITE_FAULT;
        default:
            return ERROR_ACCESS_DENIED;
    }
}

BOOL Fail(DWORD error) {
    SetLastError(error);
    return FALSE;
}

// Resolves the argument; on failure sets the last error and returns false.
bool Resolve(LPCWSTR path, std::string& host) {
    if (!path) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return false;
    }
    platform::DevicePathProblem problem = platform::DevicePathProblem::kNone;
    host = HostPathOf(path, &problem);
    if (host.empty()) {
        // A folder on the way is a link: for the handheld that folder is simply not there.
        const bool invalid = *path && problem != platform::DevicePathProblem::kThroughLink;
        SetLastError(invalid ? ERROR_INVALID_NAME : ERROR_PATH_NOT_FOUND);
        return false;
    }
    return true;
}

bool OwnerMayWrite(const struct stat& st) {
    return (st.st_mode & S_IWUSR) != 0;
}

DWORD AttributesOf(const struct stat& st, std::u16string_view name) {
    if (S_ISLNK(st.st_mode)) return FILE_ATTRIBUTE_NORMAL;
    DWORD attributes = 0;
    if (S_ISDIR(st.st_mode)) attributes |= FILE_ATTRIBUTE_DIRECTORY;
    if (!OwnerMayWrite(st)) attributes |= FILE_ATTRIBUTE_READONLY;
    if (!name.empty() && name[0] == u'.') attributes |= FILE_ATTRIBUTE_HIDDEN;
    return attributes ? attributes : FILE_ATTRIBUTE_NORMAL;
}

std::u16string FileNameOf(const std::string& host) {
    const std::size_t slash = host.find_last_of('/');
    return FromUtf8(slash == std::string::npos ? host : host.substr(slash + 1));
}

// ---- wildcard matching ----

// '*' matches any run of characters, '?' exactly one. Both sides are already folded to
// lower case.
bool WildcardMatch(std::u16string_view pattern, std::u16string_view name) {
    std::size_t p = 0, n = 0;
    std::size_t starP = std::u16string_view::npos, starN = 0;
    while (n < name.size()) {
        if (p < pattern.size() && (pattern[p] == u'?' || pattern[p] == name[n])) {
            ++p;
            ++n;
        } else if (p < pattern.size() && pattern[p] == u'*') {
            starP = p++;
            starN = n;
        } else if (starP != std::u16string_view::npos) {
            p = starP + 1;
            n = ++starN;
        } else {
            return false;
        }
    }
    while (p < pattern.size() && pattern[p] == u'*') ++p;
    return p == pattern.size();
}

// A trailing ".*" also matches a name without that dot, as on the handheld ("*.*" is all).
bool PatternMatches(std::u16string_view foldedPattern, std::u16string_view name) {
    const std::u16string folded = WideLower(name);
    const std::u16string_view pattern = foldedPattern;
    if (WildcardMatch(pattern, folded)) return true;
    if (pattern.size() >= 2 && pattern.substr(pattern.size() - 2) == u".*") {
        return WildcardMatch(pattern.substr(0, pattern.size() - 2), folded);
    }
    return false;
}

// ---- handle table ----

struct OpenFile {
    int fd = -1;
    bool canRead = false;
    bool canWrite = false;
    ~OpenFile() {
        if (fd >= 0) ::close(fd);
    }
};

struct Search {
    std::string folder;              // host folder being enumerated
    std::vector<std::string> names;  // matching names taken at the start
    std::size_t next = 0;
};

struct HandleTable {
    std::mutex mutex;
    std::uintptr_t nextValue = 0x1000;
    std::unordered_map<std::uintptr_t, std::shared_ptr<OpenFile>> files;
    std::unordered_map<std::uintptr_t, std::shared_ptr<Search>> searches;

    HANDLE NewValue() {
        const std::uintptr_t value = nextValue;
        nextValue += 4;
        return reinterpret_cast<HANDLE>(value);
    }
};

HandleTable& Handles() {
    static HandleTable table;
    return table;
}

std::uintptr_t KeyOf(HANDLE handle) {
    return reinterpret_cast<std::uintptr_t>(handle);
}

std::shared_ptr<OpenFile> FindFile(HANDLE handle) {
    HandleTable& table = Handles();
    std::lock_guard lock(table.mutex);
    auto it = table.files.find(KeyOf(handle));
    return it == table.files.end() ? nullptr : it->second;
}

std::shared_ptr<Search> FindSearch(HANDLE handle) {
    HandleTable& table = Handles();
    std::lock_guard lock(table.mutex);
    auto it = table.searches.find(KeyOf(handle));
    return it == table.searches.end() ? nullptr : it->second;
}

// Fills `data` with the next entry of the search that still exists; false when none is left.
bool NextEntry(Search& search, WIN32_FIND_DATAW* data) {
    while (search.next < search.names.size()) {
        const std::string& name = search.names[search.next++];
        const std::string full = search.folder == "/" ? "/" + name : search.folder + "/" + name;
        struct stat st;
        if (::lstat(full.c_str(), &st) != 0) continue;  // removed since the search began
        const std::u16string wide = FromUtf8(name);
        std::memset(data, 0, sizeof(*data));
        data->dwFileAttributes = AttributesOf(st, wide);
        if (!S_ISDIR(st.st_mode)) {
            const auto size = static_cast<std::uint64_t>(st.st_size);
            data->nFileSizeHigh = static_cast<DWORD>(size >> 32);
            data->nFileSizeLow = static_cast<DWORD>(size);
        }
        std::memcpy(data->cFileName, wide.data(), wide.size() * sizeof(WCHAR));
        return true;
    }
    return false;
}

}  // namespace

DWORD GetFileAttributesW(LPCWSTR path) {
    std::string host;
    if (!Resolve(path, host)) return INVALID_FILE_ATTRIBUTES;
    struct stat st;
    if (::lstat(host.c_str(), &st) != 0) {
        SetLastError(ErrorFromErrno(errno, host));
        return INVALID_FILE_ATTRIBUTES;
    }
    return AttributesOf(st, FileNameOf(host));
}

BOOL SetFileAttributesW(LPCWSTR path, DWORD attributes) {
    std::string host;
    if (!Resolve(path, host)) return FALSE;
    if (attributes == INVALID_FILE_ATTRIBUTES) return Fail(ERROR_INVALID_PARAMETER);
    struct stat st;
    if (::lstat(host.c_str(), &st) != 0) return Fail(ErrorFromErrno(errno, host));
    if (S_ISLNK(st.st_mode)) return TRUE;
    mode_t mode = st.st_mode & 07777;
    if (attributes & FILE_ATTRIBUTE_READONLY) {
        mode &= ~static_cast<mode_t>(S_IWUSR);
    } else {
        mode |= S_IWUSR;
    }
    if (mode == (st.st_mode & 07777)) return TRUE;
    // AT_SYMLINK_NOFOLLOW: should the entry have become a link meanwhile, it is not touched.
    if (::fchmodat(AT_FDCWD, host.c_str(), mode, AT_SYMLINK_NOFOLLOW) != 0) {
        if (errno == EOPNOTSUPP) return TRUE;
        return Fail(ErrorFromErrno(errno, host));
    }
    return TRUE;
}

HANDLE FindFirstFileW(LPCWSTR pattern, WIN32_FIND_DATAW* data) {
    if (!pattern || !data) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return INVALID_HANDLE_VALUE;
    }
    const std::u16string_view full(pattern, WideLength(pattern));
    const bool device = platform::IsDevicePath(full);
    const std::size_t cut = device ? full.find_last_of(u"\\/") : full.find_last_of(u'/');
    const bool inFolder = cut != std::u16string_view::npos;
    const std::u16string folderPart(inFolder ? full.substr(0, cut == 0 ? 1 : cut) : u".");
    const std::u16string_view namePattern = inFolder ? full.substr(cut + 1) : full;
    std::string folder;
    if (!Resolve(folderPart.c_str(), folder)) return INVALID_HANDLE_VALUE;

    struct stat st;
    if (::lstat(folder.c_str(), &st) != 0 || !S_ISDIR(st.st_mode)) {
        SetLastError(ERROR_PATH_NOT_FOUND);
        return INVALID_HANDLE_VALUE;
    }
    auto search = std::make_shared<Search>();
    search->folder = folder;
    const std::u16string foldedPattern = WideLower(namePattern);
    std::error_code ec;
    for (fs::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec)) {
        const std::string name = it->path().filename().string();
        const std::u16string wide = FromUtf8(name);
        // A host name with a backslash in it cannot be named by a device path: joined to
        // its folder it would split into other components, perhaps through a link.
        if (ToUtf8(wide) != name || wide.size() >= MAX_PATH ||
            wide.find(u'\\') != std::u16string::npos)
            continue;
        if (PatternMatches(foldedPattern, wide)) search->names.push_back(name);
    }
    if (!NextEntry(*search, data)) {
        SetLastError(ERROR_FILE_NOT_FOUND);
        return INVALID_HANDLE_VALUE;
    }
    HandleTable& table = Handles();
    std::lock_guard lock(table.mutex);
    HANDLE handle = table.NewValue();
    table.searches.emplace(KeyOf(handle), std::move(search));
    return handle;
}

BOOL FindNextFileW(HANDLE find, WIN32_FIND_DATAW* data) {
    std::shared_ptr<Search> search = FindSearch(find);
    if (!search) return Fail(ERROR_INVALID_HANDLE);
    if (!data) return Fail(ERROR_INVALID_PARAMETER);
    if (!NextEntry(*search, data)) return Fail(ERROR_NO_MORE_FILES);
    return TRUE;
}

BOOL FindClose(HANDLE find) {
    HandleTable& table = Handles();
    std::lock_guard lock(table.mutex);
    if (table.searches.erase(KeyOf(find)) == 0) return Fail(ERROR_INVALID_HANDLE);
    return TRUE;
}

BOOL DeleteFileW(LPCWSTR path) {
    std::string host;
    if (!Resolve(path, host)) return FALSE;
    struct stat st;
    if (::lstat(host.c_str(), &st) != 0) return Fail(ErrorFromErrno(errno, host));
    if (S_ISDIR(st.st_mode)) return Fail(ERROR_ACCESS_DENIED);
    if (!S_ISLNK(st.st_mode) && !OwnerMayWrite(st)) return Fail(ERROR_ACCESS_DENIED);
    if (::unlink(host.c_str()) != 0) return Fail(ErrorFromErrno(errno, host));
    return TRUE;
}

BOOL RemoveDirectoryW(LPCWSTR path) {
    std::string host;
    if (!Resolve(path, host)) return FALSE;
    struct stat st;
    if (::lstat(host.c_str(), &st) != 0) return Fail(ErrorFromErrno(errno, host));
    if (!S_ISDIR(st.st_mode)) return Fail(ERROR_DIRECTORY);
    if (::rmdir(host.c_str()) != 0) {
        return Fail(errno == EEXIST ? ERROR_DIR_NOT_EMPTY : ErrorFromErrno(errno, host));
    }
    return TRUE;
}

BOOL CreateDirectoryW(LPCWSTR path, void* /*security*/) {
    std::string host;
    if (!Resolve(path, host)) return FALSE;
    if (::mkdir(host.c_str(), 0777) != 0) return Fail(ErrorFromErrno(errno, host));
    return TRUE;
}

HANDLE CreateFileW(LPCWSTR path, DWORD access, DWORD /*shareMode*/, void* /*security*/,
                   DWORD creationDisposition, DWORD /*flags*/, HANDLE /*templateFile*/) {
    std::string host;
    if (!Resolve(path, host)) return INVALID_HANDLE_VALUE;
    const bool wantRead = (access & GENERIC_READ) != 0;
    const bool wantWrite = (access & GENERIC_WRITE) != 0;
    int flags = O_CLOEXEC | O_NONBLOCK;
    flags |= wantWrite ? (wantRead ? O_RDWR : O_WRONLY) : O_RDONLY;
    if (wantWrite) flags |= O_NOFOLLOW;
    switch (creationDisposition) {
        case CREATE_NEW:
            flags |= O_CREAT | O_EXCL;
            break;
        case CREATE_ALWAYS:
            flags |= O_CREAT | O_TRUNC;
            break;
        case OPEN_EXISTING:
            break;
        case OPEN_ALWAYS:
            flags |= O_CREAT;
            break;
        case TRUNCATE_EXISTING:
            flags |= O_TRUNC;
            break;
        default:
            SetLastError(ERROR_INVALID_PARAMETER);
            return INVALID_HANDLE_VALUE;
    }
    if ((flags & O_TRUNC) && !wantWrite) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return INVALID_HANDLE_VALUE;
    }

    struct stat before;
    const bool existed = ::lstat(host.c_str(), &before) == 0;
    if (existed) {
        if (S_ISDIR(before.st_mode)) {
            SetLastError(ERROR_ACCESS_DENIED);
            return INVALID_HANDLE_VALUE;
        }
        if (creationDisposition == CREATE_NEW) {
            SetLastError(ERROR_FILE_EXISTS);
            return INVALID_HANDLE_VALUE;
        }
        // The handheld refuses to write a read-only file even for its owner; the host would
        // not (and not at all for root), so the attribute is checked here.
        if (wantWrite && (S_ISLNK(before.st_mode) || !OwnerMayWrite(before))) {
            SetLastError(ERROR_ACCESS_DENIED);
            return INVALID_HANDLE_VALUE;
        }
    }
    // O_NONBLOCK until the kind is known: opening a pipe would otherwise block.
    const int fd = ::open(host.c_str(), flags, 0666);
    if (fd < 0) {
        SetLastError(errno == EEXIST && creationDisposition == CREATE_NEW
                         ? ERROR_FILE_EXISTS
                         : ErrorFromErrno(errno, host));
        return INVALID_HANDLE_VALUE;
    }
    auto file = std::make_shared<OpenFile>();
    file->fd = fd;
    file->canRead = wantRead;
    file->canWrite = wantWrite;
    struct stat st;
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
        SetLastError(ERROR_ACCESS_DENIED);
        return INVALID_HANDLE_VALUE;  // `file` closes the descriptor
    }
    ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) & ~O_NONBLOCK);

    HandleTable& table = Handles();
    std::lock_guard lock(table.mutex);
    HANDLE handle = table.NewValue();
    table.files.emplace(KeyOf(handle), std::move(file));
    const bool reportsExisting =
        existed && (creationDisposition == CREATE_ALWAYS || creationDisposition == OPEN_ALWAYS);
    SetLastError(reportsExisting ? ERROR_ALREADY_EXISTS : ERROR_SUCCESS);
    return handle;
}

BOOL ReadFile(HANDLE file, void* buffer, DWORD toRead, DWORD* read, void* overlapped) {
    std::shared_ptr<OpenFile> open = FindFile(file);
    if (!open) return Fail(ERROR_INVALID_HANDLE);
    if (read) *read = 0;
    if (overlapped || (!buffer && toRead > 0)) return Fail(ERROR_INVALID_PARAMETER);
    if (!open->canRead) return Fail(ERROR_ACCESS_DENIED);
    DWORD done = 0;
    auto* bytes = static_cast<char*>(buffer);
    while (done < toRead) {
        const ssize_t n = ::read(open->fd, bytes + done, toRead - done);
        if (n < 0) {
            if (errno == EINTR) continue;
            if (read) *read = done;
            return Fail(ERROR_READ_FAULT);
        }
        if (n == 0) break;
        done += static_cast<DWORD>(n);
    }
    if (read) *read = done;
    return TRUE;
}

BOOL WriteFile(HANDLE file, const void* buffer, DWORD toWrite, DWORD* written, void* overlapped) {
    std::shared_ptr<OpenFile> open = FindFile(file);
    if (!open) return Fail(ERROR_INVALID_HANDLE);
    if (written) *written = 0;
    if (overlapped || (!buffer && toWrite > 0)) return Fail(ERROR_INVALID_PARAMETER);
    if (!open->canWrite) return Fail(ERROR_ACCESS_DENIED);
    DWORD done = 0;
    const auto* bytes = static_cast<const char*>(buffer);
    while (done < toWrite) {
        const ssize_t n = ::write(open->fd, bytes + done, toWrite - done);
        if (n < 0) {
            if (errno == EINTR) continue;
            if (written) *written = done;
            return Fail(ERROR_WRITE_FAULT);
        }
        done += static_cast<DWORD>(n);
    }
    if (written) *written = done;
    return TRUE;
}

DWORD GetFileSize(HANDLE file, DWORD* high) {
    std::shared_ptr<OpenFile> open = FindFile(file);
    struct stat st;
    if (!open || ::fstat(open->fd, &st) != 0) {
        SetLastError(ERROR_INVALID_HANDLE);
        return INVALID_FILE_SIZE;
    }
    const auto size = static_cast<std::uint64_t>(st.st_size);
    if (high) *high = static_cast<DWORD>(size >> 32);
    SetLastError(ERROR_SUCCESS);
    return static_cast<DWORD>(size);
}

BOOL CloseHandle(HANDLE handle) {
    std::shared_ptr<OpenFile> closing;
    {
        HandleTable& table = Handles();
        std::lock_guard lock(table.mutex);
        auto it = table.files.find(KeyOf(handle));
        if (it == table.files.end()) return Fail(ERROR_INVALID_HANDLE);
        closing = std::move(it->second);
        table.files.erase(it);
    }
    return TRUE;  // the descriptor closes when the last user lets go
}
