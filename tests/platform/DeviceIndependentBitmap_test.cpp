#include "platform/DeviceIndependentBitmap.h"

#include <gtest/gtest.h>

#include <climits>
#include <vector>

namespace poirec {
namespace {

BitmapInfoHeader Header(int width, int height, int bitCount,
                        std::uint32_t compression = kCompressionNone) {
  BitmapInfoHeader header;
  header.size = 40;
  header.width = width;
  header.height = height;
  header.bitCount = static_cast<std::uint16_t>(bitCount);
  header.compression = compression;
  return header;
}

RgbQuad Mask(std::uint32_t mask) {
  return RgbQuad{static_cast<std::uint8_t>(mask), static_cast<std::uint8_t>(mask >> 8),
                 static_cast<std::uint8_t>(mask >> 16), static_cast<std::uint8_t>(mask >> 24)};
}

const std::vector<RgbQuad> kMasks565 = {Mask(0xF800), Mask(0x07E0), Mask(0x001F)};

bool Creates(const BitmapInfoHeader& header, const std::vector<RgbQuad>& colors = {},
             std::uint32_t usage = kColorUsageRgb) {
  return DeviceIndependentBitmap::Create(header, colors, usage) != nullptr;
}

constexpr ColorRef Rgb(int red, int green, int blue) {
  return static_cast<ColorRef>(red | green << 8 | blue << 16);
}

TEST(DeviceIndependentBitmap, MakesOnlyLayoutsTheDisplayCanShow) {
  for (int bits : {0, 3, 5, 7, 12, 15, 48, 64}) EXPECT_FALSE(Creates(Header(4, 4, bits))) << bits;
  EXPECT_FALSE(Creates(Header(4, 4, 8, 1))) << "run-length coded 8 bits";
  EXPECT_FALSE(Creates(Header(4, 4, 4, 2))) << "run-length coded 4 bits";
  EXPECT_FALSE(Creates(Header(4, 4, 8, kCompressionBitFields), kMasks565));
  EXPECT_FALSE(Creates(Header(4, 4, 24, kCompressionBitFields), kMasks565));
  EXPECT_FALSE(Creates(Header(4, 4, 32, 5))) << "compressed picture formats";
  EXPECT_FALSE(Creates(Header(4, 4, 16, kCompressionBitFields), {Mask(1), Mask(2)}));
  EXPECT_FALSE(Creates(Header(0, 4, 8)));
  EXPECT_FALSE(Creates(Header(-4, 4, 8)));
  EXPECT_FALSE(Creates(Header(4, 0, 8)));
  EXPECT_FALSE(Creates(Header(4, 4, 8), {}, 1)) << "palette indices as colour usage";

  EXPECT_TRUE(Creates(Header(4, -4, 8))) << "top-down";
  EXPECT_TRUE(Creates(Header(1, 1, 2)));
  EXPECT_TRUE(Creates(Header(4, 4, 16, kCompressionBitFields), kMasks565));
  EXPECT_TRUE(Creates(Header(4, 4, 32, kCompressionBitFields), kMasks565));

  // Pixel memory and pixel count are bounded, with no product leaving 64 bits.
  EXPECT_TRUE(DeviceIndependentBitmap::CanShow(Header(4096, 4096, 32)));  // exactly 64 MiB
  EXPECT_FALSE(DeviceIndependentBitmap::CanShow(Header(4096, 4097, 32)));
  EXPECT_FALSE(DeviceIndependentBitmap::CanShow(Header(4096, -4097, 32)));
  EXPECT_FALSE(DeviceIndependentBitmap::CanShow(Header(65536, 512, 1))) << "4 MiB, too many pixels";
  EXPECT_FALSE(DeviceIndependentBitmap::CanShow(Header(INT_MAX, INT_MAX, 32)));
  EXPECT_FALSE(DeviceIndependentBitmap::CanShow(Header(INT_MAX, INT_MIN, 32)));
  EXPECT_EQ(BytesPerLine(INT_MAX, 0xFFFF), std::int64_t{17591917600772});
  EXPECT_EQ(BytesPerLine(-22, 4), -8);
}

TEST(DeviceIndependentBitmap, PositiveHeightsStoreTheBottomRowFirst) {
  for (int height : {3, -3}) {
    auto bitmap = DeviceIndependentBitmap::Create(Header(1, height, 24), {}, kColorUsageRgb);
    ASSERT_TRUE(bitmap);
    bitmap->Pixels()[2] = 0xFF;  // red of the row stored first
    const int firstRowShown = height > 0 ? 2 : 0;
    for (int y = 0; y < 3; ++y) {
      EXPECT_EQ(bitmap->PixelColor(0, y), y == firstRowShown ? Rgb(255, 0, 0) : Rgb(0, 0, 0)) << height;
    }
    EXPECT_EQ(bitmap->PixelColor(0, 3), kInvalidColor);
    EXPECT_EQ(bitmap->PixelColor(-1, 0), kInvalidColor);
  }
}

TEST(DeviceIndependentBitmap, MasksOfAnyWidthScaleAFullChannelTo255) {
  const auto colourOf = [](const BitmapInfoHeader& header, const std::vector<RgbQuad>& masks,
                           std::uint32_t value) {
    auto bitmap = DeviceIndependentBitmap::Create(header, masks, kColorUsageRgb);
    for (int b = 0; b < header.bitCount / 8; ++b) {
      bitmap->Pixels()[static_cast<std::size_t>(b)] = static_cast<std::uint8_t>(value >> (8 * b));
    }
    return bitmap->PixelColor(0, 0);
  };
  const BitmapInfoHeader plain16 = Header(1, 1, 16);
  EXPECT_EQ(colourOf(plain16, {}, 0x4210), Rgb(132, 132, 132)) << "16 of 31 in each channel";
  EXPECT_EQ(colourOf(plain16, {}, 0x8000), Rgb(0, 0, 0)) << "the top bit is no colour";
  EXPECT_EQ(colourOf(plain16, kMasks565, 0x7C00), Rgb(255, 0, 0)) << "masks need bit fields";
  const BitmapInfoHeader fields16 = Header(1, 1, 16, kCompressionBitFields);
  EXPECT_EQ(colourOf(fields16, kMasks565, 0x0400), Rgb(0, 130, 0)) << "32 of 63";
  EXPECT_EQ(colourOf(fields16, kMasks565, 0xF81F), Rgb(255, 0, 255));

  const BitmapInfoHeader fields32 = Header(1, 1, 32, kCompressionBitFields);
  const std::vector<RgbQuad> tenBits = {Mask(0x3FF00000), Mask(0x000FFC00), Mask(0x000003FF)};
  EXPECT_EQ(colourOf(fields32, tenBits, 0x3FFFFFFF), Rgb(255, 255, 255));
  EXPECT_EQ(colourOf(fields32, tenBits, 0x20000000), Rgb(128, 0, 0));
  EXPECT_EQ(colourOf(fields32, {Mask(0xFF), Mask(0xFF00), Mask(0)}, 0x00AB12CD), Rgb(0xCD, 0x12, 0))
      << "red in the low byte, no blue at all";
  EXPECT_EQ(colourOf(Header(1, 1, 32), {}, 0xAB112233), Rgb(0x11, 0x22, 0x33));
}

}  // namespace
}  // namespace poirec
