// A process that holds the store's write lock, so tests can see what a writer does while
// another process has it: it takes the lock, and keeps it until Release() or until `holdMs`
// have passed, whichever comes first.
#pragma once

#include <sys/select.h>
#include <unistd.h>

#include "platform/RegistrySupport.h"
#include "tests/support/ChildProcess.h"

class LockHolder {
  public:
    explicit LockHolder(int holdMs)
        : child_([holdMs](int out, int in) {
              platform::RegistryBatch batch;
              const char flag = batch.Ok() ? 'y' : 'n';
              if (write(out, &flag, 1) != 1) return 2;
              fd_set fds;
              FD_ZERO(&fds);
              FD_SET(in, &fds);
              timeval wait{holdMs / 1000, (holdMs % 1000) * 1000};
              select(in + 1, &fds, nullptr, nullptr, &wait);
              return 0;  // the batch dies uncommitted: the lock goes with the process
          }) {
        char flag = 0;
        locked_ = child_.Read(&flag, 1) && flag == 'y';
    }

    bool Locked() const { return locked_; }
    void Release() {
        child_.CloseInput();
        child_.Wait();
    }

  private:
    ChildProcess child_;
    bool locked_ = false;
};
