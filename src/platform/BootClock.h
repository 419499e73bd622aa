#pragma once
// The time since the system started, and which start that was: what makes a stamped
// position file's age trustworthy. Neither can be fooled by setting the clock, and the time
// since the start goes on while the system sleeps, so a suspend never makes an old fix look
// young.
#include <chrono>
#include <string>

namespace poirec {

// The system's boot-time clock (CLOCK_BOOTTIME): its epoch is the start of the system.
struct BootClock {
  using duration = std::chrono::nanoseconds;
  using rep = duration::rep;
  using period = duration::period;
  using time_point = std::chrono::time_point<BootClock>;
  static constexpr bool is_steady = true;
  static time_point now() noexcept;
};

// This start of the system and the time since it.
struct BootMoment {
  std::string bootId;  // the same for every program until the system starts again
  BootClock::duration sinceBoot{};
};

// The identity of this start of the system; empty when the system does not say.
std::string CurrentBootId();

BootMoment CurrentBootMoment();

}  // namespace poirec
