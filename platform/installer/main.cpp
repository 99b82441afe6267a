// tessamo-installer: the stand-in for the handheld's package installer.
//
//   tessamo-installer [--library PATH] install FOLDER
//   tessamo-installer [--library PATH] uninstall
//
// FOLDER is a device path such as \Storage\Apps\Cards. The device folder and the registry are
// the platform's (KORVEL_DEVICE_ROOT and XDG_DATA_HOME choose others). The setup library is
// PATH, or libtessamo-setup.so beside this program, or in ../lib from it.
#include <cstring>
#include <iostream>
#include <string>

#include "platform/PlatformConfig.h"
#include "platform/WideString.h"
#include "platform/installer/PackageInstaller.h"
#include "platform/installer/SetupLibrary.h"

namespace {

int Usage() {
    std::cerr << "usage: tessamo-installer [--library PATH] install FOLDER\n"
                 "       tessamo-installer [--library PATH] uninstall\n"
                 "FOLDER is a device path such as \\Storage\\Apps\\Cards\n";
    return kInstallerUsage;
}

}  // namespace

int main(int argc, char** argv) {
    std::filesystem::path libraryPath;
    std::string command;
    std::string folder;
    bool haveFolder = false;
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--library") == 0) {
            if (++i >= argc) return Usage();
            libraryPath = argv[i];
        } else if (command.empty()) {
            command = argv[i];
        } else if (!haveFolder) {
            folder = argv[i];
            haveFolder = true;
        } else {
            return Usage();
        }
    }
    if (command == "install") {
        if (!haveFolder) {
            std::cerr << "tessamo-installer: install needs the installation folder\n";
            return Usage();
        }
    } else if (command == "uninstall") {
        if (haveFolder) return Usage();
    } else {
        return Usage();
    }

    const std::filesystem::path programFolder = platform::ModulePath().parent_path();
    if (libraryPath.empty()) libraryPath = SetupLibrary::Find(programFolder);
    SetupLibrary library(libraryPath);
    if (!library.Loaded()) {
        std::cerr << "tessamo-installer: " << library.Error() << "\n";
        return kInstallerNoLibrary;
    }

    PackageInstaller installer(library, programFolder, std::cout, std::cerr);
    return command == "install" ? installer.Install(FromUtf8(folder)) : installer.Uninstall();
}
