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

// The checks and the split that every POI line reader makes, on the text after its
// leading white space; npos in firstComma rejects the line.
template <typename Char>
LineFields SplitLine(std::basic_string_view<Char> text) {
  constexpr auto npos = std::basic_string_view<Char>::npos;
  if (text.size() < 2 || text.front() == Char(';')) return {npos, npos};
  const std::size_t first = text.find(Char(','));
  if (first == npos || first == 0) return {npos, npos};
  return {first, text.find(Char(','), first + 1)};
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

// A trimmed field of plain decimal digits with an optional sign and point, read without
// leaving the bytes. The value has at most 11 digits, so the digits and the power of ten
// are exact doubles and their quotient is the correctly rounded value of the decimal,
// which is what the text-to-double conversion gives. A field the plain reading cannot
// settle goes the 16-bit way: an exponent, white space where the number stops (it would
// be trimmed and the '0's added after it), or a byte above 0x7F (several code page
// characters read as digits or blanks by their low byte).
std::int32_t FieldMicroDegrees(std::string_view trimmedField) {
  const std::size_t window = std::min(trimmedField.size(), kFieldLength);
  std::size_t i = 0;
  bool negative = false;
  if (window > 0 && (trimmedField[0] == '+' || trimmedField[0] == '-')) {
    negative = trimmedField[0] == '-';
    i = 1;
  }
  std::uint64_t mantissa = 0;
  std::size_t digits = 0;
  std::size_t decimals = 0;
  bool seenPoint = false;
  for (; i < window; ++i) {
    const char c = trimmedField[i];
    if (c >= '0' && c <= '9') {
      mantissa = mantissa * 10 + static_cast<std::uint64_t>(c - '0');
      ++digits;
      if (seenPoint) ++decimals;
    } else if (c == '.' && !seenPoint) {
      seenPoint = true;
    } else {
      break;
    }
  }
  if (i < window) {
    const char stop = trimmedField[i];
    if (static_cast<unsigned char>(stop) >= 0x80 || stop == 'e' || stop == 'E' ||
        IsSpaceByte(stop)) {
      return FieldMicroDegrees(DecodeCodePage(trimmedField));
    }
  } else {
    // The number runs to the end of a short field and on into the '0's that fill it.
    for (std::size_t filled = window; filled < kMinimumDigits; ++filled) {
      mantissa *= 10;
      ++digits;
      if (seenPoint) ++decimals;
    }
  }
  if (digits == 0) return 0;
  const double magnitude = static_cast<double>(mantissa) / kPowersOfTen[decimals];
  return ToMicroDegrees(negative ? -magnitude : magnitude);
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
  const LineFields fields = SplitLine(text);
  if (fields.firstComma == std::string_view::npos) return std::nullopt;
  return PoiPosition{FieldMicroDegrees(TrimBytes(text.substr(0, fields.firstComma))),
                     FieldMicroDegrees(TrimBytes(Field(text, fields.firstComma + 1,
                                                       fields.secondComma)))};
}

}  // namespace poirec
