#include "platform/BootClock.h"

#include <fcntl.h>
#include <unistd.h>

#include <ctime>

namespace poirec {

BootClock::time_point BootClock::now() noexcept {
  timespec now{};
  ::clock_gettime(CLOCK_BOOTTIME, &now);
  return time_point(std::chrono::seconds(now.tv_sec) + std::chrono::nanoseconds(now.tv_nsec));
}

std::string CurrentBootId() {
  const int file = ::open("/proc/sys/kernel/random/boot_id", O_RDONLY | O_CLOEXEC);
  if (file < 0) return {};
  char text[64];
  const ssize_t length = ::read(file, text, sizeof text);
  ::close(file);
  std::string id(text, length > 0 ? static_cast<std::size_t>(length) : 0);
  while (!id.empty() && (id.back() == '\n' || id.back() == ' ')) id.pop_back();
  return id;
}

BootMoment CurrentBootMoment() {
  return {.bootId = CurrentBootId(), .sinceBoot = BootClock::now().time_since_epoch()};
}

}  // namespace poirec
