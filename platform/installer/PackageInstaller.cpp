#include "platform/installer/PackageInstaller.h"

#include <algorithm>
#include <fstream>
#include <string>
#include <system_error>
#include <vector>

#include "common/registry/KeyTree.h"
#include "common/registry/RegistryKey.h"
#include "platform/Files.h"
#include "platform/PlatformConfig.h"
#include "platform/Registry.h"
#include "platform/WideString.h"

namespace fs = std::filesystem;

namespace {

constexpr const char16_t* kInstallDirValue = u"InstallDir";
constexpr const char16_t* kFilesSubkey = u"Files";
// Far beyond any device path; a larger value is not one this installer wrote.
constexpr DWORD kMaxFolderValueBytes = 64 * 1024;

// Every file's device path must fit in MAX_PATH characters with its terminator.
std::size_t LongestFolder() {
    std::size_t longestName = 0;
    for (const char* name : PackageInstaller::kGameFiles) {
        longestName = std::max(longestName, std::char_traits<char>::length(name));
    }
    return MAX_PATH - 1 - 1 - longestName;
}

bool IsFolder(const std::u16string& path) {
    const DWORD attributes = GetFileAttributesW(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

// The recorded installation folder, or empty when the game is not installed. The value is
// read whatever its length, so that a folder recorded by any release is found again.
std::u16string InstalledFolder() {
    RegistryKey app(HKEY_LOCAL_MACHINE, PackageInstaller::kAppKey, false, false);
    if (!app.Handle()) return {};
    DWORD type = 0;
    DWORD size = 0;
    if (RegQueryValueExW(app.Handle(), kInstallDirValue, nullptr, &type, nullptr, &size) !=
            ERROR_SUCCESS ||
        type != REG_SZ || size > kMaxFolderValueBytes) {
        return {};
    }
    std::vector<WCHAR> buffer(size / sizeof(WCHAR) + 1, u'\0');
    if (RegQueryValueExW(app.Handle(), kInstallDirValue, nullptr, &type,
                         reinterpret_cast<BYTE*>(buffer.data()), &size) != ERROR_SUCCESS ||
        type != REG_SZ) {
        return {};
    }
    return std::u16string(buffer.data(), WideLength(buffer.data()));
}

}  // namespace

PackageInstaller::PackageInstaller(SetupLibrary& library, fs::path programFolder, std::ostream& out,
                                   std::ostream& err)
    : library_(library), programFolder_(std::move(programFolder)), out_(out), err_(err) {}

// Each component is looked at on its own, so that it is the last one of the path asked about:
// the file functions report a link there as a file, never as a folder, and a link anywhere
// along the way stops the walk instead of being followed.
PackageInstaller::FolderKind PackageInstaller::WalkFolder(const std::u16string& folder,
                                                          bool create) {
    std::u16string path;
    std::size_t start = 1;
    while (start <= folder.size()) {
        std::size_t end = folder.find(u'\\', start);
        if (end == std::u16string::npos) end = folder.size();
        if (end > start) {
            path += u'\\';
            path += folder.substr(start, end - start);
            const DWORD attributes = GetFileAttributesW(path.c_str());
            if (attributes == INVALID_FILE_ATTRIBUTES) {
                const DWORD error = GetLastError();
                if (error != ERROR_FILE_NOT_FOUND && error != ERROR_PATH_NOT_FOUND) {
                    return FolderKind::kNotAFolder;  // there, but cannot be looked at
                }
                if (!create) return FolderKind::kMissing;
                if (!CreateDirectoryW(path.c_str(), nullptr) || !IsFolder(path)) {
                    return FolderKind::kNotAFolder;
                }
            } else if (!(attributes & FILE_ATTRIBUTE_DIRECTORY)) {
                return FolderKind::kNotAFolder;
            }
        }
        start = end + 1;
    }
    return path.empty() ? FolderKind::kNotAFolder : FolderKind::kFolder;
}

bool PackageInstaller::CreateFolder(const std::u16string& folder) {
    return WalkFolder(folder, true) == FolderKind::kFolder;
}

bool PackageInstaller::CopyIn(const fs::path& source, const std::u16string& target) {
    std::ifstream in(source, std::ios::binary);
    if (!in) return false;
    // CreateFileW refuses to write through a link, so the copy cannot land outside the folder.
    HANDLE file = CreateFileW(target.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return false;
    std::vector<char> buffer(1 << 16);
    bool ok = true;
    while (ok && in) {
        in.read(buffer.data(), static_cast<std::streamsize>(buffer.size()));
        const DWORD count = static_cast<DWORD>(in.gcount());
        DWORD written = 0;
        if (count > 0) {
            ok = WriteFile(file, buffer.data(), count, &written, nullptr) && written == count;
        }
    }
    ok = CloseHandle(file) && ok && in.eof();
    if (ok) {
        // Programs stay runnable on the device.
        std::error_code ec;
        const fs::path host = platform::ToHostPath(target);
        if (fs::symlink_status(host, ec).type() == fs::file_type::regular) {
            fs::permissions(host, fs::status(source, ec).permissions(), ec);
        }
    }
    return ok;
}

InstallerStatus PackageInstaller::Install(const std::u16string& requested) {
    std::u16string folder = requested;
    while (folder.size() > 1 && (folder.back() == u'\\' || folder.back() == u'/')) {
        folder.pop_back();
    }
    if (folder.size() < 2 || folder[0] != u'\\' || platform::ToHostPath(folder).empty()) {
        err_ << "tessamo-installer: the installation folder must be a device path below the "
                "device's root, such as \\Storage\\Apps\\Cards\n";
        return kInstallerUsage;
    }
    if (folder.size() > LongestFolder()) {
        err_ << "tessamo-installer: the installation folder is too long; at most "
             << LongestFolder() << " characters\n";
        return kInstallerUsage;
    }
    const std::u16string installed = InstalledFolder();
    if (!installed.empty()) {
        err_ << "tessamo-installer: Korvel Tessamo is already installed in " << ToUtf8(installed)
             << "; uninstall it first\n";
        return kInstallerFailed;
    }

    if (library_.installInit(nullptr, TRUE, FALSE, folder.c_str()) != codeINSTALL_INIT_CONTINUE) {
        err_ << "tessamo-installer: the setup library cancelled the installation\n";
        return kInstallerFailed;
    }
    if (!CreateFolder(folder)) {
        err_ << "tessamo-installer: cannot create the folder " << ToUtf8(folder) << " ("
             << platform::ToHostPath(folder).string() << ")\n";
        return kInstallerFailed;
    }

    WORD failedFiles = 0;
    std::vector<std::u16string> copied;
    for (const char* name : kGameFiles) {
        std::error_code ec;
        const fs::path source = programFolder_ / name;
        if (!fs::is_regular_file(source, ec)) {
            out_ << "not present, skipped: " << name << "\n";
            continue;
        }
        const std::u16string target = folder + u'\\' + FromUtf8(name);
        if (CopyIn(source, target)) {
            copied.push_back(FromUtf8(name));
            out_ << "installed: " << ToUtf8(target) << "\n";
        } else {
            err_ << "tessamo-installer: cannot copy " << source.string() << " to " << ToUtf8(target)
                 << "\n";
            ++failedFiles;
        }
    }
    if (copied.empty()) {
        out_ << "warning: no program files were found in " << programFolder_ << "\n";
    }

    // Written also after a failed copy, listing only what arrived, so that uninstall can
    // still clear away a partial installation.
    WORD failedKeys = 0;
    WORD failedValues = 0;
    {
        RegistryKey app(HKEY_LOCAL_MACHINE, kAppKey, true, true);
        const std::u16string dirValue = folder + u'\0';
        if (!app.Handle()) ++failedKeys;
        if (RegSetValueExW(app.Handle(), kInstallDirValue, 0, REG_SZ,
                           reinterpret_cast<const BYTE*>(dirValue.data()),
                           static_cast<DWORD>(dirValue.size() * sizeof(char16_t))) !=
            ERROR_SUCCESS) {
            ++failedValues;
        }
        RegistryKey files(app.Handle(), kFilesSubkey, true, true);
        if (!files.Handle()) ++failedKeys;
        for (const std::u16string& name : copied) failedValues += !files.SetDword(name.c_str(), 1);
    }
    if (failedKeys || failedValues) {
        // Unrecorded, the files could never be uninstalled: take them away again.
        err_ << "tessamo-installer: cannot record the installation in the settings store; "
                "the files copied are removed again\n";
        RemoveFiles(folder, copied);
        RemoveDirectoryW(folder.c_str());  // only when nothing else is left in it
        DeleteRegistryTree(HKEY_LOCAL_MACHINE, kAppKey);
        library_.installExit(nullptr, folder.c_str(), 0, failedFiles, failedKeys, failedValues, 0);
        return kInstallerFailed;
    }

    library_.installExit(nullptr, folder.c_str(), 0, failedFiles, 0, 0, 0);
    out_ << "Korvel Tessamo installed in " << ToUtf8(folder) << "\n";
    return failedFiles == 0 ? kInstallerOk : kInstallerFailed;
}

InstallerStatus PackageInstaller::Uninstall() {
    const std::u16string folder = InstalledFolder();
    if (folder.empty()) {
        err_ << "tessamo-installer: Korvel Tessamo is not installed\n";
        return kInstallerFailed;
    }
    if (library_.uninstallInit(nullptr, folder.c_str()) != codeUNINSTALL_INIT_CONTINUE) {
        err_ << "tessamo-installer: the setup library cancelled the removal\n";
        return kInstallerFailed;
    }

    std::vector<std::u16string> names;
    {
        RegistryKey files(HKEY_LOCAL_MACHINE,
                          (std::u16string(kAppKey) + u"\\" + kFilesSubkey).c_str(), false, false);
        std::u16string name;
        for (bool more = files.FirstValue(name); more; more = files.NextValue(name)) {
            names.push_back(name);
        }
    }

    bool left = false;
    switch (WalkFolder(folder, false)) {
        case FolderKind::kFolder:
            left = !RemoveFiles(folder, names);
            RemoveDirectoryW(folder.c_str());  // only when nothing else is left in it
            break;
        case FolderKind::kMissing:
            out_ << "note: " << ToUtf8(folder) << " no longer exists; no files to remove\n";
            break;
        case FolderKind::kNotAFolder:
            // A link along the way would lead the deletions somewhere else entirely.
            err_ << "tessamo-installer: " << ToUtf8(folder)
                 << " is no longer a plain folder (a part of it is a link or a file); no files "
                    "were removed, remove them yourself\n";
            left = true;
            break;
    }
    // The game counts as removed either way, so its key and settings go.
    DeleteRegistryTree(HKEY_LOCAL_MACHINE, kAppKey);

    library_.uninstallExit(nullptr);
    out_ << "Korvel Tessamo removed from " << ToUtf8(folder) << (left ? ", with files left" : "")
         << "\n";
    return left ? kInstallerFailed : kInstallerOk;
}

bool PackageInstaller::RemoveFiles(const std::u16string& folder,
                                   const std::vector<std::u16string>& names) {
    bool allGone = true;
    for (const std::u16string& name : names) {
        // Only plain names were recorded; anything else would leave the folder.
        if (name.empty() || name.find_first_of(u"\\/") != std::u16string::npos || name == u"..") {
            continue;
        }
        const std::u16string path = folder + u'\\' + name;
        const DWORD attributes = GetFileAttributesW(path.c_str());
        if (attributes == INVALID_FILE_ATTRIBUTES || (attributes & FILE_ATTRIBUTE_DIRECTORY)) {
            continue;
        }
        SetFileAttributesW(path.c_str(), attributes & ~FILE_ATTRIBUTE_READONLY);
        if (DeleteFileW(path.c_str())) {
            out_ << "removed: " << ToUtf8(path) << "\n";
        } else {
            err_ << "tessamo-installer: cannot remove " << ToUtf8(path) << "\n";
            allGone = false;
        }
    }
    return allGone;
}
