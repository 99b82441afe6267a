// Starting programs of the device, and the running program's own path.
#pragma once

#include "platform/Types.h"

constexpr LONG ERROR_INSUFFICIENT_BUFFER = 122;

struct PROCESS_INFORMATION {
    HANDLE hProcess;
    HANDLE hThread;
    DWORD dwProcessId;
    DWORD dwThreadId;
};

// Starts a program of the device, detached: it runs in a session of its own, is never
// waited for and leaves no zombie behind.
//
// `application` is a bare name such as "PegHelp.exe", looked up in the device's \Windows
// folder (letters without regard to case), or a device or host path. The file found there
// must be a regular file the host can execute: a program, or a script with a "#!" line
// (a script without one runs under /bin/sh). `commandLine`, when not null, is passed as the
// program's single argument, exactly as given (no splitting, no quoting rules).
//
// This is a reduced form of the handheld call: the program inherits the caller's
// environment and current folder; `processAttributes`, `threadAttributes`, `inheritHandles`,
// `creationFlags`, `environment`, `currentDirectory` and `startupInfo` are accepted and
// ignored, and no descriptor of the caller is passed on. When `processInfo` is not null it
// receives the host process id; its handles are null, as nothing needs to be closed.
//
// Returns FALSE when the program cannot be started: ERROR_FILE_NOT_FOUND (no such file, or a
// folder), ERROR_ACCESS_DENIED (not executable), ERROR_INVALID_PARAMETER (no name), or
// another error when the host refuses to run it.
BOOL CreateProcessW(LPCWSTR application, LPCWSTR commandLine, void* processAttributes,
                    void* threadAttributes, BOOL inheritHandles, DWORD creationFlags,
                    void* environment, LPCWSTR currentDirectory, void* startupInfo,
                    PROCESS_INFORMATION* processInfo);

// The running program's host path (platform::ModulePath()). Only the program itself is
// known: `module` must be null, otherwise 0 with ERROR_INVALID_HANDLE. Copies at most
// size - 1 characters and always terminates the buffer (when size > 0). Returns the number
// of characters copied, without the terminator; a path that did not fit is cut and the last
// error is ERROR_INSUFFICIENT_BUFFER. Returns 0 for a null buffer or size 0.
DWORD GetModuleFileNameW(void* module, LPWSTR buffer, DWORD size);
