#pragma once
// Coordinates arrive as decimal degrees in text and are kept as signed 32-bit millionths
// of a degree. A text is read as it is written, "90" as 90 and "11.5" as 11.5, whether or
// not the program that wrote it put a decimal point.
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <limits>
#include <string_view>

namespace poirec {

// Only this many characters of a POI line's coordinate field count.
inline constexpr std::size_t kCoordinateFieldLength = 11;

// A whole value text: white space trimmed at both ends, each character by its low 8 bits,
// at most 15 of them, read as a decimal number (0.0 when no number stands at its start).
double ParseCoordinate(std::u16string_view text);

// A trimmed field of a POI line: only its first 11 characters count.
double ParseFieldCoordinate(std::u16string_view field);

// Truncation toward zero into the signed 32-bit range: values beyond it saturate and
// NaN gives 0, so no text can lead to undefined behaviour. Inline, as the POI searches
// convert two coordinates for every line they read.
inline std::int32_t TruncateToInt32(double value) {
  if (std::isnan(value)) return 0;
  if (value >= 2147483648.0) return std::numeric_limits<std::int32_t>::max();
  if (value <= -2147483649.0) return std::numeric_limits<std::int32_t>::min();
  return static_cast<std::int32_t>(value);
}

inline constexpr double kMicroDegreesPerDegree = 1000000.0;

// Degrees to millionths of a degree: the product with 1000000.0, truncated toward zero.
inline std::int32_t ToMicroDegrees(double degrees) {
  return TruncateToInt32(degrees * kMicroDegreesPerDegree);
}

// Millionths of a degree to degrees as every coordinate is written: the product with
// 0.000001 (not the quotient by a million, which differs in the last bit).
constexpr double ToDegrees(std::int32_t microDegrees) {
  return static_cast<double>(microDegrees) * 0.000001;
}

}  // namespace poirec
