#pragma once
// What poirecorder-gpsd is told on its command line, and the checks of the values the
// command-line parser hands over as text.
#include <chrono>
#include <optional>
#include <string>
#include <string_view>

namespace poirec {

struct FeederOptions {
  std::string host = "localhost";
  std::string port = "2947";
  std::optional<std::string> file;  // empty: the documents folder's position file
  std::chrono::nanoseconds staleAfter = std::chrono::seconds(3);
};

// A port number from 1 to 65535, in digits alone.
bool IsPortNumber(std::string_view text);

// Seconds written as a plain decimal ("3", "0.5", "2."; no sign, exponent or unit), above 0
// and up to a day; nothing for any other text.
std::optional<std::chrono::nanoseconds> ParseStaleSeconds(std::string_view text);

}  // namespace poirec
