#include "position/CoordinateText.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace poirec {
namespace {

TEST(ParseCoordinate, ReadsTrimmedDecimalTextFilledUpWithZeros) {
  EXPECT_EQ(ParseCoordinate(u"48.137154"), 48.137154);
  EXPECT_EQ(ParseCoordinate(u" 11.5\n"), 11.5);
  EXPECT_EQ(ParseCoordinate(u"-7.5"), -7.5);
  EXPECT_EQ(ParseCoordinate(u"11.5 N"), 11.5);
  EXPECT_EQ(ParseCoordinate(u""), 0.0);
  EXPECT_EQ(ParseCoordinate(u" \t\r\n\v\f"), 0.0);
  // Without a decimal point the added zeros count.
  EXPECT_EQ(ParseCoordinate(u"90"), 900000000.0);
  EXPECT_EQ(ParseCoordinate(u"-1"), -10000000.0);
  // A character counts by its low 8 bits: U+0131 is the digit '1'.
  EXPECT_EQ(ParseCoordinate(u"\u0131.5"), 1.5);
}

TEST(ParseCoordinate, IsNotFooledByNumberLookalikes) {
  EXPECT_EQ(ParseCoordinate(u"0x1A"), 0.0);
  EXPECT_EQ(ParseCoordinate(u"inf"), 0.0);
  EXPECT_EQ(ParseCoordinate(u"nan"), 0.0);
  EXPECT_EQ(ParseCoordinate(u"abc"), 0.0);
  EXPECT_EQ(ParseCoordinate(u"48,137"), 48.0);  // a comma is not a decimal point
  EXPECT_EQ(ParseCoordinate(u"2.5000e+1"), 25.0);
  EXPECT_EQ(ParseCoordinate(u"2.5e1"), HUGE_VAL);  // filled up to 2.5e10000
}

TEST(ParseCoordinate, CutsLongTextsAndForgetsEarlierOnes) {
  // Only 15 characters fit: the rest of a long text is never read.
  EXPECT_EQ(ParseCoordinate(u"48.1234567890123456789"), 48.123456789012);
  EXPECT_EQ(ParseCoordinate(u"12345678901234567890"), 123456789012345.0);
  EXPECT_EQ(ParseCoordinate(u"48.12345678901"), 48.12345678901);
  EXPECT_EQ(ParseCoordinate(u"7.5"), 7.5);
}

TEST(ParseFieldCoordinate, CountsOnlyTheFirstElevenCharacters) {
  EXPECT_EQ(ParseFieldCoordinate(u"11.123456789012"), 11.12345678);
  EXPECT_EQ(ParseFieldCoordinate(u"52.5"), 52.5);
  EXPECT_EQ(ParseFieldCoordinate(u"7"), 700000000.0);
  EXPECT_EQ(ParseFieldCoordinate(u""), 0.0);
}

TEST(ToMicroDegrees, TruncatesTheProductTowardZero) {
  EXPECT_EQ(ToMicroDegrees(ParseCoordinate(u"48.137154")), 48137154);
  EXPECT_EQ(ToMicroDegrees(ParseCoordinate(u"1.000001")), 1000000);  // 1000000.9999999999
  EXPECT_EQ(ToMicroDegrees(ParseFieldCoordinate(u"8.1234560")), 8123455);
  EXPECT_EQ(ToMicroDegrees(ParseFieldCoordinate(u"47.1234600")), 47123460);
  EXPECT_EQ(ToMicroDegrees(-7.5), -7500000);
  EXPECT_EQ(ToMicroDegrees(-0.0000019), -1);
}

TEST(ToMicroDegrees, SaturatesOutsideTheIntegerRange) {
  constexpr auto kMax = std::numeric_limits<std::int32_t>::max();
  constexpr auto kMin = std::numeric_limits<std::int32_t>::min();
  EXPECT_EQ(ToMicroDegrees(ParseCoordinate(u"90")), kMax);  // 900000000 degrees
  EXPECT_EQ(ToMicroDegrees(-1e300), kMin);
  EXPECT_EQ(ToMicroDegrees(ParseCoordinate(u"1e999")), kMax);
  EXPECT_EQ(ToMicroDegrees(std::numeric_limits<double>::quiet_NaN()), 0);
  EXPECT_EQ(ToMicroDegrees(2147.483647), kMax);
  EXPECT_EQ(ToMicroDegrees(-2147.483648), kMin);
  EXPECT_EQ(TruncateToInt32(2147483647.9), kMax);
  EXPECT_EQ(TruncateToInt32(-2147483648.9), kMin);
  EXPECT_EQ(TruncateToInt32(-0.5), 0);
}

}  // namespace
}  // namespace poirec
