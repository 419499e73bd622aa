#include "position/CoordinateText.h"

#include <algorithm>
#include <array>
#include <string>

#include "platform/NumberText.h"
#include "platform/TextEncoding.h"

namespace poirec {
namespace {

constexpr std::size_t kConversionLength = 15;  // a value text counts this many characters
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
  const std::size_t length = std::min(value.size(), kConversionLength);
  std::array<char, kConversionLength> buffer{};
  for (std::size_t i = 0; i < length; ++i) buffer[i] = static_cast<char>(LowByte(value[i]));
  return ParseDecimalPrefix(std::string_view(buffer.data(), length));
}

double ParseFieldCoordinate(std::u16string_view field) {
  const std::size_t length = std::min(field.size(), kFieldLength);
  std::array<char, kFieldLength> buffer{};
  for (std::size_t i = 0; i < length; ++i) buffer[i] = static_cast<char>(LowByte(field[i]));
  return ParseCoordinate(DecodeCodePage(std::string_view(buffer.data(), length)));
}

}  // namespace poirec
