#include "platform/Process.h"

#include <fcntl.h>
#include <signal.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <string>

#include "platform/PlatformConfig.h"
#include "platform/WideString.h"

extern char** environ;

namespace {

BOOL Fail(DWORD error) {
    SetLastError(error);
    return FALSE;
}

// Writes all of `size` bytes; only async-signal-safe calls, as it runs between fork and exec.
void WriteAll(int fd, const void* data, std::size_t size) {
    const char* bytes = static_cast<const char*>(data);
    while (size > 0) {
        const ssize_t n = ::write(fd, bytes, size);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) return;
        bytes += n;
        size -= static_cast<std::size_t>(n);
    }
}

// Reads up to `size` bytes; returns how many arrived before end of file.
std::size_t ReadAll(int fd, void* data, std::size_t size) {
    char* bytes = static_cast<char*>(data);
    std::size_t done = 0;
    while (done < size) {
        const ssize_t n = ::read(fd, bytes + done, size - done);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) break;
        done += static_cast<std::size_t>(n);
    }
    return done;
}

// The program's host file: a bare name lies in the device's \Windows folder.
std::string ProgramPath(std::u16string_view application) {
    if (application.find_first_of(u"\\/") == std::u16string_view::npos) {
        return platform::ToHostPath(u"\\Windows\\" + std::u16string(application)).string();
    }
    return platform::ToHostPath(application).string();
}

}  // namespace

BOOL CreateProcessW(LPCWSTR application, LPCWSTR commandLine, void*, void*, BOOL, DWORD, void*,
                    LPCWSTR, void*, PROCESS_INFORMATION* processInfo) {
    if (processInfo) std::memset(processInfo, 0, sizeof(*processInfo));
    if (!application || !*application) return Fail(ERROR_INVALID_PARAMETER);
    const std::string program =
        ProgramPath(std::u16string_view(application, WideLength(application)));
    struct stat st;
    if (program.empty() || ::stat(program.c_str(), &st) != 0 || !S_ISREG(st.st_mode)) {
        return Fail(ERROR_FILE_NOT_FOUND);
    }
    if (::access(program.c_str(), X_OK) != 0 || (st.st_mode & 0111) == 0) {
        return Fail(ERROR_ACCESS_DENIED);
    }

    // Everything the child needs is prepared before fork: after it only async-signal-safe
    // calls are allowed, since the caller may have other threads.
    const std::string argument =
        commandLine ? ToUtf8(std::u16string_view(commandLine, WideLength(commandLine)))
                    : std::string();
    static const char kShell[] = "/bin/sh";
    char* argv[] = {const_cast<char*>(program.c_str()),
                    commandLine ? const_cast<char*>(argument.c_str()) : nullptr, nullptr};
    char* shellArgv[] = {const_cast<char*>(kShell), const_cast<char*>(program.c_str()),
                         commandLine ? const_cast<char*>(argument.c_str()) : nullptr, nullptr};
    sigset_t all;
    sigset_t previous;
    sigfillset(&all);

    int report[2];
    if (::pipe2(report, O_CLOEXEC) != 0) return Fail(ERROR_NOT_ENOUGH_MEMORY);

    // Double fork: the intermediate child starts a new session, forks the program and exits
    // at once, so the program is adopted by init and never becomes our zombie.
    ::pthread_sigmask(SIG_SETMASK, &all, &previous);
    const pid_t child = ::fork();
    if (child == 0) {
        ::close(report[0]);
        ::setsid();
        const pid_t grandchild = ::fork();
        if (grandchild != 0) {
            const int error = grandchild < 0 ? errno : 0;
            const pid_t pid = grandchild < 0 ? 0 : grandchild;
            WriteAll(report[1], &pid, sizeof(pid));
            if (error) WriteAll(report[1], &error, sizeof(error));
            ::_exit(0);
        }
        // Descriptors of the caller are not handed to the program.
        ::close_range(3, ~0U, CLOSE_RANGE_CLOEXEC);
        for (int signal = 1; signal < NSIG; ++signal) ::signal(signal, SIG_DFL);
        ::pthread_sigmask(SIG_SETMASK, &previous, nullptr);
        ::execve(program.c_str(), argv, environ);
        if (errno == ENOEXEC) ::execve(kShell, shellArgv, environ);
        const int error = errno;
        WriteAll(report[1], &error, sizeof(error));
        ::_exit(127);
    }
    const int forkError = errno;
    ::pthread_sigmask(SIG_SETMASK, &previous, nullptr);
    ::close(report[1]);
    if (child < 0) {
        ::close(report[0]);
        return Fail(forkError == ENOMEM ? ERROR_NOT_ENOUGH_MEMORY : ERROR_ACCESS_DENIED);
    }
    while (::waitpid(child, nullptr, 0) < 0 && errno == EINTR) {
    }
    // The pipe delivers the program's id, then closes on a successful exec, or carries the
    // error number when the fork or the exec failed.
    pid_t pid = 0;
    int error = 0;
    const bool gotPid = ReadAll(report[0], &pid, sizeof(pid)) == sizeof(pid);
    const bool gotError = ReadAll(report[0], &error, sizeof(error)) == sizeof(error);
    ::close(report[0]);
    if (!gotPid || pid == 0 || gotError) {
        return Fail(error == ENOENT ? ERROR_FILE_NOT_FOUND : ERROR_ACCESS_DENIED);
    }
    if (processInfo) processInfo->dwProcessId = static_cast<DWORD>(pid);
    SetLastError(ERROR_SUCCESS);
    return TRUE;
}

DWORD GetModuleFileNameW(void* module, LPWSTR buffer, DWORD size) {
    if (module) {
        SetLastError(ERROR_INVALID_HANDLE);
        return 0;
    }
    if (!buffer || size == 0) {
        SetLastError(ERROR_INSUFFICIENT_BUFFER);
        return 0;
    }
    const std::u16string path = FromUtf8(platform::ModulePath().string());
    DWORD count = static_cast<DWORD>(std::min<std::size_t>(path.size(), size - 1));
    // Never leave half of a surrogate pair at the cut.
    if (count < path.size() && count > 0 && path[count - 1] >= 0xD800 &&
        path[count - 1] <= 0xDBFF) {
        --count;
    }
    std::memcpy(buffer, path.data(), count * sizeof(WCHAR));
    buffer[count] = 0;
    SetLastError(count < path.size() ? ERROR_INSUFFICIENT_BUFFER : ERROR_SUCCESS);
    return count;
}
