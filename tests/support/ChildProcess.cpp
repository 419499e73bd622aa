#include "support/ChildProcess.h"

#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <stdexcept>

namespace poirec::test {

StartGate::StartGate() {
  int ends[2];
  if (::pipe(ends) != 0) throw std::runtime_error("pipe failed");
  read_ = ends[0];
  write_ = ends[1];
}

StartGate::~StartGate() {
  if (read_ >= 0) ::close(read_);
  if (write_ >= 0) ::close(write_);
}

void StartGate::WaitUntilOpen() {
  // The gate opens when every copy of its write end is closed: the test's and the
  // children's own.
  ::close(write_);
  write_ = -1;
  char byte;
  while (::read(read_, &byte, 1) < 0 && errno == EINTR) {
  }
}

void StartGate::Open() {
  ::close(write_);
  write_ = -1;
}

ChildProcess::ChildProcess(const std::function<int()>& body) {
  id_ = ::fork();
  if (id_ < 0) throw std::runtime_error("fork failed");
  if (id_ == 0) {
    int status = 99;  // what a child that threw ends with
    try {
      status = body();
    } catch (...) {
    }
    ::_exit(status);
  }
}

ChildProcess::~ChildProcess() {
  if (id_ > 0) {
    Kill();
    Wait();
  }
}

int ChildProcess::Wait() {
  int status = 0;
  while (::waitpid(id_, &status, 0) < 0) {
    if (errno != EINTR) return -1;
  }
  id_ = -1;
  return WIFSIGNALED(status) ? 128 + WTERMSIG(status) : WEXITSTATUS(status);
}

void ChildProcess::Kill() {
  if (id_ > 0) ::kill(id_, SIGKILL);
}

}  // namespace poirec::test
