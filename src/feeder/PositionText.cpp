#include "feeder/PositionText.h"

#include <algorithm>
#include <cmath>

#include "platform/NumberText.h"
#include "position/PositionFile.h"

namespace poirec {
namespace {

bool IsLineSpace(char c) { return c == ' ' || c == '\t' || c == '\v' || c == '\f'; }

// A value that rounds to zero is written "0.0...", never "-0.0...".
std::string FormatDegrees(double value, int decimals) {
  std::string text = FormatFixed(value, decimals);
  if (text.starts_with('-') && text.find_first_not_of("-0.") == std::string::npos) text.erase(0, 1);
  return text;
}

}  // namespace

double NormalizeCourse(double degrees) {
  double course = std::fmod(degrees, 360.0);
  if (course < 0.0) course += 360.0;
  return course;
}

std::string FormatPositionFile(const PositionFileContents& contents) {
  std::string course = FormatDegrees(NormalizeCourse(contents.course), 1);
  // 359.96 rounds to a full circle, which is north.
  if (course == "360.0") course = "0.0";
  std::string text;
  text.reserve(64);
  text += "Lat = " + FormatDegrees(contents.latitude, 7) + '\n';
  text += "Lon = " + FormatDegrees(contents.longitude, 7) + '\n';
  text += "Course = " + course + '\n';
  text += contents.valid ? "Valid = 1\n" : "Valid = 0\n";
  return text;
}

std::string FormatFreshnessStamp(std::string_view bootId, BootClock::duration sinceBoot) {
  // Cut to the millisecond, never rounded up: a stamp never lies ahead of the time.
  const auto milliseconds = std::chrono::floor<std::chrono::milliseconds>(sinceBoot).count();
  std::string fraction = std::to_string(milliseconds % 1000);
  fraction.insert(0, 3 - fraction.size(), '0');
  std::string text;
  text.reserve(80);
  text.append(kBootIdKey).append(" ").append(bootId).append("\n");
  text.append(kUptimeKey).append(" ").append(std::to_string(milliseconds / 1000));
  text.append(".").append(fraction).append("\n");
  return text;
}

bool IsPositionFileText(std::string_view bytes) {
  std::size_t start = 0;
  while (start < bytes.size()) {
    std::size_t end = bytes.find_first_of("\r\n", start);
    if (end == std::string_view::npos) end = bytes.size();
    std::string_view line = bytes.substr(start, end - start);
    while (!line.empty() && IsLineSpace(line.front())) line.remove_prefix(1);
    const auto isKeyLine = [line](std::string_view key) { return line.starts_with(key); };
    if (!line.empty() && std::ranges::none_of(kPositionFileKeys, isKeyLine)) return false;
    start = end + 1;
  }
  return true;
}

}  // namespace poirec
