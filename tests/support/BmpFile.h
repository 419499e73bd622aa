#pragma once
// Picture files made by the tests themselves, byte by byte, so each field can be set to
// what a test needs, right or wrong.
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace poirec::test {

struct BmpPicture {
  int width = 0;
  int height = 0;  // positive: rows written bottom-up; negative: top-down
  int bitCount = 24;
  std::uint32_t compression = 0;
  std::uint32_t usedColors = 0;
  // The colour table, or the three masks, as 0x00RRGGBB values (written blue first).
  std::vector<std::uint32_t> colors;
  // One value per pixel, rows top to bottom: the colour index up to 8 bits, 0xRRGGBB for
  // 24 bits, the raw pixel value for 16 and 32 bits.
  std::vector<std::uint32_t> values;
};

// A picture of the given layout whose colours and pixels the test fills in.
inline BmpPicture Blank(int width, int height, int bitCount, std::uint32_t compression = 0) {
  BmpPicture picture;
  picture.width = width;
  picture.height = height;
  picture.bitCount = bitCount;
  picture.compression = compression;
  return picture;
}

// The whole file: 14-byte file header, 40-byte info header, the colours, then the pixel
// rows padded to four bytes. File size and data offset are those of the bytes written.
std::string EncodeBmp(const BmpPicture& picture);

inline constexpr std::size_t kFileSizeOffset = 2;
inline constexpr std::size_t kDataOffsetOffset = 10;
inline constexpr std::size_t kHeaderSizeOffset = 14;
inline constexpr std::size_t kWidthOffset = 18;
inline constexpr std::size_t kHeightOffset = 22;
inline constexpr std::size_t kBitCountOffset = 28;
inline constexpr std::size_t kCompressionOffset = 30;
inline constexpr std::size_t kUsedColorsOffset = 46;
inline constexpr std::size_t kColorTableOffset = 54;

void PutU16(std::string& bytes, std::size_t offset, std::uint16_t value);
void PutU32(std::string& bytes, std::size_t offset, std::uint32_t value);

// A picture of width x height whose pixel (x, y) has the given value for every pixel.
template <typename Value>
std::vector<std::uint32_t> PixelValues(int width, int height, Value value) {
  std::vector<std::uint32_t> values;
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) values.push_back(value(x, y));
  }
  return values;
}

}  // namespace poirec::test
