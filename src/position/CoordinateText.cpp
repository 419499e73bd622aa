#include "position/CoordinateText.h"

#include <algorithm>
#include <array>
#include <string>

#include "platform/NumberText.h"
#include "platform/TextEncoding.h"

namespace poirec {
namespace {

constexpr std::size_t kMinimumDigits = 9;      // texts are filled with '0' up to this
constexpr std::size_t kConversionLength = 15;  // the conversion buffer's characters
constexpr std::size_t kFieldLength = 11;       // a POI field counts this many characters

}  // namespace

bool IsTrimmedSpace(char16_t c) {
  return c == u' ' || c == u'\t' || c == u'\r' || c == u'\n' || c == u'\v' || c == u'\f';
}

std::u16string_view TrimLeft(std::u16string_view text) {
  std::size_t start = 0;
  while (start < text.size() && IsTrimmedSpace(text[start])) ++start;
  return text.substr(start);
}

std::u16string_view Trim(std::u16string_view text) {
  text = TrimLeft(text);
  std::size_t end = text.size();
  while (end > 0 && IsTrimmedSpace(text[end - 1])) --end;
  return text.substr(0, end);
}

double ParseCoordinate(std::u16string_view text) {
  const std::u16string_view value = Trim(text);
  // A longer text is cut rather than run past the buffer.
  const std::size_t length = std::min(value.size(), kConversionLength);
  std::array<char, kConversionLength + 1> buffer{};
  for (std::size_t i = 0; i < length; ++i) buffer[i] = static_cast<char>(LowByte(value[i]));
  const std::size_t filled = std::max(length, kMinimumDigits);
  std::fill(buffer.begin() + static_cast<std::ptrdiff_t>(length),
            buffer.begin() + static_cast<std::ptrdiff_t>(filled), '0');
  return ParseDecimalPrefix(std::string_view(buffer.data(), filled));
}

double ParseFieldCoordinate(std::u16string_view field) {
  const std::size_t length = std::min(field.size(), kFieldLength);
  std::array<char, kFieldLength + 1> buffer{};
  for (std::size_t i = 0; i < length; ++i) buffer[i] = static_cast<char>(LowByte(field[i]));
  const std::size_t filled = std::max(length, kMinimumDigits);
  std::fill(buffer.begin() + static_cast<std::ptrdiff_t>(length),
            buffer.begin() + static_cast<std::ptrdiff_t>(filled), '0');
  return ParseCoordinate(DecodeCodePage(std::string_view(buffer.data(), filled)));
}

}  // namespace poirec
