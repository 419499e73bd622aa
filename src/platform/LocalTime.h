#pragma once
#include <cstdint>

namespace poirec {

// A local date and time as a recording keeps it: eight unsigned 16-bit fields.
struct LocalDateTime {
  std::uint16_t year = 0;
  std::uint16_t month = 0;
  std::uint16_t dayOfWeek = 0;  // 0 is Sunday
  std::uint16_t day = 0;
  std::uint16_t hour = 0;
  std::uint16_t minute = 0;
  std::uint16_t second = 0;
  std::uint16_t millisecond = 0;
};

LocalDateTime CurrentLocalTime();

}  // namespace poirec
