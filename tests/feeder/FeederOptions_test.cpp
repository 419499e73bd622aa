#include "feeder/FeederOptions.h"

#include <gtest/gtest.h>

namespace poirec {
namespace {

using Action = FeederOptions::Action;
using std::chrono::milliseconds;

TEST(ParseFeederOptions, ReadsEachOptionWithItsValueNextOrAfterAnEqualsSign) {
  const auto defaults = ParseFeederOptions({});
  EXPECT_EQ(defaults.action, Action::Run);
  EXPECT_EQ(defaults.host, "localhost");
  EXPECT_EQ(defaults.port, "2947");
  EXPECT_FALSE(defaults.file);
  EXPECT_EQ(defaults.staleAfter, milliseconds(3000));

  const auto options = ParseFeederOptions(
      {"--host", "car.local", "--port=2948", "--file", "/tmp/my pos.txt", "--stale-after=0.25"});
  EXPECT_EQ(options.action, Action::Run);
  EXPECT_EQ(options.host, "car.local");
  EXPECT_EQ(options.port, "2948");
  EXPECT_EQ(options.file, "/tmp/my pos.txt");
  EXPECT_EQ(options.staleAfter, milliseconds(250));

  EXPECT_EQ(ParseFeederOptions({"--stale-after", "86400"}).staleAfter, std::chrono::hours(24));
  EXPECT_EQ(ParseFeederOptions({"--stale-after", "2."}).staleAfter, milliseconds(2000));
  EXPECT_EQ(ParseFeederOptions({"--port", "1", "--port", "65535"}).port, "65535");
  EXPECT_EQ(ParseFeederOptions({"--port", "2948", "--help"}).action, Action::Help);
  EXPECT_EQ(ParseFeederOptions({"-h"}).action, Action::Help);
  EXPECT_EQ(ParseFeederOptions({"--version", "--bad"}).action, Action::Version);
}

TEST(ParseFeederOptions, RefusesWhatItCannotUseAndSaysWhy) {
  const std::pair<std::vector<std::string_view>, const char*> cases[] = {
      {{"--hots", "x"}, "unknown option '--hots'"},
      {{"-p", "2947"}, "unexpected argument '-p'"},
      {{"--port"}, "option '--port' needs a value"},
      {{"--help=yes"}, "unknown option '--help'"},
      {{"--host="}, "the host of --host is empty"},
      {{"--port", "0"}, "'0' is no port number from 1 to 65535"},
      {{"--port", "65536"}, "'65536' is no port number from 1 to 65535"},
      {{"--stale-after", "0"}, "'0' is no number of seconds above 0 and up to 86400"},
      {{"--stale-after", "3s"}, "'3s' is no number of seconds above 0 and up to 86400"},
      {{"--stale-after", "1e3"}, "'1e3' is no number of seconds above 0 and up to 86400"},
      {{"--stale-after", "86400.5"}, "'86400.5' is no number of seconds above 0 and up to 86400"},
      {{"--stale-after", "3,5"}, "'3,5' is no number of seconds above 0 and up to 86400"}};
  for (const auto& [arguments, error] : cases) {
    const FeederOptions options = ParseFeederOptions(arguments);
    EXPECT_EQ(options.action, Action::Error) << error;
    EXPECT_EQ(options.error, error);
  }
}

}  // namespace
}  // namespace poirec
