#pragma once
// A category picture: a ".bmp" file turned into a device-independent bitmap the screens
// can show, with a logical palette that matches it. The image owns both.
#include <array>
#include <cstdint>
#include <memory>
#include <optional>
#include <span>
#include <string_view>

#include "picture/BitmapInfo.h"
#include "picture/DeviceIndependentBitmap.h"
#include "picture/LogicalPalette.h"
#include "platform/PosixFileSystem.h"

namespace poirec {

// The standard palette's colours, (blue, green, red, 0): ten fixed colours, the 6 x 6 x 6
// colour cube without the three colours already present, 23 greys, ten fixed colours.
extern const std::array<RgbQuad, 256> DefaultPaletteTable;

// The number of colour-table entries behind an info header: the used-colour count when it
// is between 1 and the natural count of the bit count, otherwise the natural count (two
// to 256 for 1 to 8 bits, the three colour masks for 16 and 32 bits, none for 24 bits).
// Compression does not change it.
int ColorTableEntries(int bitCount, std::uint32_t compression, std::uint32_t usedColors);

// Recovers up to count colour-table entries of a bitmap of at most 8 bits, starting at
// first, by writing each index into the first pixel of its memory and reading that
// pixel's colour back; the first byte is restored afterwards. Returns the number of
// entries the bitmap has (its used-colour count, or 1 << bit count), at most count;
// 0 for bitmaps of more than 8 bits or an empty output table. Entries beyond out's end
// are not written.
int ReadBackColorTable(DeviceIndependentBitmap& bitmap, int first, int count,
                       std::span<RgbQuad> out);

class DibImage {
 public:
  DibImage() = default;
  ~DibImage() { Release(); }
  DibImage(const DibImage&) = delete;
  DibImage& operator=(const DibImage&) = delete;

  // The largest picture file and pixel area a load accepts. A category picture is a
  // 22 x 22 icon; a file far beyond that is not one, and making its bitmap would hold up
  // the page that shows it.
  static constexpr std::int64_t kMaxFileBytes = 1024 * 1024;
  static constexpr std::int64_t kMaxPixels = 1024 * 1024;

  // Loads a ".bmp" file with a 40-byte info header. True when bitmap and palette now hold
  // its picture. A load that fails before the new bitmap is created (unreadable file, not
  // such a picture, a file or pixel area beyond the bounds above) keeps the previous
  // bitmap and sets no memory aside for pixels; one that fails while creating it (a layout
  // CanShow refuses) leaves the image empty. Only a regular file is read.
  bool LoadFromFile(std::u16string_view path, FileSystem& files = RealFileSystem());

  // Builds bitmap from an info header with its colour table and copies the header's image
  // size of pixel bytes into it, never more than pixelData holds; without pixel data the
  // pixels stay zero. Whatever the image held before is released first.
  bool CreateFromHeader(const BitmapInfo* header, std::span<const std::uint8_t> pixelData);

  // Builds palette from the bitmap's colour table, or the default palette when there is
  // none to read.
  bool BuildPalette();
  // Builds a palette of 2, 16 or 256 entries from DefaultPaletteTable: the size that
  // holds count entries, 256 for counts outside 1 to 256.
  bool BuildDefaultPalette(int count);

  // Frees bitmap and palette and zeroes everything else; an empty image stays empty.
  void Release();

  std::unique_ptr<DeviceIndependentBitmap> bitmap;
  BitmapInfo info{};               // the file's header and colour table; zero beyond colorCount
  std::span<std::uint8_t> pixels;  // the bitmap's own pixel memory
  std::uint32_t colorUsage = kColorUsageRgb;
  std::int32_t colorCount = 0;  // entries of info's colour table in use, 0 to 256
  std::optional<LogicalPalette> palette;
};

}  // namespace poirec
