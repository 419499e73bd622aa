#include "platform/StopSignals.h"

#include <fcntl.h>
#include <poll.h>
#include <unistd.h>

#include <array>
#include <cerrno>
#include <climits>
#include <csignal>

namespace poirec {
namespace {

// A signal handler can reach only what is global. The handler notes the stop and writes a
// byte into a pipe that every wait watches, so a signal that arrives just before a wait
// still ends it (the self-pipe).
volatile std::sig_atomic_t stopRequested = 0;
std::array<int, 2> wakePipe{-1, -1};

constexpr std::array<int, 3> kStopSignals{SIGINT, SIGTERM, SIGHUP};
std::array<struct sigaction, kStopSignals.size()> previousActions{};
struct sigaction previousPipeAction {};

void OnStopSignal(int) {
  const int savedErrno = errno;
  stopRequested = 1;
  const char byte = 1;
  [[maybe_unused]] const ssize_t written = ::write(wakePipe[1], &byte, 1);
  errno = savedErrno;
}

int TimeoutMilliseconds(std::chrono::nanoseconds timeout) {
  if (timeout <= std::chrono::nanoseconds::zero()) return 0;
  // Rounded up, so a wait never ends before its deadline and then has to wait again.
  const auto milliseconds = std::chrono::ceil<std::chrono::milliseconds>(timeout).count();
  return milliseconds > INT_MAX ? INT_MAX : static_cast<int>(milliseconds);
}

}  // namespace

StopSignals::StopSignals() {
  stopRequested = 0;
  if (::pipe2(wakePipe.data(), O_CLOEXEC | O_NONBLOCK) != 0) wakePipe = {-1, -1};

  struct sigaction action {};
  action.sa_handler = OnStopSignal;
  sigemptyset(&action.sa_mask);
  action.sa_flags = 0;  // no SA_RESTART: a blocking call returns with EINTR
  for (std::size_t i = 0; i < kStopSignals.size(); ++i) {
    ::sigaction(kStopSignals[i], &action, &previousActions[i]);
  }

  struct sigaction ignore {};
  ignore.sa_handler = SIG_IGN;
  sigemptyset(&ignore.sa_mask);
  ::sigaction(SIGPIPE, &ignore, &previousPipeAction);
}

StopSignals::~StopSignals() {
  for (std::size_t i = 0; i < kStopSignals.size(); ++i) {
    ::sigaction(kStopSignals[i], &previousActions[i], nullptr);
  }
  ::sigaction(SIGPIPE, &previousPipeAction, nullptr);
  for (int& end : wakePipe) {
    if (end >= 0) ::close(end);
    end = -1;
  }
}

bool StopSignals::Requested() const { return stopRequested != 0; }

StopSignals::Wait StopSignals::WaitForInput(int descriptor, std::chrono::nanoseconds timeout) {
  if (Requested()) return Wait::Stop;
  std::array<pollfd, 2> watched{pollfd{wakePipe[0], POLLIN, 0}, pollfd{descriptor, POLLIN, 0}};
  const nfds_t count = descriptor >= 0 ? 2 : 1;
  const int ready = ::poll(watched.data(), count, TimeoutMilliseconds(timeout));
  if (Requested()) return Wait::Stop;
  // An interrupted wait counts as input: the caller looks again and waits anew.
  if (ready < 0) return Wait::Input;
  if (count == 2 && watched[1].revents != 0) return Wait::Input;
  return Wait::Timeout;
}

}  // namespace poirec
