#pragma once
// A program that runs until it is told to stop (the position feeder) learns of SIGINT,
// SIGTERM and SIGHUP here, and waits for input in a way that such a signal ends at once.
#include <chrono>

namespace poirec {

class StopSignals {
 public:
  enum class Wait { Input, Stop, Timeout };

  // Catches SIGINT, SIGTERM and SIGHUP for the life of the object. A signal also breaks off
  // a blocking call in progress (such as a connect), so the program can stop without delay.
  // SIGPIPE is ignored: writing to a connection the other side has closed then fails with
  // an error instead of ending the program. One object at a time.
  StopSignals();
  ~StopSignals();
  StopSignals(const StopSignals&) = delete;
  StopSignals& operator=(const StopSignals&) = delete;

  // True once one of the signals has arrived.
  bool Requested() const;

  // Waits until the descriptor has input (or its connection ended), a stop is requested, or
  // the timeout has passed. A descriptor of -1 waits for the stop or the timeout alone.
  Wait WaitForInput(int descriptor, std::chrono::nanoseconds timeout);
};

}  // namespace poirec
