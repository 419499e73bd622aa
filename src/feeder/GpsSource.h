#pragma once
// What the position feeder learns from gpsd, and the two things it waits on: gpsd behind a
// small interface (libgps in the program, a script of reports in the tests) and a clock.
#include <chrono>
#include <optional>
#include <string>

#include "platform/BootClock.h"

namespace poirec {

// The time since the system started: it stamps the file, and times the fix.
using FeedClock = BootClock;
using TimePoint = FeedClock::time_point;

enum class FixMode { Unknown, NoFix, TwoD, ThreeD };

// One position report of gpsd: the receiver's fix as it stood at that moment. A value the
// report does not carry is empty.
struct GpsReport {
  FixMode mode = FixMode::Unknown;
  std::optional<double> latitude;   // degrees, north positive
  std::optional<double> longitude;  // degrees, east positive
  std::optional<double> course;     // degrees clockwise from true north
};

struct GpsEvent {
  enum class Kind {
    Report,  // a position report arrived
    Lost,    // the connection to gpsd ended
    Stop,    // the program was asked to stop
    Quiet,   // the deadline passed with none of these
  };
  Kind kind = Kind::Quiet;
  GpsReport report;  // for Report
};

class GpsSource {
 public:
  virtual ~GpsSource() = default;
  // Connects to gpsd and asks it for reports; false, with the reason, when it cannot.
  virtual bool Connect(std::string& reason) = 0;
  virtual void Disconnect() = 0;
  // Waits for what happens next, until the deadline at the latest. While not connected
  // only Stop and Quiet can happen.
  virtual GpsEvent Wait(TimePoint deadline) = 0;
};

class Clock {
 public:
  virtual ~Clock() = default;
  virtual TimePoint Now() = 0;
};

// Time that only runs forward: a fix's age must not jump when the system's clock is set, and
// grows while the system sleeps.
class SteadyClock final : public Clock {
 public:
  TimePoint Now() override { return FeedClock::now(); }
};

}  // namespace poirec
