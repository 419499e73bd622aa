#include "poi/PoiLine.h"

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <tuple>
#include <vector>

#include "platform/TextEncoding.h"

namespace poirec {
namespace {

// Lines are given as a file's bytes and read through the code page, as the searches do.
TEST(ParsePoiLine, ReadsTheFieldsAsTheyStand) {
  const std::tuple<std::string, std::int32_t, std::int32_t, std::string> accepted[] = {
      // 8.123456 * 1000000 lies just below 8123456 in doubles and is truncated.
      {"\n8.1234560, 47.1234600, \"Quillon RECORD (05.12.26 14:03:59)\"", 8123455, 47123460,
       "\"Quillon RECORD (05.12.26 14:03:59)\""},
      {"8.1, 47.2\n", 8100000, 47200000, ""},
      {"8.1, 47.2, \"Cafe, Bar\"\n", 8100000, 47200000, "\"Cafe"},
      {"  -0.1275, -51.5\n", -127500, -51500000, ""},
      // Short fields are filled with '0' to nine characters (700000000 degrees do not
      // fit), long ones cut to eleven; a field without a number gives 0.
      {"7, 11.123456789012,x", 2147483647, 11123456, "x"},
      {"abc, , name", 0, 0, "name"},
      // The name is cut to 128 characters before it is trimmed.
      {"1.0, 2.0, " + std::string(127, 'n') + "X", 1000000, 2000000, std::string(127, 'n')},
  };
  for (const auto& [line, longitude, latitude, name] : accepted) {
    const auto poi = ParsePoiLine(DecodeCodePage(line));
    ASSERT_TRUE(poi) << line;
    EXPECT_EQ(std::tuple(poi->longitude, poi->latitude, poi->name),
              std::tuple(longitude, latitude, DecodeCodePage(name))) << line;
  }
  for (const char* line : {"   ;8.1, 47.2, \"comment, with commas\"\n", ",8.1, 47.2\n",
                           " \t,8.1\n", "x\n", "\n", "", "8.1 47.2 no comma\n"}) {
    EXPECT_FALSE(ParsePoiLine(DecodeCodePage(line))) << '"' << line << '"';
  }
}

// The searches read the bytes straight; whatever a line holds, they must see the
// position ParsePoiLine sees in its text. Lines of the characters that steer the number
// reading, and numbers as they are written with a varied number of decimals.
TEST(ParsePoiPosition, AgreesWithParsePoiLine) {
  std::vector<std::string> lines = {"15         x, 1",  // a blank the field's cut leaves last
                                    "\x86" "5, 4\x89" "2", "5\x8B, \xA0" "1"};  // ' ', '0', '9'
  const std::string alphabet = "01234567890123456789..,,,--+ \teExy;\x86\x89\x8B\xA0\x80";
  std::mt19937 random(20261205);
  std::uniform_int_distribution<int> coordinate(-180000000, 180000000);
  for (std::size_t i = 0; lines.size() < 200000; ++i) {
    std::string& line = lines.emplace_back();
    for (std::size_t k = random() % 31; k > 0; --k) line += alphabet[random() % alphabet.size()];
    char text[64];
    std::snprintf(text, sizeof text, "%s%.*f,%.*f, \"n\"", i % 3 == 0 ? " " : "",
                  static_cast<int>(i % 11), coordinate(random) * 0.000001,
                  static_cast<int>(i % 9), coordinate(random) * 0.0000005);
    lines.emplace_back(text);
  }
  for (const std::string& line : lines) {
    const auto fromText = ParsePoiLine(DecodeCodePage(line));
    PoiPosition fromBytes{-1, -1};
    ASSERT_EQ(ParsePoiPosition(line, fromBytes), fromText.has_value()) << '"' << line << '"';
    if (fromText) {
      ASSERT_EQ(std::tuple(fromBytes.longitude, fromBytes.latitude),
                std::tuple(fromText->longitude, fromText->latitude)) << '"' << line << '"';
    }
  }
}

}  // namespace
}  // namespace poirec
