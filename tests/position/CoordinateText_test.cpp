// Numbers as text: the locale-free decimal grammar and rounding beneath, and the reading
// of coordinates built on them.
#include "position/CoordinateText.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "platform/NumberText.h"

namespace poirec {
namespace {

// The German locale's run is the recording session's: it reads and writes numbers here.
TEST(ParseDecimalPrefix, FollowsTheDecimalGrammarOnly) {
  const std::pair<std::string_view, double> cases[] = {
      {"48.137154", 48.137154}, {"  +5.", 5.0},       {"-.25x", -0.25},
      {"1.5E+2,3", 150.0},      {"7e-", 7.0},         {{"12\0003", 4}, 12.0},
      {"1e999", HUGE_VAL},      {"-1e999", -HUGE_VAL}};
  for (const auto& [text, value] : cases) EXPECT_EQ(ParseDecimalPrefix(text), value) << text;
  for (const char* text : {"", ".", "-", "+.", "e5", "0x10", "inf", "-INF", "nan", "x1", "1e-999",
                           "0.000000000000000000000000000000001e-300"}) {
    EXPECT_EQ(ParseDecimalPrefix(text), 0.0) << text;
  }
}

// The record texts show the usual figures; these are the roundings at their edges.
TEST(FormatFixed, RoundsAsPrintfDoes) {
  EXPECT_EQ(FormatFixed(ToDegrees(47123456), 5), "47.12346");
  EXPECT_EQ(FormatFixed(ToDegrees(-1), 5), "-0.00000");
  EXPECT_EQ(FormatFixed(2.5, 0), "2");  // to even, as printf
  EXPECT_EQ(FormatFixed(0.125, 2), "0.12");
}

// The number grammar itself is ParseDecimalPrefix's; these are what the coordinate
// reading adds: trimming and the cut to fifteen characters.
TEST(ParseCoordinate, ReadsFifteenTrimmedCharactersAsWritten) {
  const std::pair<std::u16string_view, double> cases[] = {
      {u" 11.5\n", 11.5},
      {u"-7.5", -7.5},
      {u"11.5 N", 11.5},
      {u" \t\r\n\v\f", 0.0},
      {u"0x1A", 0.0},
      {u"48,137", 48.0},   // a comma is not a decimal point
      {u"\u0131.5", 1.5},  // a character counts by its low 8 bits: U+0131 is the digit '1'
      // Whole degrees as other programs write them, and exponents, keep their value.
      {u"90", 90.0},
      {u"-1", -1.0},
      {u"2.5000e+1", 25.0},
      {u"1e5", 100000.0},
      // The rest of a long text is never read, and nothing of it stays for the next.
      {u"48.1234567890123456789", 48.123456789012},
      {u"12345678901234567890", 123456789012345.0}};
  for (const auto& [text, value] : cases) {
    EXPECT_EQ(ParseCoordinate(text), value) << std::string(text.begin(), text.end());
  }
  // A field of a POI line counts eleven characters.
  EXPECT_EQ(ParseFieldCoordinate(u"11.123456789012"), 11.12345678);
  EXPECT_EQ(ParseFieldCoordinate(u"123456789012"), 12345678901.0);
  // Millionths are truncated: 8.123456 times a million lies just below 8123456.
  EXPECT_EQ(ToMicroDegrees(ParseCoordinate(u"8.123456")), 8123455);
  EXPECT_EQ(ToMicroDegrees(ParseCoordinate(u"-33.868825")), -33868825);
}

}  // namespace
}  // namespace poirec
