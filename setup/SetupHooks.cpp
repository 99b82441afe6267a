#include "setup/SetupHooks.h"

#include <string>

#include "common/ProductName.h"
#include "common/registry/KeyTree.h"
#include "common/registry/RegistryKey.h"
#include "common/registry/SettingsRoot.h"
#include "platform/Files.h"
#include "platform/Shell.h"
#include "setup/FileRoutines.h"

namespace {

// What the earlier release left: its settings key, folder, help file and shortcut.
constexpr LPCWSTR kOldSettingsKey = u"\\Software\\Korvel Labs\\Tessamo";
constexpr LPCWSTR kOldFolderName = u"Tessamo";
constexpr LPCWSTR kOldHelpFile = u"\\Windows\\tessamo.htm";
constexpr LPCWSTR kOldShortcut = u"tessamo.lnk";

constexpr LPCWSTR kAppName = kProductName;
constexpr LPCWSTR kAppKeysPrefix = u"\\SOFTWARE\\Apps\\";
constexpr LPCWSTR kScriptFolder = u"\\Windows\\";
constexpr LPCWSTR kScriptExtension = u".unload";
constexpr LPCWSTR kMakerKey = u"\\Software\\Korvel Labs";

bool EarlierReleasePresent() {
    RegistryKey key(HKEY_CURRENT_USER, kOldSettingsKey, false, false);
    return key.Handle() != nullptr;
}

}  // namespace

extern "C" {

codeINSTALL_INIT Install_Init(void* /*parentWindow*/, BOOL /*firstCall*/,
                              BOOL /*previouslyInstalled*/, LPCWSTR installDir) {
    if (!EarlierReleasePresent() || !installDir) return codeINSTALL_INIT_CONTINUE;

    std::u16string folder = installDir;
    StripSeparator(folder);
    const std::size_t slash = folder.rfind(u'\\');
    if (slash == std::u16string::npos) return codeINSTALL_INIT_CONTINUE;

    // The earlier release lived in a folder of its own name beside the new one.
    DeleteFolderTree(folder.substr(0, slash + 1) + kOldFolderName);

    DeleteRegistryTree(HKEY_LOCAL_MACHINE, (std::u16string(kAppKeysPrefix) + kAppName).c_str());
    DeleteRegistryTree(HKEY_LOCAL_MACHINE, kOldSettingsKey);
    DeleteRegistryTree(HKEY_CURRENT_USER, kOldSettingsKey);
    DeleteFileW((std::u16string(kScriptFolder) + kAppName + kScriptExtension).c_str());
    DeleteFileW(kOldHelpFile);

    WCHAR startMenu[MAX_PATH] = {};
    if (SHGetSpecialFolderPath(nullptr, startMenu, CSIDL_STARTMENU, FALSE)) {
        DeleteNamedFiles(startMenu, kOldShortcut);
    }
    return codeINSTALL_INIT_CONTINUE;
}

codeINSTALL_EXIT Install_Exit(void* /*parentWindow*/, LPCWSTR /*installDir*/, WORD /*failedDirs*/,
                              WORD /*failedFiles*/, WORD /*failedRegKeys*/,
                              WORD /*failedRegValues*/, WORD /*failedShortcuts*/) {
    return codeINSTALL_EXIT_DONE;
}

codeUNINSTALL_INIT Uninstall_Init(void* /*parentWindow*/, LPCWSTR /*installDir*/) {
    return codeUNINSTALL_INIT_CONTINUE;
}

codeUNINSTALL_EXIT Uninstall_Exit(void* /*parentWindow*/) {
    DeleteRegistryTree(HKEY_LOCAL_MACHINE, kSettingsRoot);

    bool makerHasSubkey = false;
    {
        RegistryKey maker(HKEY_LOCAL_MACHINE, kMakerKey, false, true);
        std::u16string name;
        makerHasSubkey = maker.FirstSubkey(name);
    }
    if (!makerHasSubkey) DeleteRegistryTree(HKEY_LOCAL_MACHINE, kMakerKey);

    DeleteRegistryTree(HKEY_LOCAL_MACHINE, (std::u16string(kAppKeysPrefix) + kAppName).c_str());
    return codeUNINSTALL_EXIT_DONE;
}

}  // extern "C"
