#include "feeder/FeederOptions.h"

#include <gtest/gtest.h>

namespace poirec {
namespace {

using std::chrono::milliseconds;

TEST(FeederOptionValues, TakeOnlyPlainNumbersInTheirRange) {
  const std::pair<const char*, std::optional<milliseconds>> seconds[] = {
      {"3", milliseconds(3000)},  {"0.25", milliseconds(250)},
      {"2.", milliseconds(2000)}, {"86400", milliseconds(86400000)},
      {"0", std::nullopt},        {"3s", std::nullopt},
      {"1e3", std::nullopt},      {"86400.5", std::nullopt},
      {"3,5", std::nullopt},      {"-1", std::nullopt},
      {".", std::nullopt}};
  for (const auto& [text, value] : seconds) EXPECT_EQ(ParseStaleSeconds(text), value) << text;
  const std::pair<const char*, bool> ports[] = {{"1", true},      {"65535", true},  {"0", false},
                                                {"65536", false}, {"", false},      {"+80", false},
                                                {"2947x", false}, {"000080", false}};
  for (const auto& [text, valid] : ports) EXPECT_EQ(IsPortNumber(text), valid) << text;
}

}  // namespace
}  // namespace poirec
