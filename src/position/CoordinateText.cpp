#include "position/CoordinateText.h"

#include <algorithm>
#include <array>
#include <string>

#include "platform/NumberText.h"
#include "platform/TextCharacters.h"
#include "platform/TextEncoding.h"

namespace poirec {
namespace {

constexpr std::size_t kConversionLength = 15;  // a value text counts this many characters

}  // namespace

double ParseCoordinate(std::u16string_view text) {
  const std::u16string_view value = Trim(text);
  const std::size_t length = std::min(value.size(), kConversionLength);
  std::array<char, kConversionLength> buffer{};
  for (std::size_t i = 0; i < length; ++i) buffer[i] = static_cast<char>(LowByte(value[i]));
  return ParseDecimalPrefix(std::string_view(buffer.data(), length));
}

double ParseFieldCoordinate(std::u16string_view field) {
  const std::size_t length = std::min(field.size(), kCoordinateFieldLength);
  std::array<char, kCoordinateFieldLength> buffer{};
  for (std::size_t i = 0; i < length; ++i) buffer[i] = static_cast<char>(LowByte(field[i]));
  return ParseCoordinate(DecodeCodePage(std::string_view(buffer.data(), length)));
}

}  // namespace poirec
