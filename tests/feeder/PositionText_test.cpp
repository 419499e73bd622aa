#include "feeder/PositionText.h"

#include <gtest/gtest.h>

#include <chrono>
#include <string>

namespace poirec {
namespace {

TEST(FormatPositionFile, WritesTheFourKeysWithFixedDecimalsAndLineFeeds) {
  const std::pair<PositionFileContents, const char*> cases[] = {
      {{48.137154, 11.576124, 245.7, true},
       "Lat = 48.1371540\nLon = 11.5761240\nCourse = 245.7\nValid = 1\n"},
      {{}, "Lat = 0.0000000\nLon = 0.0000000\nCourse = 0.0\nValid = 0\n"},
      // West and south; whole numbers keep their decimal point, so no reader takes "90"
      // for another number.
      {{-33.8567844, -151.2152967, 90.0, false},
       "Lat = -33.8567844\nLon = -151.2152967\nCourse = 90.0\nValid = 0\n"},
      // Rounded as printf rounds; a value that rounds to zero has no sign.
      {{0.12345678, -0.00000004, 0.04, true},
       "Lat = 0.1234568\nLon = 0.0000000\nCourse = 0.0\nValid = 1\n"},
      {{90.0, 180.0, 359.94, true},
       "Lat = 90.0000000\nLon = 180.0000000\nCourse = 359.9\nValid = 1\n"},
      // The course always lies in [0, 360): a full circle and beyond is north again.
      {{1.0, 2.0, 359.96, true}, "Lat = 1.0000000\nLon = 2.0000000\nCourse = 0.0\nValid = 1\n"},
      {{1.0, 2.0, -0.0, true}, "Lat = 1.0000000\nLon = 2.0000000\nCourse = 0.0\nValid = 1\n"}};
  for (const auto& [contents, text] : cases) EXPECT_EQ(FormatPositionFile(contents), text) << text;
  // The stamp is cut to the millisecond, so that it never lies ahead of the time it was written.
  EXPECT_EQ(FormatFreshnessStamp("b00t", std::chrono::nanoseconds(5123042999999)),
            "Boot id = b00t\nUptime = 5123.042\n");
}

// The feeder replaces only a file of the position file's own lines.
TEST(IsPositionFileText, TakesOnlyKeyLinesAndBlankLines) {
  const std::pair<const char*, bool> cases[] = {
      {"", true},
      {"\n \r\n", true},
      {"Lat = 48.1\nLon = 11.5\nCourse = 245.7\nValid = 1\nBoot id = b\nUptime = 5.0\n", true},
      {"\r\n  Valid = 0\r\n\tCourse = 12.0", true},
      {"My notes\nValid = yes\n", false},
      {"Valid = 1\n# written by a navigation program\n", false},
      {"lat = 48.1\n", false}};  // the recorder would not read it either
  for (const auto& [text, taken] : cases) EXPECT_EQ(IsPositionFileText(text), taken) << text;
}

}  // namespace
}  // namespace poirec
