#include "tests/support/ChildProcess.h"

#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>

ChildProcess::ChildProcess(const std::function<int(int out, int in)>& body) {
    int output[2], input[2];
    if (pipe(output) != 0) return;
    if (pipe(input) != 0) {
        close(output[0]);
        close(output[1]);
        return;
    }
    pid_ = fork();
    if (pid_ == 0) {
        close(output[0]);
        close(input[1]);
        _exit(body(output[1], input[0]));
    }
    close(output[1]);
    close(input[0]);
    out_ = output[0];
    in_ = input[1];
    if (pid_ < 0) {
        close(out_);
        close(in_);
        out_ = in_ = -1;
    }
}

ChildProcess::~ChildProcess() {
    if (pid_ > 0) {
        Kill();
        Wait();
    }
    CloseInput();
    if (out_ >= 0) close(out_);
}

bool ChildProcess::Read(void* data, std::size_t size) {
    auto* bytes = static_cast<char*>(data);
    while (size > 0) {
        const ssize_t got = read(out_, bytes, size);
        if (got <= 0) return false;
        bytes += got;
        size -= static_cast<std::size_t>(got);
    }
    return true;
}

void ChildProcess::CloseInput() {
    if (in_ >= 0) close(in_);
    in_ = -1;
}

void ChildProcess::Kill() {
    if (pid_ > 0) kill(pid_, SIGKILL);
}

int ChildProcess::Wait() {
    if (pid_ <= 0) return -1;
    int status = 0;
    pid_t ended;
    do {
        ended = waitpid(pid_, &status, 0);
    } while (ended < 0 && errno == EINTR);
    pid_ = -1;
    return ended < 0 ? -1 : status;
}
