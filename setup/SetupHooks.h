// The four hooks that the package installer calls while it installs or removes the game.
// Exported with C linkage under these exact names from the setup library.
//
// Install_Init removes what an earlier release left behind; Uninstall_Exit removes the
// game's settings, and the maker's key when nothing else is left under it. The other two
// only report success. No hook ever asks the installer to cancel or undo: every hook
// returns its "go on" code (0) whatever its own steps achieved, and never shows anything.
#pragma once

#include "platform/Types.h"

#if defined(__GNUC__)
#define SETUP_EXPORT __attribute__((visibility("default")))
#else
#define SETUP_EXPORT
#endif

enum codeINSTALL_INIT { codeINSTALL_INIT_CONTINUE = 0, codeINSTALL_INIT_CANCEL };
enum codeINSTALL_EXIT { codeINSTALL_EXIT_DONE = 0, codeINSTALL_EXIT_UNINSTALL };
enum codeUNINSTALL_INIT { codeUNINSTALL_INIT_CONTINUE = 0, codeUNINSTALL_INIT_CANCEL };
enum codeUNINSTALL_EXIT { codeUNINSTALL_EXIT_DONE = 0 };

extern "C" {

// `parentWindow` is the installer's window handle (unused). Only `installDir`, the device
// folder the game goes to, is used: the earlier release's folder "Tessamo" beside it goes.
SETUP_EXPORT codeINSTALL_INIT Install_Init(void* parentWindow, BOOL firstCall,
                                           BOOL previouslyInstalled, LPCWSTR installDir);

// The five failure counts are 16-bit, as the platform's installer passes them.
SETUP_EXPORT codeINSTALL_EXIT Install_Exit(void* parentWindow, LPCWSTR installDir, WORD failedDirs,
                                           WORD failedFiles, WORD failedRegKeys,
                                           WORD failedRegValues, WORD failedShortcuts);

SETUP_EXPORT codeUNINSTALL_INIT Uninstall_Init(void* parentWindow, LPCWSTR installDir);

SETUP_EXPORT codeUNINSTALL_EXIT Uninstall_Exit(void* parentWindow);

}  // extern "C"
