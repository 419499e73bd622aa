#include "poi/PoiLine.h"

#include <algorithm>
#include <array>

#include "platform/TextEncoding.h"
#include "position/CoordinateText.h"

namespace poirec {
namespace {

// Fields are cut to kFieldLength characters and filled with '0' up to kMinimumDigits,
// as every coordinate text is (see CoordinateText.h).
constexpr std::size_t kFieldLength = 11;
constexpr std::size_t kMinimumDigits = 9;

struct LineFields {
  std::size_t firstComma = 0;
  std::size_t secondComma = 0;  // npos when the line has only one comma
};

// The first Char c at or after from, or npos; a plain loop, as the commas of a POI line
// stand a few characters apart.
template <typename Char>
std::size_t FindFrom(std::basic_string_view<Char> text, Char c, std::size_t from) {
  for (std::size_t i = from; i < text.size(); ++i) {
    if (text[i] == c) return i;
  }
  return std::basic_string_view<Char>::npos;
}

// The checks and the split that every POI line reader makes, on the text after its
// leading white space; npos in firstComma rejects the line.
template <typename Char>
LineFields SplitLine(std::basic_string_view<Char> text) {
  constexpr auto npos = std::basic_string_view<Char>::npos;
  if (text.size() < 2 || text.front() == Char(';')) return {npos, npos};
  const std::size_t first = FindFrom(text, Char(','), 0);
  if (first == npos || first == 0) return {npos, npos};
  return {first, FindFrom(text, Char(','), first + 1)};
}

template <typename Char>
std::basic_string_view<Char> Field(std::basic_string_view<Char> text, std::size_t begin,
                                   std::size_t end) {
  if (begin >= text.size()) return {};
  return text.substr(begin, end == std::basic_string_view<Char>::npos ? end : end - begin);
}

bool IsSpaceByte(char c) {
  return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\v' || c == '\f';
}

std::string_view TrimBytes(std::string_view text) {
  while (!text.empty() && IsSpaceByte(text.front())) text.remove_prefix(1);
  while (!text.empty() && IsSpaceByte(text.back())) text.remove_suffix(1);
  return text;
}

std::int32_t FieldMicroDegrees(std::u16string_view trimmedField) {
  return ToMicroDegrees(ParseFieldCoordinate(trimmedField));
}

constexpr std::array<double, kFieldLength + 1> kPowersOfTen = {
    1e0, 1e1, 1e2, 1e3, 1e4, 1e5, 1e6, 1e7, 1e8, 1e9, 1e10, 1e11};

// A plain decimal: an optional sign, digits, an optional point and digits.
struct PlainDecimal {
  std::uint64_t mantissa = 0;  // all digits, point left out
  std::size_t digits = 0;
  std::size_t decimals = 0;
  bool negative = false;
  bool seenPoint = false;
};

bool IsDigit(char c) { return static_cast<unsigned char>(c - '0') < 10; }

// Reads a plain decimal from p, never beyond end, and returns where it stopped.
const char* ScanPlainDecimal(const char* p, const char* end, PlainDecimal& number) {
  if (p < end && (*p == '+' || *p == '-')) number.negative = *p++ == '-';
  const char* const integerStart = p;
  for (; p < end && IsDigit(*p); ++p) {
    number.mantissa = number.mantissa * 10 + static_cast<unsigned>(*p - '0');
  }
  number.digits = static_cast<std::size_t>(p - integerStart);
  if (p < end && *p == '.') {
    number.seenPoint = true;
    const char* const fractionStart = ++p;
    for (; p < end && IsDigit(*p); ++p) {
      number.mantissa = number.mantissa * 10 + static_cast<unsigned>(*p - '0');
    }
    number.decimals = static_cast<std::size_t>(p - fractionStart);
    number.digits += number.decimals;
  }
  return p;
}

// Whether the text-to-double conversion of the filled field also stops at this byte,
// having read what the plain reading read. It does not when the byte starts an exponent,
// when it is white space (the field's end would be trimmed and the '0's added after the
// number), or above 0x7F (several code page characters count as digits or blanks by their
// low byte).
bool StopsPlainDecimal(char c) {
  return static_cast<unsigned char>(c) < 0x80 && c != 'e' && c != 'E' && !IsSpaceByte(c);
}

// The millionths of a plain decimal that filled a trimmed field of the given length and
// ran to its end or to a byte that StopsPlainDecimal. The digits and the power of ten
// are exact doubles (at most 11 digits), so their quotient is the correctly rounded value
// of the decimal: what the text-to-double conversion gives.
std::int32_t PlainMicroDegrees(PlainDecimal number, std::size_t fieldLength, bool ranToEnd) {
  if (ranToEnd) {
    // A short field is filled with '0's, and the number runs on into them.
    for (std::size_t filled = fieldLength; filled < kMinimumDigits; ++filled) {
      number.mantissa *= 10;
      ++number.digits;
      if (number.seenPoint) ++number.decimals;
    }
  }
  if (number.digits == 0) return 0;
  const double magnitude = static_cast<double>(number.mantissa) / kPowersOfTen[number.decimals];
  return ToMicroDegrees(number.negative ? -magnitude : magnitude);
}

// A trimmed field read without leaving the bytes where it is plain, the 16-bit way where not.
std::int32_t FieldMicroDegrees(std::string_view trimmedField) {
  const char* const begin = trimmedField.data();
  const char* const end = begin + std::min(trimmedField.size(), kFieldLength);
  PlainDecimal number;
  const char* const stop = ScanPlainDecimal(begin, end, number);
  if (stop < end && !StopsPlainDecimal(*stop)) {
    return FieldMicroDegrees(DecodeCodePage(trimmedField));
  }
  return PlainMicroDegrees(number, trimmedField.size(), stop == end);
}

// The line as this program and most others write it: a number right before the first
// comma, blanks, and a number right before the second comma or the end of the line.
// Anything else goes through the general split.
std::optional<PoiPosition> ParseCommonPoiPosition(const char* p, const char* end) {
  PlainDecimal longitude;
  const char* const comma = ScanPlainDecimal(p, std::min(end, p + kFieldLength), longitude);
  if (comma == p || comma == end || *comma != ',') return std::nullopt;
  const char* q = comma + 1;
  while (q < end && IsSpaceByte(*q)) ++q;
  PlainDecimal latitude;
  const char* const stop = ScanPlainDecimal(q, std::min(end, q + kFieldLength), latitude);
  if (stop != end && *stop != ',') return std::nullopt;
  return PoiPosition{
      PlainMicroDegrees(longitude, static_cast<std::size_t>(comma - p), true),
      PlainMicroDegrees(latitude, static_cast<std::size_t>(stop - q), true)};
}

}  // namespace

std::optional<PoiLine> ParsePoiLine(std::u16string_view line) {
  const std::u16string_view text = TrimLeft(line);
  const LineFields fields = SplitLine(text);
  if (fields.firstComma == std::u16string_view::npos) return std::nullopt;
  const std::size_t nameStart = fields.secondComma == std::u16string_view::npos
                                    ? text.size()
                                    : fields.secondComma + 1;
  PoiLine poi;
  poi.longitude = FieldMicroDegrees(Trim(text.substr(0, fields.firstComma)));
  poi.latitude = FieldMicroDegrees(Trim(Field(text, fields.firstComma + 1, fields.secondComma)));
  const std::u16string_view name = Field(text, nameStart, text.find(u',', nameStart));
  poi.name = Trim(name.substr(0, std::min(name.size(), kPoiNameLength)));
  return poi;
}

std::optional<PoiPosition> ParsePoiPosition(std::string_view bytes) {
  // Bytes below 0x80 are their own characters and no byte above it becomes white space,
  // a comma or a semicolon, so the line splits on the bytes as it does on its text.
  std::size_t start = 0;
  while (start < bytes.size() && IsSpaceByte(bytes[start])) ++start;
  const std::string_view text = bytes.substr(start);
  if (auto common = ParseCommonPoiPosition(text.data(), text.data() + text.size())) return common;
  const LineFields fields = SplitLine(text);
  if (fields.firstComma == std::string_view::npos) return std::nullopt;
  return PoiPosition{FieldMicroDegrees(TrimBytes(text.substr(0, fields.firstComma))),
                     FieldMicroDegrees(TrimBytes(Field(text, fields.firstComma + 1,
                                                       fields.secondComma)))};
}

}  // namespace poirec
