#pragma once
// The command line of poirecorder-gpsd.
#include <chrono>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace poirec {

struct FeederOptions {
  enum class Action { Run, Help, Version, Error };
  Action action = Action::Run;
  std::string error;  // for Error: what is wrong, as a sentence without its end
  std::string host = "localhost";
  std::string port = "2947";
  std::optional<std::string> file;  // empty: the documents folder's position file
  std::chrono::nanoseconds staleAfter = std::chrono::seconds(3);
};

// Reads the arguments after the program's name. Each option with a value takes it as the
// next argument or after "=" ("--port 2948", "--port=2948").
FeederOptions ParseFeederOptions(const std::vector<std::string_view>& arguments);

// The text of --help; defaultFile is the position file written without --file.
std::string FeederUsage(std::string_view defaultFile);

}  // namespace poirec
