#pragma once
// Picture files made by the tests themselves, byte by byte, so each field can be set to
// what a test needs, right or wrong.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

namespace poirec::test {

// Where the header fields lie in the file; the magic, planes and bit count take two bytes.
enum BmpField : std::size_t {
  kMagic = 0,
  kFileSize = 2,
  kDataOffset = 10,
  kHeaderSize = 14,
  kWidth = 18,
  kHeight = 22,
  kPlanes = 26,
  kBitCount = 28,
  kCompression = 30,
  kImageSize = 34,
  kUsedColors = 46
};

// Writes value little-endian into the field at offset (or the colour-table entry there).
inline void Put(std::string& bytes, std::size_t offset, std::int64_t value) {
  const std::size_t size = offset == kMagic || offset == kPlanes || offset == kBitCount ? 2 : 4;
  for (std::size_t i = 0; i < size; ++i)
    bytes.at(offset + i) = static_cast<char>(value >> (8 * i) & 0xFF);
}

// Colours as 0x00RRGGBB, all different for n below 256 and never magenta.
inline std::uint32_t SampleColour(std::uint32_t n) { return n * 0x3B1D0F & 0xFFFFFF; }

// The whole file: 14-byte file header, 40-byte info header without compression, the
// colour table (or the three masks) as 0x00RRGGBB, then the pixel rows padded to four
// bytes, bottom-up for a positive height. values holds one value per pixel, rows top to
// bottom: the colour index up to 8 bits, 0xRRGGBB for 24 bits, the raw value for 16 and
// 32 bits. File size and data offset are those of the bytes written.
inline std::string EncodeBmp(int width, int height, int bitCount,
                             const std::vector<std::uint32_t>& colors,
                             const std::vector<std::uint32_t>& values) {
  const std::size_t dataOffset = 54 + 4 * colors.size(), bits = static_cast<std::size_t>(bitCount);
  std::string file(dataOffset, '\0');
  const auto columns = static_cast<std::size_t>(width);
  for (int i = 0, rows = std::abs(height); i < rows; ++i) {
    const auto y = static_cast<std::size_t>(height > 0 ? rows - 1 - i : i);
    std::string row((columns * bits + 31) / 32 * 4, '\0');
    for (std::size_t x = 0, bit = 0; x < columns; ++x, bit += bits) {
      const std::uint32_t value = values.at(y * columns + x);
      for (std::size_t b = 0; b < (bits + 7) / 8; ++b) {  // whole bytes, or a part of one
        row[bit / 8 + b] |=
            static_cast<char>(bits < 8 ? value << (8 - bits - bit % 8) : value >> (8 * b));
      }
    }
    file += row;
  }
  for (std::size_t i = 0; i < colors.size(); ++i) Put(file, 54 + 4 * i, colors[i]);
  Put(file, kMagic, 0x4D42), Put(file, kFileSize, file.size()), Put(file, kDataOffset, dataOffset);
  Put(file, kHeaderSize, 40), Put(file, kWidth, width), Put(file, kHeight, height),
      Put(file, kPlanes, 1);
  Put(file, kBitCount, bitCount), Put(file, kImageSize, file.size() - dataOffset);
  return file;
}

}  // namespace poirec::test
