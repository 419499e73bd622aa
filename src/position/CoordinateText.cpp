#include "position/CoordinateText.h"

#include <algorithm>
#include <array>
#include <string>

#include "platform/NumberText.h"
#include "platform/TextCharacters.h"
#include "platform/TextEncoding.h"

namespace poirec {
namespace {

constexpr std::size_t kConversionLength = 15;  // the conversion buffer's characters

}  // namespace

double ParseCoordinate(std::u16string_view text) {
  const std::u16string_view value = Trim(text);
  // A longer text is cut rather than run past the buffer.
  const std::size_t length = std::min(value.size(), kConversionLength);
  std::array<char, kConversionLength + 1> buffer{};
  for (std::size_t i = 0; i < length; ++i) buffer[i] = static_cast<char>(LowByte(value[i]));
  const std::size_t filled = std::max(length, kCoordinateMinimumDigits);
  std::fill(buffer.begin() + static_cast<std::ptrdiff_t>(length),
            buffer.begin() + static_cast<std::ptrdiff_t>(filled), '0');
  return ParseDecimalPrefix(std::string_view(buffer.data(), filled));
}

double ParseFieldCoordinate(std::u16string_view field) {
  const std::size_t length = std::min(field.size(), kCoordinateFieldLength);
  std::array<char, kCoordinateFieldLength + 1> buffer{};
  for (std::size_t i = 0; i < length; ++i) buffer[i] = static_cast<char>(LowByte(field[i]));
  const std::size_t filled = std::max(length, kCoordinateMinimumDigits);
  std::fill(buffer.begin() + static_cast<std::ptrdiff_t>(length),
            buffer.begin() + static_cast<std::ptrdiff_t>(filled), '0');
  return ParseCoordinate(DecodeCodePage(std::string_view(buffer.data(), filled)));
}

}  // namespace poirec
