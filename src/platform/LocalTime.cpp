#include "platform/LocalTime.h"

#include <sys/time.h>

#include <ctime>

namespace poirec {

LocalDateTime CurrentLocalTime() {
  timeval now{};
  ::gettimeofday(&now, nullptr);
  std::tm local{};
  const std::time_t seconds = now.tv_sec;
  ::localtime_r(&seconds, &local);
  LocalDateTime result;
  result.year = static_cast<std::uint16_t>(local.tm_year + 1900);
  result.month = static_cast<std::uint16_t>(local.tm_mon + 1);
  result.dayOfWeek = static_cast<std::uint16_t>(local.tm_wday);
  result.day = static_cast<std::uint16_t>(local.tm_mday);
  result.hour = static_cast<std::uint16_t>(local.tm_hour);
  result.minute = static_cast<std::uint16_t>(local.tm_min);
  // A leap second reads as the 59th, so a record's time never shows second 60.
  result.second = static_cast<std::uint16_t>(local.tm_sec > 59 ? 59 : local.tm_sec);
  result.millisecond = static_cast<std::uint16_t>(now.tv_usec / 1000);
  return result;
}

}  // namespace poirec
