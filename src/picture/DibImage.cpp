#include "picture/DibImage.h"

#include <algorithm>
#include <array>
#include <cerrno>
#include <cstdlib>
#include <new>
#include <vector>

#include "platform/File.h"

namespace poirec {
namespace {

constexpr std::uint16_t kBitmapFileType = 0x4D42;  // "BM"
constexpr std::size_t kFileHeaderSize = 14;
// The info header and its later versions, which add the colour masks (52), the alpha mask
// (56), colour space (108) and profile (124) fields; image programs write the last two.
constexpr std::array<std::uint32_t, 5> kInfoHeaderSizes = {40, 52, 56, 108, 124};
constexpr std::size_t kLargestInfoHeader = 124;
constexpr std::size_t kMasksInHeader = 52;  // a header this long holds the colour masks
constexpr std::size_t kAlphaInHeader = 56;  // and this long the alpha mask

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
  header.clrUsed = U32(bytes + 32);
  return header;
}

RgbQuad QuadOf(const std::uint8_t* bytes) {
  return RgbQuad{bytes[0], bytes[1], bytes[2], bytes[3]};
}

// The number of colour-table entries behind a header of headerSize bytes: the used-colour
// count when it is between 1 and the natural count of the bit count, otherwise the
// natural count (two to 256 for 1 to 8 bits, none for 24 bits). At 16 and 32 bits a
// 40-byte header is followed by three masks, with or without bit fields; a longer header
// holds them itself.
int ColorTableEntries(const BitmapInfoHeader& header) {
  int natural = 0;
  switch (header.bitCount) {
    case 1: natural = 2; break;
    case 2: natural = 4; break;
    case 4: natural = 16; break;
    case 8: natural = 256; break;
    case 16:
    case 32: natural = header.size >= kMasksInHeader ? 0 : 3; break;
    default: natural = 0; break;
  }
  if (header.clrUsed > 0 && header.clrUsed <= static_cast<std::uint32_t>(natural)) {
    return static_cast<int>(header.clrUsed);
  }
  return natural;
}

}  // namespace

bool DibImage::LoadFromFile(std::u16string_view path, FileSystem& files) {
  bitmap.reset();
  failure.clear();
  const auto fail = [this](std::string why) {
    failure = std::move(why);
    return false;
  };
  File file(files);  // closed on every path when it goes
  if (!file.Open(path, File::Mode::Read)) return errno == ENOENT ? false : fail(LastErrorText());
  if (file.Length() > kMaxFileBytes) return fail("larger than 1 MiB");

  std::array<std::uint8_t, kFileHeaderSize + 4> fileHeader{};
  if (file.Read(fileHeader.data(), fileHeader.size()) != fileHeader.size() ||
      U16(fileHeader.data()) != kBitmapFileType) {
    return fail("not a BMP picture");
  }
  const std::int64_t fileSize = U32(fileHeader.data() + 2);
  const std::int64_t dataOffset = U32(fileHeader.data() + 10);
  const std::uint32_t headerSize = U32(fileHeader.data() + kFileHeaderSize);
  if (std::find(kInfoHeaderSizes.begin(), kInfoHeaderSizes.end(), headerSize) ==
      kInfoHeaderSizes.end()) {
    return fail("a BMP header of " + std::to_string(headerSize) + " bytes is not supported");
  }

  std::array<std::uint8_t, kLargestInfoHeader> headerBytes{};
  std::copy_n(fileHeader.begin() + kFileHeaderSize, 4, headerBytes.begin());
  if (file.Read(headerBytes.data() + 4, headerSize - 4) != headerSize - 4) {
    return fail("the file ends inside its header");
  }
  BitmapInfo loaded;
  loaded.header = ParseInfoHeader(headerBytes.data());
  const std::int64_t area =
      std::abs(std::int64_t{loaded.header.width}) * std::abs(std::int64_t{loaded.header.height});
  if (area > kMaxPixels) return fail("more than 1024 x 1024 pixels");

  const int entries = ColorTableEntries(loaded.header);
  std::array<std::uint8_t, 4 * BitmapInfo::kMaxColors> tableBytes{};
  const auto tableSize = static_cast<std::size_t>(4 * entries);
  if (file.Read(tableBytes.data(), tableSize) != tableSize) {
    return fail("the file ends inside its colour table");
  }
  for (std::size_t i = 0; i < static_cast<std::size_t>(entries); ++i) {
    loaded.colors[i] = QuadOf(&tableBytes[4 * i]);
  }
  std::uint32_t alphaMask = 0;
  if (headerSize >= kMasksInHeader && entries == 0) {
    for (std::size_t i = 0; i < 3; ++i) loaded.colors[i] = QuadOf(&headerBytes[40 + 4 * i]);
  }
  if (headerSize >= kAlphaInHeader) alphaMask = U32(&headerBytes[52]);

  // The pixel area is what the header's rows need, cut short where the file says it
  // ends. Every size is checked before memory is set aside for it: a small file that
  // claims a huge picture fails here, and so do a negative height or width, a file size
  // below the data offset and an empty pixel area.
  const std::int64_t rowBytes = BytesPerLine(loaded.header.width, loaded.header.bitCount);
  const std::int64_t bitmapBytes = rowBytes * loaded.header.height;
  const std::int64_t pixelSize = std::min(bitmapBytes, fileSize - dataOffset);
  if (rowBytes <= 0 || rowBytes > DeviceIndependentBitmap::kMaxPixelBytes ||
      bitmapBytes > DeviceIndependentBitmap::kMaxPixelBytes || pixelSize <= 0) {
    return fail("its header gives no valid size");
  }
  // A file too short for its pixel area fails the read anyway; without the buffer.
  if (file.Length() < dataOffset + pixelSize) return fail("the file ends before its pixels");

  std::vector<std::uint8_t> buffer;
  try {
    buffer.resize(static_cast<std::size_t>(pixelSize));
  } catch (const std::bad_alloc&) {
    return fail("out of memory");
  }
  if (!file.Seek(dataOffset) || file.Read(buffer.data(), buffer.size()) != buffer.size()) {
    return fail("the file ends before its pixels");
  }

  bitmap = DeviceIndependentBitmap::Create(
      loaded.header,
      std::span<const RgbQuad>(loaded.colors)
          .first(static_cast<std::size_t>(std::max(entries, headerSize >= kMasksInHeader ? 3 : 0))),
      alphaMask);
  if (!bitmap) {
    return fail(std::to_string(loaded.header.bitCount) + " bits with compression " +
                std::to_string(loaded.header.compression) + " are not supported");
  }
  const std::span<std::uint8_t> pixels = bitmap->Pixels();
  std::copy_n(buffer.begin(), std::min(buffer.size(), pixels.size()), pixels.begin());
  return true;
}

}  // namespace poirec
