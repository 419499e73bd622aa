#include "picture/DeviceIndependentBitmap.h"

#include <algorithm>
#include <bit>
#include <new>

namespace poirec {
namespace {

constexpr ColorRef MakeColor(std::uint8_t red, std::uint8_t green, std::uint8_t blue) {
  return ColorRef{red} | ColorRef{green} << 8 | ColorRef{blue} << 16;
}

// The four bytes of a colour-table entry read as one little-endian mask.
std::uint32_t MaskOf(const RgbQuad& entry) {
  return std::uint32_t{entry.blue} | std::uint32_t{entry.green} << 8 |
         std::uint32_t{entry.red} << 16 | std::uint32_t{entry.reserved} << 24;
}

bool IsPaletted(int bitCount) { return bitCount <= 8; }

}  // namespace

bool DeviceIndependentBitmap::CanShow(const BitmapInfoHeader& header) {
  switch (header.bitCount) {
    case 1:
    case 2:
    case 4:
    case 8:
    case 24:
      if (header.compression != kCompressionNone) return false;
      break;
    case 16:
    case 32:
      if (header.compression != kCompressionNone && header.compression != kCompressionBitFields) {
        return false;
      }
      break;
    default: return false;
  }
  if (header.width <= 0 || header.height == 0) return false;
  const std::int64_t rows = header.height < 0 ? -std::int64_t{header.height} : header.height;
  const std::int64_t rowBytes = BytesPerLine(header.width, header.bitCount);
  // Rows and pixels are bounded one factor at a time, so no product leaves 64 bits.
  return rowBytes <= kMaxPixelBytes && rowBytes * rows <= kMaxPixelBytes &&
         header.width <= kMaxPixels && header.width * rows <= kMaxPixels;
}

std::unique_ptr<DeviceIndependentBitmap> DeviceIndependentBitmap::Create(
    const BitmapInfoHeader& header, std::span<const RgbQuad> colors, std::uint32_t alphaMask) {
  if (!CanShow(header)) return nullptr;
  std::unique_ptr<DeviceIndependentBitmap> bitmap(new (std::nothrow) DeviceIndependentBitmap);
  if (!bitmap) return nullptr;
  bitmap->header_ = header;
  bitmap->rowBytes_ = BytesPerLine(header.width, header.bitCount);

  const int bits = header.bitCount;
  if (IsPaletted(bits)) {
    const std::size_t natural = std::size_t{1} << bits;
    bitmap->colorTable_.assign(
        colors.begin(),
        colors.begin() + static_cast<std::ptrdiff_t>(std::min(colors.size(), natural)));
  } else if (bits != 24) {
    std::uint32_t red = bits == 16 ? 0x7C00 : 0x00FF0000;
    std::uint32_t green = bits == 16 ? 0x03E0 : 0x0000FF00;
    std::uint32_t blue = bits == 16 ? 0x001F : 0x000000FF;
    if (header.compression == kCompressionBitFields) {
      if (colors.size() < 3) return nullptr;
      red = MaskOf(colors[0]);
      green = MaskOf(colors[1]);
      blue = MaskOf(colors[2]);
    }
    const auto mask = [](std::uint32_t value) {
      return Mask{value, value == 0 ? 0 : std::countr_zero(value)};
    };
    bitmap->red_ = mask(red);
    bitmap->green_ = mask(green);
    bitmap->blue_ = mask(blue);
    bitmap->alpha_ = mask(alphaMask);
  }

  try {
    bitmap->pixels_.assign(static_cast<std::size_t>(bitmap->rowBytes_ * bitmap->Height()), 0);
  } catch (const std::bad_alloc&) {
    return nullptr;
  }
  return bitmap;
}

// A mask's bits scaled to 0..255, so that a full channel of any width is 255.
std::uint8_t DeviceIndependentBitmap::Channel(std::uint32_t value, const Mask& mask) {
  const std::uint64_t top = mask.bits >> mask.shift;
  if (top == 0) return 0;
  const std::uint64_t part = (value & mask.bits) >> mask.shift;
  return static_cast<std::uint8_t>((part * 255 + top / 2) / top);
}

ColorRef DeviceIndependentBitmap::PixelColor(int x, int y) const {
  if (x < 0 || y < 0 || x >= Width() || y >= Height()) return kInvalidColor;
  const int row = IsBottomUp() ? Height() - 1 - y : y;
  const std::uint8_t* line = pixels_.data() + static_cast<std::ptrdiff_t>(row * rowBytes_);
  const int bits = BitCount();

  if (IsPaletted(bits)) {
    const std::int64_t bitOffset = std::int64_t{x} * bits;
    const int shift = 8 - bits - static_cast<int>(bitOffset % 8);
    const std::size_t index = (line[bitOffset / 8] >> shift) & ((1u << bits) - 1);
    if (index >= colorTable_.size()) return MakeColor(0, 0, 0);
    const RgbQuad& entry = colorTable_[index];
    return MakeColor(entry.red, entry.green, entry.blue);
  }
  if (bits == 24) {
    const std::uint8_t* pixel = line + std::ptrdiff_t{x} * 3;
    return MakeColor(pixel[2], pixel[1], pixel[0]);
  }
  const std::uint32_t value = Value(x, y);
  return MakeColor(Channel(value, red_), Channel(value, green_), Channel(value, blue_));
}

std::uint32_t DeviceIndependentBitmap::Value(int x, int y) const {
  const int row = IsBottomUp() ? Height() - 1 - y : y;
  const int bytes = BitCount() / 8;
  const std::uint8_t* pixel =
      pixels_.data() + static_cast<std::ptrdiff_t>(row * rowBytes_) + std::ptrdiff_t{x} * bytes;
  std::uint32_t value = 0;
  for (int i = bytes - 1; i >= 0; --i) value = value << 8 | pixel[i];
  return value;
}

std::vector<std::uint32_t> DeviceIndependentBitmap::Argb() const {
  std::vector<std::uint32_t> argb;
  argb.reserve(static_cast<std::size_t>(Width()) * static_cast<std::size_t>(Height()));
  bool anyAlpha = false;
  for (int y = 0; y < Height(); ++y) {
    for (int x = 0; x < Width(); ++x) {
      std::uint32_t pixel = OpaqueArgb(PixelColor(x, y));
      if (alpha_.bits != 0) {
        const std::uint32_t alpha = Channel(Value(x, y), alpha_);
        anyAlpha = anyAlpha || alpha != 0;
        pixel = (pixel & 0xFFFFFFu) | alpha << 24;
      }
      argb.push_back(pixel);
    }
  }
  if (!anyAlpha) {
    for (std::uint32_t& pixel : argb) pixel |= 0xFF000000u;
  }
  return argb;
}

}  // namespace poirec
