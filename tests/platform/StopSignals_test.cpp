#include "platform/StopSignals.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <array>
#include <csignal>
#include <thread>

namespace poirec {
namespace {

using std::chrono::milliseconds;
using std::chrono::seconds;

TEST(StopSignals, AWaitEndsWithInputTheTimeoutOrAStopSignal) {
  StopSignals stop;
  std::array<int, 2> pipe{};
  ASSERT_EQ(::pipe(pipe.data()), 0);
  EXPECT_EQ(stop.WaitForInput(pipe[0], milliseconds(20)), StopSignals::Wait::Timeout);
  EXPECT_EQ(stop.WaitForInput(-1, milliseconds(0)), StopSignals::Wait::Timeout);
  ASSERT_EQ(::write(pipe[1], "x", 1), 1);
  EXPECT_EQ(stop.WaitForInput(pipe[0], seconds(60)), StopSignals::Wait::Input);
  ::close(pipe[1]);
  ::close(pipe[0]);
  EXPECT_FALSE(stop.Requested());

  // A signal raised while the wait runs ends it at once, whichever thread receives it.
  std::thread signaller([] {
    std::this_thread::sleep_for(milliseconds(50));
    std::raise(SIGTERM);
  });
  EXPECT_EQ(stop.WaitForInput(-1, seconds(60)), StopSignals::Wait::Stop);
  signaller.join();
  EXPECT_TRUE(stop.Requested());
  // And a stop that came before a wait ends every later one.
  EXPECT_EQ(stop.WaitForInput(-1, seconds(60)), StopSignals::Wait::Stop);
}

TEST(StopSignals, EachStopSignalIsCaughtAndAClosedConnectionDoesNotEndTheProgram) {
  for (const int signal : {SIGINT, SIGTERM, SIGHUP}) {
    StopSignals stop;
    std::raise(SIGPIPE);
    EXPECT_FALSE(stop.Requested());
    std::raise(signal);
    EXPECT_TRUE(stop.Requested()) << signal;
  }
}

}  // namespace
}  // namespace poirec
