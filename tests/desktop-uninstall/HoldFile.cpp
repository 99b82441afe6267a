// hold-file.exe FILE READY RELEASE: a Windows helper for the uninstaller's tests.
// Opens FILE for reading without delete sharing, so that nothing can delete it, creates READY,
// and keeps FILE open until RELEASE exists (or a minute has passed).
#include <windows.h>

int main(int argc, char** argv) {
    if (argc != 4) return 2;
    HANDLE held = CreateFileA(argv[1], GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (held == INVALID_HANDLE_VALUE) return 3;
    HANDLE ready = CreateFileA(argv[2], GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                               FILE_ATTRIBUTE_NORMAL, nullptr);
    if (ready == INVALID_HANDLE_VALUE) return 4;
    CloseHandle(ready);
    for (int waited = 0; waited < 60000; waited += 20) {
        if (GetFileAttributesA(argv[3]) != INVALID_FILE_ATTRIBUTES) break;
        Sleep(20);
    }
    CloseHandle(held);
    return 0;
}
