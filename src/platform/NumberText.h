#pragma once
// Number text that never depends on the user's locale: Qt sets the C library's locale
// from the environment, and under a German locale strtod stops at the decimal point
// and printf writes a comma. These read and write the C locale's forms only.
#include <string>
#include <string_view>

namespace poirec {

// Reads the longest decimal number at the start of the text, as strtod does in the
// C locale: leading white space, an optional sign, digits with an optional point and an
// optional exponent. Reading stops at a zero byte. No number at the start gives 0.0; hex,
// "inf" and "nan" are not numbers here. A value too large for a double gives +-HUGE_VAL
// and one too small gives 0.0, as strtod does.
double ParseDecimalPrefix(std::string_view text);

// printf("%.<decimals>f", value): fixed notation, rounded exactly as printf rounds.
std::string FormatFixed(double value, int decimals);

}  // namespace poirec
