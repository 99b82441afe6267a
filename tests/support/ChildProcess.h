// A second process beside a test: a writer that races the test, a holder of the store's lock,
// a process to kill at a moment of the test's choosing. The child runs `body` and exits with
// what it returns; it never comes back into the test's code.
//
// Two pipes join it to the test. The child writes to `out`, which the test reads with Read();
// the child may read `in`, which sees end of file once the test calls CloseInput(), the signal
// to stop. A child still running when the object goes is killed and reaped.
#pragma once

#include <sys/types.h>

#include <cstddef>
#include <functional>

class ChildProcess {
  public:
    explicit ChildProcess(const std::function<int(int out, int in)>& body);
    ~ChildProcess();
    ChildProcess(const ChildProcess&) = delete;
    ChildProcess& operator=(const ChildProcess&) = delete;

    bool Started() const { return pid_ > 0; }
    // Reads exactly `size` bytes of what the child wrote; false at end of file or on error.
    bool Read(void* data, std::size_t size);
    void CloseInput();
    void Kill();
    // Waits for the child to end; its status as waitpid gives it, or -1 when there is none.
    int Wait();

  private:
    pid_t pid_ = -1;
    int out_ = -1;  // the test's end of the child's output
    int in_ = -1;   // the test's end of the child's input
};
