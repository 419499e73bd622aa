#include "platform/NumberText.h"

#include <gtest/gtest.h>

#include <clocale>
#include <cmath>
#include <string>

namespace poirec {
namespace {

// Switches the C library's locale for one test, as Qt does from the environment.
class ScopedLocale {
 public:
  explicit ScopedLocale(const char* name) : previous_(std::setlocale(LC_ALL, nullptr)) {
    active_ = std::setlocale(LC_ALL, name) != nullptr;
  }
  ~ScopedLocale() { std::setlocale(LC_ALL, previous_.c_str()); }
  bool Active() const { return active_; }

 private:
  std::string previous_;
  bool active_ = false;
};

TEST(ParseDecimalPrefix, FollowsTheDecimalGrammarOnly) {
  EXPECT_EQ(ParseDecimalPrefix("48.137154"), 48.137154);
  EXPECT_EQ(ParseDecimalPrefix("  +5."), 5.0);
  EXPECT_EQ(ParseDecimalPrefix("-.25x"), -0.25);
  EXPECT_EQ(ParseDecimalPrefix("1.5E+2,3"), 150.0);
  EXPECT_EQ(ParseDecimalPrefix("7e"), 7.0);
  EXPECT_EQ(ParseDecimalPrefix("7e-"), 7.0);
  EXPECT_EQ(ParseDecimalPrefix(std::string_view("12\0" "34", 5)), 12.0);
  for (const char* notANumber : {"", ".", "-", "+.", "e5", "0x10", "inf", "-INF", "nan", "x1"}) {
    EXPECT_EQ(ParseDecimalPrefix(notANumber), 0.0) << notANumber;
  }
  EXPECT_EQ(ParseDecimalPrefix("0x10"), 0.0);
  EXPECT_TRUE(std::isinf(ParseDecimalPrefix("1e999")));
  EXPECT_LT(ParseDecimalPrefix("-1e999"), 0.0);
  EXPECT_EQ(ParseDecimalPrefix("1e-999"), 0.0);
  EXPECT_EQ(ParseDecimalPrefix("0.000000000000000000000000000000001e-300"), 0.0);
}

TEST(FormatFixed, RoundsAsPrintfDoes) {
  EXPECT_EQ(FormatFixed(8123456 * 0.000001, 7), "8.1234560");
  EXPECT_EQ(FormatFixed(47123456 * 0.000001, 5), "47.12346");
  EXPECT_EQ(FormatFixed(-127500 * 0.000001, 7), "-0.1275000");
  EXPECT_EQ(FormatFixed(-1 * 0.000001, 5), "-0.00000");
  EXPECT_EQ(FormatFixed(0.0, 7), "0.0000000");
  EXPECT_EQ(FormatFixed(2.5, 0), "2");  // to even, as printf
  EXPECT_EQ(FormatFixed(0.125, 2), "0.12");
}

TEST(NumberText, IsTheSameUnderAGermanLocale) {
  const ScopedLocale german("de_DE.UTF-8");
  if (!german.Active()) GTEST_SKIP() << "the de_DE.UTF-8 locale is not installed";
  char printed[32];
  std::snprintf(printed, sizeof printed, "%.1f", 1.5);
  ASSERT_STREQ(printed, "1,5") << "the locale did not take effect";

  EXPECT_EQ(ParseDecimalPrefix("48.137154"), 48.137154);
  EXPECT_EQ(FormatFixed(8.123456, 7), "8.1234560");
  EXPECT_EQ(FormatFixed(-1234.5, 5), "-1234.50000");
}

}  // namespace
}  // namespace poirec
