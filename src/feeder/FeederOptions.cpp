#include "feeder/FeederOptions.h"

#include <algorithm>
#include <cmath>

#include "platform/NumberText.h"
#include "platform/TextCharacters.h"

namespace poirec {
namespace {

// A stale time longer than a day would keep a fix valid for the whole of a drive.
constexpr double kLongestStaleSeconds = 86400.0;

// Whole decimal texts only: "3", "0.5", "2." — no sign, exponent or trailing letters.
bool IsPlainDecimal(std::string_view text) {
  const std::size_t point = text.find('.');
  const std::string_view whole = text.substr(0, point);
  const std::string_view fraction =
      point == std::string_view::npos ? std::string_view() : text.substr(point + 1);
  return (!whole.empty() || !fraction.empty()) && std::ranges::all_of(whole, IsDigit) &&
         std::ranges::all_of(fraction, IsDigit);
}

std::optional<std::chrono::nanoseconds> ParseSeconds(std::string_view text) {
  if (!IsPlainDecimal(text)) return std::nullopt;
  const double seconds = ParseDecimalPrefix(text);
  if (!(seconds > 0.0) || seconds > kLongestStaleSeconds) return std::nullopt;
  return std::chrono::nanoseconds(static_cast<long long>(std::llround(seconds * 1e9)));
}

bool IsPort(std::string_view text) {
  if (text.empty() || text.size() > 5 || !std::ranges::all_of(text, IsDigit)) return false;
  const int port = std::stoi(std::string(text));
  return port >= 1 && port <= 65535;
}

FeederOptions Ending(FeederOptions::Action action, std::string error = {}) {
  FeederOptions options;
  options.action = action;
  options.error = std::move(error);
  return options;
}

FeederOptions Failed(std::string error) {
  return Ending(FeederOptions::Action::Error, std::move(error));
}

}  // namespace

FeederOptions ParseFeederOptions(const std::vector<std::string_view>& arguments) {
  FeederOptions options;
  for (std::size_t i = 0; i < arguments.size(); ++i) {
    std::string_view name = arguments[i];
    if (name == "-h" || name == "--help") return Ending(FeederOptions::Action::Help);
    if (name == "--version") return Ending(FeederOptions::Action::Version);
    if (!name.starts_with("--")) return Failed("unexpected argument '" + std::string(name) + "'");

    std::optional<std::string_view> value;
    if (const std::size_t equals = name.find('='); equals != std::string_view::npos) {
      value = name.substr(equals + 1);
      name = name.substr(0, equals);
    }
    const bool takesValue =
        name == "--host" || name == "--port" || name == "--file" || name == "--stale-after";
    if (!takesValue) return Failed("unknown option '" + std::string(name) + "'");
    if (!value) {
      if (i + 1 == arguments.size()) {
        return Failed("option '" + std::string(name) + "' needs a value");
      }
      value = arguments[++i];
    }

    const std::string text(*value);
    if (name == "--host") {
      if (text.empty()) return Failed("the host of --host is empty");
      options.host = text;
    } else if (name == "--port") {
      if (!IsPort(text)) return Failed("'" + text + "' is no port number from 1 to 65535");
      options.port = text;
    } else if (name == "--file") {
      if (text.empty()) return Failed("the path of --file is empty");
      options.file = text;
    } else {
      const auto seconds = ParseSeconds(text);
      if (!seconds) return Failed("'" + text + "' is no number of seconds above 0 and up to 86400");
      options.staleAfter = *seconds;
    }
  }
  return options;
}

std::string FeederUsage(std::string_view defaultFile) {
  std::string usage =
      "Usage: poirecorder-gpsd [OPTION]...\n"
      "Keeps the position file of POI Recorder current from gpsd, so that a recording\n"
      "started at any moment reads the position of that moment.\n"
      "\n"
      "  --host HOST            gpsd's host (default: localhost)\n"
      "  --port PORT            gpsd's port (default: 2947)\n"
      "  --file PATH            the position file to write\n"
      "                         (default: ";
  usage += defaultFile;
  usage +=
      ")\n"
      "  --stale-after SECONDS  a fix is valid for this long after its report (default: 3)\n"
      "  -h, --help             show this help and exit\n"
      "      --version          show the version and exit\n"
      "\n"
      "The file says Valid = 0 when the fix is lost or stale, when gpsd goes away, and\n"
      "after the program is stopped with SIGINT or SIGTERM.\n";
  return usage;
}

}  // namespace poirec
