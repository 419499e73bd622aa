#include "platform/NumberText.h"

#include <array>
#include <charconv>
#include <cmath>

#include "platform/TextCharacters.h"

namespace poirec {

double ParseDecimalPrefix(std::string_view text) {
  if (const auto nul = text.find('\0'); nul != std::string_view::npos) text = text.substr(0, nul);

  std::size_t i = 0;
  while (i < text.size() && IsTrimmedSpace(text[i])) ++i;
  bool negative = false;
  if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
    negative = text[i] == '-';
    ++i;
  }
  const std::size_t mantissaStart = i;

  // The magnitude's decimal exponent (where the first significant digit stands) tells an
  // overflow from an underflow when the value does not fit a double.
  bool seenSignificant = false;
  std::size_t digits = 0;
  long long integerDigits = 0;
  while (i < text.size() && IsDigit(text[i])) {
    if (text[i] != '0') seenSignificant = true;
    if (seenSignificant) ++integerDigits;
    ++digits;
    ++i;
  }
  long long fractionZeros = 0;
  if (i < text.size() && text[i] == '.') {
    ++i;
    while (i < text.size() && IsDigit(text[i])) {
      if (!seenSignificant) {
        if (text[i] == '0') {
          ++fractionZeros;
        } else {
          seenSignificant = true;
        }
      }
      ++digits;
      ++i;
    }
  }
  if (digits == 0) return 0.0;
  long long leadingExponent = integerDigits > 0 ? integerDigits : -fractionZeros;

  // An exponent counts only when at least one digit follows its letter and sign.
  if (i < text.size() && (text[i] == 'e' || text[i] == 'E')) {
    std::size_t j = i + 1;
    bool exponentNegative = false;
    if (j < text.size() && (text[j] == '+' || text[j] == '-')) {
      exponentNegative = text[j] == '-';
      ++j;
    }
    if (j < text.size() && IsDigit(text[j])) {
      long long exponent = 0;
      while (j < text.size() && IsDigit(text[j])) {
        if (exponent < 1'000'000'000) exponent = exponent * 10 + (text[j] - '0');
        ++j;
      }
      leadingExponent += exponentNegative ? -exponent : exponent;
      i = j;
    }
  }

  double magnitude = 0.0;
  const auto error = std::from_chars(text.data() + mantissaStart, text.data() + i, magnitude,
                                     std::chars_format::general)
                         .ec;
  if (error == std::errc::result_out_of_range) {
    magnitude = (seenSignificant && leadingExponent > 0) ? HUGE_VAL : 0.0;
  } else if (error != std::errc()) {
    return 0.0;
  }
  return negative ? -magnitude : magnitude;
}

std::string FormatFixed(double value, int decimals) {
  // The longest double in fixed notation has 309 integer digits.
  std::array<char, 400> buffer{};
  const auto [end, error] = std::to_chars(buffer.data(), buffer.data() + buffer.size(), value,
                                          std::chars_format::fixed, decimals);
  if (error != std::errc()) return {};
  return std::string(buffer.data(), end);
}

}  // namespace poirec
