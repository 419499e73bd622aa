#pragma once
// The description of a device-independent bitmap that picture files and the bitmaps in
// memory share: the 40-byte info header and the colour table behind it.
#include <array>
#include <cstddef>
#include <cstdint>

namespace poirec {

// A colour with red in the low byte: 0x00BBGGRR.
using ColorRef = std::uint32_t;

// The same colour as the screens take it, 0xAARRGGBB, fully opaque.
constexpr std::uint32_t OpaqueArgb(ColorRef color) {
  return 0xFF000000u | (color & 0xFFu) << 16 | (color & 0xFF00u) | (color >> 16 & 0xFFu);
}

inline constexpr std::size_t kInfoHeaderSize = 40;
inline constexpr std::uint32_t kCompressionNone = 0;       // plain pixels
inline constexpr std::uint32_t kCompressionBitFields = 3;  // 16 or 32 bits with colour masks

struct BitmapInfoHeader {
  std::uint32_t size = 0;
  std::int32_t width = 0;
  std::int32_t height = 0;  // positive: the rows are stored bottom-up
  std::uint16_t planes = 0;
  std::uint16_t bitCount = 0;
  std::uint32_t compression = 0;
  std::uint32_t sizeImage = 0;
  std::int32_t xPelsPerMeter = 0;
  std::int32_t yPelsPerMeter = 0;
  std::uint32_t clrUsed = 0;
  std::uint32_t clrImportant = 0;
};

// One colour-table entry, in the order its bytes are stored.
struct RgbQuad {
  std::uint8_t blue = 0;
  std::uint8_t green = 0;
  std::uint8_t red = 0;
  std::uint8_t reserved = 0;
  friend bool operator==(const RgbQuad&, const RgbQuad&) = default;
};

// The info header followed by room for the largest colour table.
struct BitmapInfo {
  static constexpr int kMaxColors = 256;
  BitmapInfoHeader header;
  std::array<RgbQuad, kMaxColors> colors{};
};

// The length of one row of pixels, rounded up to a multiple of four bytes. In 64 bits, so
// no header value can make it overflow; a negative width gives a negative length.
constexpr std::int64_t BytesPerLine(std::int64_t width, std::int64_t bitCount) {
  return ((width * bitCount + 31) >> 5) * 4;
}

}  // namespace poirec
