#pragma once
// A device-independent bitmap held in memory: its info header, its colour table (or its
// three colour masks) and pixel memory of rows of BytesPerLine bytes, bottom-up when the
// height is positive. The screens take its pixels as 32-bit colours.
#include <cstdint>
#include <memory>
#include <span>
#include <vector>

#include "picture/BitmapInfo.h"

namespace poirec {

// The colour of a pixel that is not in the bitmap.
inline constexpr ColorRef kInvalidColor = 0xFFFFFFFF;

class DeviceIndependentBitmap {
 public:
  // The most pixel memory one bitmap may have; category pictures need a few kilobytes.
  static constexpr std::int64_t kMaxPixelBytes = std::int64_t{64} * 1024 * 1024;
  // The most pixels, so that the picture as 32-bit colours stays within the same bound.
  static constexpr std::int64_t kMaxPixels = kMaxPixelBytes / 4;

  // Whether such a bitmap can be made: 1, 2, 4, 8, 16, 24 or 32 bits, without
  // compression or with colour masks for 16 and 32 bits, a width and height other than
  // zero, and pixel memory and pixel count within the bounds above.
  static bool CanShow(const BitmapInfoHeader& header);

  // A bitmap with zeroed pixel memory. colors is the colour table (at most 1 << bit count
  // entries are used; missing ones read as black) or, for colour masks, the three masks
  // red, green, blue. alphaMask, where not 0, picks the alpha bits of 16- and 32-bit
  // pixels. None when the layout cannot be shown, masks are missing or the memory is not
  // available.
  static std::unique_ptr<DeviceIndependentBitmap> Create(const BitmapInfoHeader& header,
                                                         std::span<const RgbQuad> colors,
                                                         std::uint32_t alphaMask = 0);

  // The header as created; width and height are those of the header.
  const BitmapInfoHeader& Header() const { return header_; }
  int Width() const { return header_.width; }
  int Height() const { return header_.height < 0 ? -header_.height : header_.height; }
  int BitCount() const { return header_.bitCount; }
  bool IsBottomUp() const { return header_.height > 0; }

  std::span<std::uint8_t> Pixels() { return pixels_; }
  std::span<const std::uint8_t> Pixels() const { return pixels_; }

  // The colour of pixel (x, y), y counted from the top row as shown: through the colour
  // table up to 8 bits, through the masks for 16 and 32 bits, directly for 24 bits.
  // kInvalidColor outside the bitmap.
  ColorRef PixelColor(int x, int y) const;

  // The whole picture as 0xAARRGGBB, rows top to bottom, for the screens to show: opaque,
  // but for a picture with an alpha mask whose pixels are not all fully transparent (a
  // writer that fills the alpha bits with zeros means no transparency).
  std::vector<std::uint32_t> Argb() const;

 private:
  struct Mask {
    std::uint32_t bits = 0;
    int shift = 0;
  };

  DeviceIndependentBitmap() = default;
  static std::uint8_t Channel(std::uint32_t value, const Mask& mask);

  BitmapInfoHeader header_;
  std::int64_t rowBytes_ = 0;
  std::vector<RgbQuad> colorTable_;
  Mask red_, green_, blue_, alpha_;
  // The raw value of a pixel of 16 or 32 bits.
  std::uint32_t Value(int x, int y) const;
  std::vector<std::uint8_t> pixels_;
};

}  // namespace poirec
