// The package installer's part in installing and removing the game on the device: it calls
// the setup library's hooks around its own work, as the handheld's installer did.
//
// Install: Install_Init, create the installation folder, copy the game's programs from the
// installer's own folder (those of "tessamo" and "tessamo-cli" that exist), write the
// application key "\SOFTWARE\Apps\Korvel Tessamo" (value "InstallDir", REG_SZ, and a subkey
// "Files" with one value per installed file), Install_Exit with the number of failed files.
// Uninstall: Uninstall_Init, delete the recorded files and the folder when it is empty,
// remove the application key, Uninstall_Exit. When a part of the recorded folder is no
// longer a real folder (a link or a file), no file is deleted and the folder stays, but the
// key still goes and the hooks are still called; the status then says something was left.
#pragma once

#include <string_view>
#include <filesystem>
#include <ostream>
#include <string>
#include <vector>

#include "common/ProductName.h"
#include "platform/installer/SetupLibrary.h"

// Exit statuses of tessamo-installer.
enum InstallerStatus {
    kInstallerOk = 0,
    kInstallerFailed = 1,    // not installed, already installed, folder unusable, hook cancelled,
                             // files that could not be copied in or had to be left behind
    kInstallerUsage = 2,     // bad command line or installation folder
    kInstallerNoLibrary = 3  // setup library missing or unusable
};

class PackageInstaller {
  public:
    // `programFolder` holds the files to install; messages go to `out`, errors to `err`.
    PackageInstaller(SetupLibrary& library, std::filesystem::path programFolder, std::ostream& out,
                     std::ostream& err);

    // `folder` is a device path such as "\Storage\Apps\Cards".
    InstallerStatus Install(const std::u16string& folder);
    InstallerStatus Uninstall();

    static constexpr const char16_t* kAppKey = u"\\SOFTWARE\\Apps\\Korvel Tessamo";
    static_assert(std::u16string_view(kAppKey).ends_with(kProductName));
    static constexpr const char* kGameFiles[] = {"tessamo", "tessamo-cli"};

  private:
    enum class FolderKind { kFolder, kMissing, kNotAFolder };
    // Looks at every component of the device path `folder` in turn, creating the missing
    // ones when `create` is true; kNotAFolder as soon as one is a link or a file.
    static FolderKind WalkFolder(const std::u16string& folder, bool create);
    bool CreateFolder(const std::u16string& folder);
    // Deletes the recorded plain file names in `folder`; false if one could not be deleted.
    bool RemoveFiles(const std::u16string& folder, const std::vector<std::u16string>& names);
    bool CopyIn(const std::filesystem::path& source, const std::u16string& target);

    SetupLibrary& library_;
    std::filesystem::path programFolder_;
    std::ostream& out_;
    std::ostream& err_;
};
