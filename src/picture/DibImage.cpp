#include "picture/DibImage.h"

#include <algorithm>
#include <cstdlib>
#include <new>
#include <vector>

#include "platform/File.h"

namespace poirec {
namespace {

constexpr std::uint16_t kBitmapFileType = 0x4D42;  // "BM"
constexpr std::size_t kFileHeaderSize = 14;

constexpr std::array<RgbQuad, 256> MakeDefaultPaletteTable() {
  std::array<RgbQuad, 256> table{};
  std::size_t next = 0;
  const auto add = [&](int b0, int b1, int b2) {
    table[next++] = RgbQuad{static_cast<std::uint8_t>(b0), static_cast<std::uint8_t>(b1),
                            static_cast<std::uint8_t>(b2), 0};
  };
  add(0, 0, 0), add(128, 0, 0), add(0, 128, 0), add(128, 128, 0), add(0, 0, 128);
  add(128, 0, 128), add(0, 128, 128), add(192, 192, 192), add(192, 220, 192), add(166, 202, 240);

  constexpr int kLevels[] = {0, 44, 86, 135, 192, 255};
  for (int b2 : kLevels) {
    for (int b1 : kLevels) {
      for (int b0 : kLevels) {
        const bool alreadyPresent = (b0 == 0 && b1 == 0 && b2 == 0) ||
                                    (b0 == 192 && b1 == 192 && b2 == 192) ||
                                    (b0 == 0 && b1 == 255 && b2 == 255);
        if (!alreadyPresent) add(b0, b1, b2);
      }
    }
  }
  for (int grey : {17,  24,  30,  37,  44,  52,  60,  68,  77,  86,  95, 105,
                   114, 125, 146, 157, 168, 180, 204, 216, 229, 242, 255}) {
    add(grey, grey, grey);
  }

  add(255, 251, 240), add(160, 160, 164), add(128, 128, 128), add(255, 0, 0), add(0, 255, 0);
  add(255, 255, 0), add(0, 0, 255), add(255, 0, 255), add(0, 255, 255), add(255, 255, 255);
  if (next != table.size()) throw "the default palette must have 256 entries";
  return table;
}

std::uint16_t U16(const std::uint8_t* bytes) {
  return static_cast<std::uint16_t>(bytes[0] | bytes[1] << 8);
}

std::uint32_t U32(const std::uint8_t* bytes) {
  return std::uint32_t{bytes[0]} | std::uint32_t{bytes[1]} << 8 | std::uint32_t{bytes[2]} << 16 |
         std::uint32_t{bytes[3]} << 24;
}

std::int32_t I32(const std::uint8_t* bytes) { return static_cast<std::int32_t>(U32(bytes)); }

BitmapInfoHeader ParseInfoHeader(const std::uint8_t* bytes) {
  BitmapInfoHeader header;
  header.size = U32(bytes);
  header.width = I32(bytes + 4);
  header.height = I32(bytes + 8);
  header.planes = U16(bytes + 12);
  header.bitCount = U16(bytes + 14);
  header.compression = U32(bytes + 16);
  header.sizeImage = U32(bytes + 20);
  header.xPelsPerMeter = I32(bytes + 24);
  header.yPelsPerMeter = I32(bytes + 28);
  header.clrUsed = U32(bytes + 32);
  header.clrImportant = U32(bytes + 36);
  return header;
}

PaletteEntry ToPaletteEntry(const RgbQuad& entry) {
  return PaletteEntry{entry.red, entry.green, entry.blue, 0};
}

}  // namespace

constexpr std::array<RgbQuad, 256> DefaultPaletteTable = MakeDefaultPaletteTable();

int ColorTableEntries(int bitCount, std::uint32_t /*compression*/, std::uint32_t usedColors) {
  int natural = 0;
  switch (bitCount) {
    case 1: natural = 2; break;
    case 2: natural = 4; break;
    case 4: natural = 16; break;
    case 8: natural = 256; break;
    case 16:
    case 32: natural = 3; break;
    default: natural = 0; break;
  }
  if (usedColors > 0 && usedColors <= static_cast<std::uint32_t>(natural)) {
    return static_cast<int>(usedColors);
  }
  return natural;
}

int ReadBackColorTable(DeviceIndependentBitmap& bitmap, int first, int count,
                       std::span<RgbQuad> out) {
  const int bits = bitmap.BitCount();
  if (out.empty() || bits > 8 || first < 0) return 0;
  const std::uint32_t used = bitmap.Header().clrUsed;
  const std::int64_t available = std::clamp<std::int64_t>(
      used != 0 ? std::int64_t{used} : std::int64_t{1} << bits, 0, std::max(count, 0));

  // The first byte of pixel memory holds the first pixel of the row stored first: the
  // bottom row of a bottom-up bitmap.
  const int y = bitmap.IsBottomUp() ? bitmap.Height() - 1 : 0;
  std::uint8_t& firstByte = bitmap.Pixels()[0];
  const std::uint8_t saved = firstByte;
  const auto mask = static_cast<std::uint8_t>(0xFF << (8 - bits));
  for (std::int64_t i = first; i < available; ++i) {
    firstByte = static_cast<std::uint8_t>((saved & ~mask) | ((i << (8 - bits)) & 0xFF));
    const ColorRef color = bitmap.PixelColor(0, y);
    const auto at = static_cast<std::size_t>(i - first);
    if (at < out.size()) {
      out[at] = RgbQuad{static_cast<std::uint8_t>(color >> 16),
                        static_cast<std::uint8_t>(color >> 8), static_cast<std::uint8_t>(color), 0};
    }
  }
  firstByte = saved;
  return static_cast<int>(available);
}

bool DibImage::LoadFromFile(std::u16string_view path, FileSystem& files) {
  File file(files);  // closed on every path when it goes
  if (!file.Open(path, File::Mode::Read) || file.Length() > kMaxFileBytes) return false;

  std::array<std::uint8_t, kFileHeaderSize> fileHeader{};
  if (file.Read(fileHeader.data(), fileHeader.size()) != fileHeader.size() ||
      U16(fileHeader.data()) != kBitmapFileType) {
    return false;
  }
  const std::int64_t fileSize = U32(fileHeader.data() + 2);
  const std::int64_t dataOffset = U32(fileHeader.data() + 10);

  std::array<std::uint8_t, kInfoHeaderSize> headerBytes{};
  if (file.Read(headerBytes.data(), headerBytes.size()) != headerBytes.size()) return false;
  BitmapInfo loaded;
  loaded.header = ParseInfoHeader(headerBytes.data());
  if (loaded.header.size != kInfoHeaderSize) return false;
  const std::int64_t area =
      std::abs(std::int64_t{loaded.header.width}) * std::abs(std::int64_t{loaded.header.height});
  if (area > kMaxPixels) return false;

  const int entries =
      ColorTableEntries(loaded.header.bitCount, loaded.header.compression, loaded.header.clrUsed);
  std::array<std::uint8_t, 4 * BitmapInfo::kMaxColors> tableBytes{};
  const auto tableSize = static_cast<std::size_t>(4 * entries);
  if (file.Read(tableBytes.data(), tableSize) != tableSize) return false;
  for (std::size_t i = 0; i < static_cast<std::size_t>(entries); ++i) {
    loaded.colors[i] = RgbQuad{tableBytes[4 * i], tableBytes[4 * i + 1], tableBytes[4 * i + 2],
                               tableBytes[4 * i + 3]};
  }

  // The pixel area is what the header's rows need, cut short where the file says it
  // ends. Every size is checked before memory is set aside for it: a small file that
  // claims a huge picture fails here, and so do a negative height or width, a file size
  // below the data offset and an empty pixel area.
  const std::int64_t rowBytes = BytesPerLine(loaded.header.width, loaded.header.bitCount);
  if (rowBytes <= 0 || rowBytes > DeviceIndependentBitmap::kMaxPixelBytes) return false;
  const std::int64_t bitmapBytes = rowBytes * loaded.header.height;
  if (bitmapBytes > DeviceIndependentBitmap::kMaxPixelBytes) return false;
  const std::int64_t pixelSize = std::min(bitmapBytes, fileSize - dataOffset);
  if (pixelSize <= 0) return false;
  // A file too short for its pixel area fails the read anyway; without the buffer.
  if (file.Length() < dataOffset + pixelSize) return false;

  std::vector<std::uint8_t> buffer;
  try {
    buffer.resize(static_cast<std::size_t>(pixelSize));
  } catch (const std::bad_alloc&) {
    return false;
  }
  if (!file.Seek(dataOffset) || file.Read(buffer.data(), buffer.size()) != buffer.size()) {
    return false;
  }
  file.Close();

  loaded.header.sizeImage = static_cast<std::uint32_t>(pixelSize);
  return CreateFromHeader(&loaded, buffer);
}

bool DibImage::CreateFromHeader(const BitmapInfo* header, std::span<const std::uint8_t> pixelData) {
  // A copy, so that a header that lies in this image survives the release.
  const std::optional<BitmapInfo> source =
      header != nullptr ? std::optional<BitmapInfo>(*header) : std::nullopt;
  Release();
  if (!source) return false;

  colorCount = ColorTableEntries(source->header.bitCount, source->header.compression,
                                 source->header.clrUsed);
  info.header = source->header;
  std::copy_n(source->colors.begin(), colorCount, info.colors.begin());

  bitmap = DeviceIndependentBitmap::Create(
      info.header,
      std::span<const RgbQuad>(info.colors).first(static_cast<std::size_t>(colorCount)),
      colorUsage);
  if (!bitmap) {
    Release();
    return false;
  }
  pixels = bitmap->Pixels();
  if (info.header.sizeImage == 0) info.header.sizeImage = static_cast<std::uint32_t>(pixels.size());
  const std::size_t copied =
      std::min({std::size_t{info.header.sizeImage}, pixelData.size(), pixels.size()});
  std::copy_n(pixelData.begin(), copied, pixels.begin());

  if (!BuildPalette()) {
    Release();
    return false;
  }
  return true;
}

bool DibImage::BuildPalette() {
  palette.reset();
  if (!bitmap) return false;
  if (colorCount == 0) return BuildDefaultPalette(256);

  const auto size = static_cast<std::size_t>(colorCount);
  std::vector<RgbQuad> table(size);
  const int obtained = ReadBackColorTable(*bitmap, 0, colorCount, table);
  if (obtained == 0) return BuildDefaultPalette(colorCount);

  std::vector<PaletteEntry> entries(size);
  for (std::size_t i = 0; i < std::min(size, static_cast<std::size_t>(obtained)); ++i) {
    entries[i] = ToPaletteEntry(table[i]);
  }
  palette = LogicalPalette::Create(LogicalPalette::kVersion, std::move(entries));
  return palette.has_value();
}

bool DibImage::BuildDefaultPalette(int count) {
  palette.reset();
  const int size = count <= 0 || count > 256 ? 256 : count <= 2 ? 2 : count <= 16 ? 16 : 256;

  std::vector<PaletteEntry> entries;
  entries.reserve(static_cast<std::size_t>(size));
  const auto take = [&](std::size_t from, std::size_t to) {
    for (std::size_t i = from; i <= to; ++i)
      entries.push_back(ToPaletteEntry(DefaultPaletteTable[i]));
  };
  if (size == 2) {
    take(0, 0), take(255, 255);
  } else if (size == 16) {
    take(0, 7), take(248, 255);
  } else {
    take(0, 255);
  }
  palette = LogicalPalette::Create(LogicalPalette::kVersion, std::move(entries));
  return palette.has_value();
}

void DibImage::Release() {
  palette.reset();
  bitmap.reset();
  pixels = {};
  info = BitmapInfo{};
  colorUsage = kColorUsageRgb;
  colorCount = 0;
}

}  // namespace poirec
