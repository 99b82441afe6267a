#include "BatchFile.h"

const char kBatchPath[] = "\\DelUS.bat";

namespace {

// Every line, the last included, ends with CR LF.
const char kBatchFormat[] =
    ":Repeat\r\n"
    "del \"%s\"\r\n"
    "if exist \"%s\" goto Repeat\r\n"
    "del \"%s\\*.*\" /F /S /Q\r\n"
    "rmdir \"%s\"\r\n"
    "del \"%s\"\r\n";

constexpr int kPlaceholders = 5;

// Converts ANSI text to the OEM code page. Returns the length written (without the
// terminating zero), or -1 when a character has no exact OEM form or the result does not
// fit `capacity` bytes with its terminating zero.
int AnsiToOem(const char* ansi, char* oem, int capacity) {
    WCHAR wide[kBatchCapacity];
    const int wideLength =
        MultiByteToWideChar(CP_ACP, MB_ERR_INVALID_CHARS, ansi, -1, wide, kBatchCapacity);
    if (wideLength <= 0) return -1;
    BOOL lossy = FALSE;
    const int length = WideCharToMultiByte(CP_OEMCP, WC_NO_BEST_FIT_CHARS, wide, wideLength, oem,
                                           capacity, nullptr, &lossy);
    if (length <= 0 || lossy) return -1;
    return length - 1;
}

}  // namespace

bool PathSurvivesBatch(const char* path) {
    for (const char* p = path; *p; ++p) {
        if (*p == '%' || *p == '!' || *p == '?' || static_cast<unsigned char>(*p) < 0x20) {
            return false;
        }
    }
    char oem[kBatchCapacity];
    return AnsiToOem(path, oem, kBatchCapacity) >= 0;
}

void FolderOfPath(char* folder, const char* path) {
    lstrcpyA(folder, path);
    for (char* p = folder + lstrlenA(folder); p > folder; --p) {
        if (p[-1] == '\\') {
            p[-1] = '\0';
            break;
        }
    }
}

int BatchTextLength(const char* programPath, const char* folder) {
    const int fixed = lstrlenA(kBatchFormat) - 2 * kPlaceholders;
    return fixed + 2 * lstrlenA(programPath) + 2 * lstrlenA(folder) + lstrlenA(kBatchPath);
}

int FormatBatchText(char* text, const char* programPath, const char* folder) {
    text[0] = '\0';
    if (BatchTextLength(programPath, folder) + 1 > kBatchCapacity) return -1;
    if (!PathSurvivesBatch(programPath) || !PathSurvivesBatch(folder)) return -1;
    char ansi[kBatchCapacity];
    wsprintfA(ansi, kBatchFormat, programPath, programPath, folder, folder, kBatchPath);
    const int length = AnsiToOem(ansi, text, kBatchCapacity);
    if (length < 0) text[0] = '\0';
    return length;
}

void WriteAndStartBatch() {
    char programPath[MAX_PATH + 1] = {};
    GetModuleFileNameA(nullptr, programPath, MAX_PATH);
    char folder[MAX_PATH + 1];
    FolderOfPath(folder, programPath);
    // Formatted before the file is touched, so a text that does not fit changes nothing.
    char text[kBatchCapacity];
    const int length = FormatBatchText(text, programPath, folder);
    if (length < 0) return;

    HANDLE file = CreateFileA(kBatchPath, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL | FILE_FLAG_SEQUENTIAL_SCAN, nullptr);
    if (file == INVALID_HANDLE_VALUE) return;
    DWORD written = 0;
    WriteFile(file, text, static_cast<DWORD>(length), &written, nullptr);
    CloseHandle(file);

    char commandLine[sizeof kBatchPath];  // CreateProcessA may write into it
    lstrcpyA(commandLine, kBatchPath);
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESHOWWINDOW;
    startup.wShowWindow = SW_HIDE;
    PROCESS_INFORMATION process = {};
    if (!CreateProcessA(nullptr, commandLine, nullptr, nullptr, FALSE,
                        CREATE_SUSPENDED | IDLE_PRIORITY_CLASS, nullptr, "\\", &startup,
                        &process)) {
        return;
    }
    SetThreadPriority(process.hThread, THREAD_PRIORITY_IDLE);
    SetThreadPriority(GetCurrentThread(), THREAD_PRIORITY_TIME_CRITICAL);
    SetPriorityClass(GetCurrentProcess(), HIGH_PRIORITY_CLASS);
    CloseHandle(process.hProcess);
    ResumeThread(process.hThread);
    CloseHandle(process.hThread);
}
