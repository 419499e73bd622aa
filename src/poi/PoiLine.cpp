#include "poi/PoiLine.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cstring>

#include "platform/TextCharacters.h"
#include "platform/TextEncoding.h"
#include "position/CoordinateText.h"

namespace poirec {
namespace {

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

std::int32_t FieldMicroDegrees(std::u16string_view trimmedField) {
  return ToMicroDegrees(ParseFieldCoordinate(trimmedField));
}

constexpr std::array<double, kCoordinateFieldLength + 1> kPowersOfTen = {
    1e0, 1e1, 1e2, 1e3, 1e4, 1e5, 1e6, 1e7, 1e8, 1e9, 1e10, 1e11};

// A plain decimal: an optional sign, digits, an optional point and digits.
struct PlainDecimal {
  const char* stop = nullptr;  // the first byte not read
  std::uint64_t mantissa = 0;  // all digits, point left out
  std::size_t digits = 0;
  std::size_t decimals = 0;
  bool negative = false;
};

// Reads a plain decimal from p, never beyond end. Inlined into the line loop, where it
// runs twice per line, so that its result stays in registers.
[[gnu::always_inline]] inline PlainDecimal ScanPlainDecimal(const char* p, const char* end) {
  PlainDecimal number;
  if (p < end && (*p == '+' || *p == '-')) number.negative = *p++ == '-';
  const char* const integerStart = p;
  for (; p < end && IsDigit(*p); ++p) {
    number.mantissa = number.mantissa * 10 + static_cast<unsigned>(*p - '0');
  }
  number.digits = static_cast<std::size_t>(p - integerStart);
  if (p < end && *p == '.') {
    const char* const fractionStart = ++p;
    for (; p < end && IsDigit(*p); ++p) {
      number.mantissa = number.mantissa * 10 + static_cast<unsigned>(*p - '0');
    }
    number.decimals = static_cast<std::size_t>(p - fractionStart);
    number.digits += number.decimals;
  }
  number.stop = p;
  return number;
}

// Whether the text-to-double conversion of the field also stops at this byte, having read
// what the plain reading read. It does not when the byte starts an exponent, or above 0x7F
// (several code page characters count as digits or blanks by their low byte).
bool StopsPlainDecimal(char c) {
  return static_cast<unsigned char>(c) < 0x80 && c != 'e' && c != 'E';
}

// The millionths of digits with the given number of decimals: the digits and the power
// of ten are exact doubles, so their quotient is the correctly rounded value of the
// decimal, which is what the text-to-double conversion gives.
inline std::int32_t DecimalMicroDegrees(std::uint64_t mantissa, std::size_t decimals,
                                        bool negative) {
  const double magnitude = static_cast<double>(mantissa) / kPowersOfTen[decimals];
  return ToMicroDegrees(negative ? -magnitude : magnitude);
}

// The millionths of a plain decimal that ran to the end of its field's counted characters
// or to a byte that StopsPlainDecimal (at most 11 digits).
inline std::int32_t PlainMicroDegrees(const PlainDecimal& number) {
  if (number.digits == 0) return 0;
  return DecimalMicroDegrees(number.mantissa, number.decimals, number.negative);
}

std::uint64_t Load8(const char* p) {
  std::uint64_t word;
  std::memcpy(&word, p, sizeof word);
  return word;
}

constexpr std::uint64_t kEachByte = 0x0101010101010101;

// How many of the eight bytes, first byte first, are ASCII digits before the first that
// is not (8 when all are). Each byte's top bit marks a digit: x >= '0' and x <= '9'.
unsigned LeadingDigits(std::uint64_t word) {
  const std::uint64_t low7 = word & (0x7F * kEachByte);
  const std::uint64_t atLeastZero = low7 + (0x80 - '0') * kEachByte;
  const std::uint64_t aboveNine = low7 + (0x80 - '9' - 1) * kEachByte;
  const std::uint64_t digits = atLeastZero & ~aboveNine & ~word & (0x80 * kEachByte);
  return static_cast<unsigned>(std::countr_zero(~digits & (0x80 * kEachByte))) / 8;
}

// The value of eight ASCII digits, the first byte the most significant.
std::uint64_t EightDigits(std::uint64_t word) {
  word -= '0' * kEachByte;
  word = word * 10 + (word >> 8);
  word = (((word & 0x000000FF000000FF) * (100 + (1000000ULL << 32))) +
          (((word >> 16) & 0x000000FF000000FF) * (1 + (10000ULL << 32)))) >>
         32;
  return word;
}

// A field as this program and most others write it, "-8.1234560": a minus or not, one
// to three digits, a point and up to seven digits, read eight bytes at a time instead of
// a branch per character. Needs 16 readable bytes from p. Returns where the number
// stopped and sets its digits as a number with eight decimals, or returns null for any
// other form.
[[gnu::always_inline]] inline const char* ReadWrittenDigits(const char* p,
                                                            std::uint64_t& eightDecimals,
                                                            bool& negative) {
  if constexpr (std::endian::native != std::endian::little) return nullptr;
  negative = *p == '-';
  const char* const integer = p + (negative ? 1 : 0);
  const std::uint64_t head = Load8(integer);
  const unsigned integerDigits = LeadingDigits(head);
  if (integerDigits < 1 || integerDigits > 3 || integer[integerDigits] != '.') return nullptr;
  const char* const fraction = integer + integerDigits + 1;
  const std::uint64_t tail = Load8(fraction);
  const unsigned decimals = LeadingDigits(tail);
  if (decimals > 7 || fraction + decimals > p + kCoordinateFieldLength) return nullptr;
  // The integer digits moved to the end of eight with '0's before them, and the
  // decimals followed by '0's: the same number with eight decimals.
  const std::uint64_t zeros = '0' * kEachByte;
  const std::uint64_t integerPart =
      (head << (8 * (8 - integerDigits))) | (zeros >> (8 * integerDigits));
  const std::uint64_t kept = (std::uint64_t{1} << (8 * decimals)) - 1;
  const std::uint64_t fractionPart = (tail & kept) | (zeros & ~kept);
  eightDecimals = EightDigits(integerPart) * 100000000 + EightDigits(fractionPart);
  return fraction + decimals;
}

// A written field's millionths, exactly as the text-to-double conversion gives them.
[[gnu::always_inline]] inline const char* ReadWrittenField(const char* p, std::int32_t& micro) {
  std::uint64_t eightDecimals = 0;
  bool negative = false;
  const char* const stop = ReadWrittenDigits(p, eightDecimals, negative);
  if (stop != nullptr) micro = DecimalMicroDegrees(eightDecimals, 8, negative);
  return stop;
}

// A written field's millionths without the division: its digits cut after the sixth
// decimal. The exact reading rounds twice (the quotient to a double, its product with a
// million), each time by at most 2^-53 relatively, which below 10^9 millionths moves the
// product by less than 10^-6 of one: it truncates to the same millionths, or, when the
// digits end in 00 and the product falls just short of them, to one fewer.
[[gnu::always_inline]] inline const char* ReadWrittenFieldNearly(const char* p,
                                                                 std::int32_t& micro) {
  std::uint64_t eightDecimals = 0;
  bool negative = false;
  const char* const stop = ReadWrittenDigits(p, eightDecimals, negative);
  const auto millionths = static_cast<std::int32_t>(eightDecimals / 100);  // below 10^9
  micro = negative ? -millionths : millionths;
  return stop;
}

// Reads the number of a field that begins at p and ends where the number stops (the
// caller checks that a comma or the line's end follows): sets micro and returns where
// the number stopped.
[[gnu::always_inline]] inline const char* ReadFieldNumber(const char* p, const char* end,
                                                          std::int32_t& micro) {
  if (end - p >= 16) {
    if (const char* const stop = ReadWrittenField(p, micro)) return stop;
  }
  const PlainDecimal number = ScanPlainDecimal(p, std::min(end, p + kCoordinateFieldLength));
  micro = PlainMicroDegrees(number);
  return number.stop;
}

// A trimmed field read without leaving the bytes where it is plain, the 16-bit way where not.
std::int32_t FieldMicroDegrees(std::string_view trimmedField) {
  const char* const begin = trimmedField.data();
  const char* const end = begin + std::min(trimmedField.size(), kCoordinateFieldLength);
  const PlainDecimal number = ScanPlainDecimal(begin, end);
  if (number.stop < end && !StopsPlainDecimal(*number.stop)) {
    return FieldMicroDegrees(DecodeCodePage(trimmedField));
  }
  return PlainMicroDegrees(number);
}

// The line as this program and most others write it: a number right before the first
// comma, blanks, and a number right before the second comma or the end of the line.
// Anything else goes through the general split.
bool ParseCommonPoiPosition(const char* p, const char* end, GeoPoint& position) {
  const char* const comma = ReadFieldNumber(p, end, position.lon);
  if (comma == p || comma == end || *comma != ',') return false;
  const char* q = comma + 1;
  while (q < end && IsTrimmedSpace(*q)) ++q;
  const char* const stop = ReadFieldNumber(q, end, position.lat);
  return stop == end || *stop == ',';
}

}  // namespace

std::optional<PoiLine> ParsePoiLine(std::u16string_view line) {
  const std::u16string_view text = TrimLeft(line);
  const LineFields fields = SplitLine(text);
  if (fields.firstComma == std::u16string_view::npos) return std::nullopt;
  const std::size_t nameStart =
      fields.secondComma == std::u16string_view::npos ? text.size() : fields.secondComma + 1;
  PoiLine poi;
  poi.position.lon = FieldMicroDegrees(Trim(text.substr(0, fields.firstComma)));
  poi.position.lat =
      FieldMicroDegrees(Trim(Field(text, fields.firstComma + 1, fields.secondComma)));
  const std::u16string_view name = Field(text, nameStart, text.find(u',', nameStart));
  poi.name = Trim(name.substr(0, std::min(name.size(), kPoiNameLength)));
  return poi;
}

bool ParsePoiPosition(std::string_view bytes, GeoPoint& position) {
  // Bytes below 0x80 are their own characters and no byte above it becomes white space,
  // a comma or a semicolon, so the line splits on the bytes as it does on its text.
  std::size_t start = 0;
  while (start < bytes.size() && IsTrimmedSpace(bytes[start])) ++start;
  const std::string_view text = bytes.substr(start);
  if (ParseCommonPoiPosition(text.data(), text.data() + text.size(), position)) return true;
  const LineFields fields = SplitLine(text);
  if (fields.firstComma == std::string_view::npos) return false;
  position.lon = FieldMicroDegrees(Trim(text.substr(0, fields.firstComma)));
  position.lat = FieldMicroDegrees(Trim(Field(text, fields.firstComma + 1, fields.secondComma)));
  return true;
}

bool ReadPoiLongitudeNearly(std::string_view bytes, std::int32_t& lon) {
  // A line that begins with a number and a comma is a POI line to every reading, and its
  // longitude is that number's, whatever follows.
  if (bytes.size() < 16) return false;
  const char* const comma = ReadWrittenFieldNearly(bytes.data(), lon);
  return comma != nullptr && *comma == ',';
}

}  // namespace poirec
