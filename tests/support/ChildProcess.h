#pragma once
// Other runs of the program, as forked copies of the test: each child runs one function
// and ends with its result as exit status, without running the test's own teardown.
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <functional>
#include <stdexcept>

namespace poirec::test {

// Holds children back until the test opens it, so that they start together. It opens when
// every copy of its write end is closed: the test's and the children's own.
class StartGate {
 public:
  StartGate() {
    if (::pipe(ends_) != 0) throw std::runtime_error("pipe failed");
  }
  ~StartGate() {
    Open();
    ::close(ends_[0]);
  }
  StartGate(const StartGate&) = delete;
  StartGate& operator=(const StartGate&) = delete;

  void WaitUntilOpen() {  // in a child
    Open();
    for (char byte; ::read(ends_[0], &byte, 1) < 0 && errno == EINTR;) {
    }
  }
  void Open() {  // in the test
    if (ends_[1] >= 0) ::close(ends_[1]);
    ends_[1] = -1;
  }

 private:
  int ends_[2] = {-1, -1};  // read, write
};

class ChildProcess {
 public:
  explicit ChildProcess(const std::function<int()>& body) : id_(::fork()) {
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
  ~ChildProcess() {  // a child still running is killed
    Kill();
    if (id_ > 0) Wait();
  }
  ChildProcess(const ChildProcess&) = delete;
  ChildProcess& operator=(const ChildProcess&) = delete;

  // The child's exit status, or 128 + the signal that ended it.
  int Wait() {
    int status = 0;
    while (::waitpid(id_, &status, 0) < 0) {
      if (errno != EINTR) return -1;
    }
    id_ = -1;
    return WIFSIGNALED(status) ? 128 + WTERMSIG(status) : WEXITSTATUS(status);
  }
  void Kill() {
    if (id_ > 0) ::kill(id_, SIGKILL);
  }

 private:
  pid_t id_ = -1;
};

}  // namespace poirec::test
