#include "feeder/FeederOptions.h"

#include <algorithm>
#include <cmath>

#include "platform/NumberText.h"
#include "platform/TextCharacters.h"

namespace poirec {
namespace {

// A stale time longer than a day would keep a fix valid for the whole of a drive.
constexpr double kLongestStaleSeconds = 86400.0;

bool AllDigits(std::string_view text) {
  return std::ranges::all_of(text, [](char c) { return IsDigit(c); });
}

}  // namespace

bool IsPortNumber(std::string_view text) {
  if (text.empty() || text.size() > 5 || !AllDigits(text)) return false;
  const int port = std::stoi(std::string(text));
  return port >= 1 && port <= 65535;
}

std::optional<std::chrono::nanoseconds> ParseStaleSeconds(std::string_view text) {
  const std::size_t point = text.find('.');
  const std::string_view whole = text.substr(0, point);
  const std::string_view fraction =
      point == std::string_view::npos ? std::string_view() : text.substr(point + 1);
  if ((whole.empty() && fraction.empty()) || !AllDigits(whole) || !AllDigits(fraction)) {
    return std::nullopt;
  }
  const double seconds = ParseDecimalPrefix(text);
  if (!(seconds > 0.0) || seconds > kLongestStaleSeconds) return std::nullopt;
  return std::chrono::nanoseconds(static_cast<long long>(std::llround(seconds * 1e9)));
}

}  // namespace poirec
