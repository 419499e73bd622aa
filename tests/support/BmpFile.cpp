#include "support/BmpFile.h"

namespace poirec::test {
namespace {

void AppendLittleEndian(std::string& bytes, std::uint32_t value, int size) {
  for (int i = 0; i < size; ++i) bytes.push_back(static_cast<char>(value >> (8 * i) & 0xFF));
}

std::string EncodeRow(const BmpPicture& picture, int y) {
  std::string row;
  const int bits = picture.bitCount;
  if (bits <= 8) {
    int filled = 0;
    unsigned current = 0;
    for (int x = 0; x < picture.width; ++x) {
      const std::uint32_t value = picture.values[static_cast<std::size_t>(y * picture.width + x)];
      current |= (value & ((1u << bits) - 1)) << (8 - bits - filled);
      filled += bits;
      if (filled == 8) {
        row.push_back(static_cast<char>(current));
        current = 0;
        filled = 0;
      }
    }
    if (filled > 0) row.push_back(static_cast<char>(current));
  } else {
    for (int x = 0; x < picture.width; ++x) {
      AppendLittleEndian(row, picture.values[static_cast<std::size_t>(y * picture.width + x)],
                         bits / 8);
    }
  }
  while (row.size() % 4 != 0) row.push_back('\0');
  return row;
}

}  // namespace

std::string EncodeBmp(const BmpPicture& picture) {
  std::string table;
  for (const std::uint32_t color : picture.colors) AppendLittleEndian(table, color, 4);
  std::string pixels;
  const int rows = picture.height < 0 ? -picture.height : picture.height;
  for (int i = 0; i < rows; ++i) pixels += EncodeRow(picture, picture.height > 0 ? rows - 1 - i : i);

  const std::uint32_t dataOffset = static_cast<std::uint32_t>(54 + table.size());
  std::string file = "BM";
  AppendLittleEndian(file, static_cast<std::uint32_t>(dataOffset + pixels.size()), 4);
  AppendLittleEndian(file, 0, 4);
  AppendLittleEndian(file, dataOffset, 4);
  AppendLittleEndian(file, 40, 4);
  AppendLittleEndian(file, static_cast<std::uint32_t>(picture.width), 4);
  AppendLittleEndian(file, static_cast<std::uint32_t>(picture.height), 4);
  AppendLittleEndian(file, 1, 2);
  AppendLittleEndian(file, static_cast<std::uint32_t>(picture.bitCount), 2);
  AppendLittleEndian(file, picture.compression, 4);
  AppendLittleEndian(file, static_cast<std::uint32_t>(pixels.size()), 4);
  AppendLittleEndian(file, 2835, 4);
  AppendLittleEndian(file, 2835, 4);
  AppendLittleEndian(file, picture.usedColors, 4);
  AppendLittleEndian(file, 0, 4);
  return file + table + pixels;
}

void PutU16(std::string& bytes, std::size_t offset, std::uint16_t value) {
  bytes[offset] = static_cast<char>(value & 0xFF);
  bytes[offset + 1] = static_cast<char>(value >> 8);
}

void PutU32(std::string& bytes, std::size_t offset, std::uint32_t value) {
  for (std::size_t i = 0; i < 4; ++i) bytes[offset + i] = static_cast<char>(value >> (8 * i) & 0xFF);
}

}  // namespace poirec::test
