// desktop-uninstall: removes the desktop side of the installation, itself included.
// Removes the uninstall entry named after its folder, then leaves a batch file that deletes
// the program, empties and removes the folder, and deletes itself. Takes no arguments,
// shows nothing, always exits with 0.
#include <windows.h>

#include <stdlib.h>

#include "BatchFile.h"
#include "FolderGuard.h"
#include "UninstallEntry.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    char programPath[MAX_PATH + 1] = {};
    GetModuleFileNameA(nullptr, programPath, MAX_PATH);
    // A path that fills the buffer may have been cut short: it names some other folder.
    if (!FitsPathBuffer(programPath)) return 0;

    // The folder part begins and ends with a backslash; the entry name is its last component.
    char drive[MAX_PATH + 1];
    char dir[MAX_PATH + 1];
    char name[MAX_PATH + 1];
    char extension[MAX_PATH + 1];
    _splitpath(programPath, drive, dir, name, extension);
    int length = lstrlenA(dir);
    if (length > 0 && dir[length - 1] == '\\') dir[--length] = '\0';
    const char* entryName = dir + length;
    while (entryName > dir && entryName[-1] != '\\') --entryName;

    char folder[MAX_PATH + 1];
    FolderOfPath(folder, programPath);
    if (!MayRemoveFolder(programPath, folder, entryName)) return 0;

    RemoveUninstallEntry(entryName);
    WriteAndStartBatch();
    return 0;
}
