#pragma once
// Other runs of the program, as forked copies of the test: each child runs one function
// and ends with its result as exit status, without running the test's own teardown.
#include <sys/types.h>

#include <functional>

namespace poirec::test {

// Holds children back until the test opens it, so that they start together.
class StartGate {
 public:
  StartGate();
  ~StartGate();
  StartGate(const StartGate&) = delete;
  StartGate& operator=(const StartGate&) = delete;

  void WaitUntilOpen();  // in a child
  void Open();           // in the test

 private:
  int read_ = -1;
  int write_ = -1;
};

class ChildProcess {
 public:
  explicit ChildProcess(const std::function<int()>& body);
  ~ChildProcess();  // a child still running is killed
  ChildProcess(const ChildProcess&) = delete;
  ChildProcess& operator=(const ChildProcess&) = delete;

  // The child's exit status, or 128 + the signal that ended it.
  int Wait();
  void Kill();

 private:
  pid_t id_ = -1;
};

}  // namespace poirec::test
