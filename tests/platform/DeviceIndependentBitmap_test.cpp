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
  header.planes = 1;
  header.bitCount = static_cast<std::uint16_t>(bitCount);
  header.compression = compression;
  return header;
}

std::unique_ptr<DeviceIndependentBitmap> Make(const BitmapInfoHeader& header,
                                              std::vector<RgbQuad> colors = {}) {
  return DeviceIndependentBitmap::Create(header, colors, kColorUsageRgb);
}

RgbQuad Mask(std::uint32_t mask) {
  return RgbQuad{static_cast<std::uint8_t>(mask), static_cast<std::uint8_t>(mask >> 8),
                 static_cast<std::uint8_t>(mask >> 16), static_cast<std::uint8_t>(mask >> 24)};
}

constexpr ColorRef Rgb(int red, int green, int blue) {
  return static_cast<ColorRef>(red | green << 8 | blue << 16);
}

TEST(DeviceIndependentBitmap, RefusesLayoutsTheDisplayCannotShow) {
  for (int bits : {0, 3, 5, 7, 12, 15, 48, 64}) EXPECT_FALSE(Make(Header(4, 4, bits))) << bits;
  EXPECT_FALSE(Make(Header(4, 4, 8, 1))) << "run-length coded 8 bits";
  EXPECT_FALSE(Make(Header(4, 4, 4, 2))) << "run-length coded 4 bits";
  EXPECT_FALSE(Make(Header(4, 4, 8, kCompressionBitFields), {Mask(1), Mask(2), Mask(4)}));
  EXPECT_FALSE(Make(Header(4, 4, 24, kCompressionBitFields), {Mask(1), Mask(2), Mask(4)}));
  EXPECT_FALSE(Make(Header(4, 4, 32, 5))) << "compressed picture formats";
  EXPECT_FALSE(Make(Header(4, 4, 16, kCompressionBitFields), {Mask(1), Mask(2)}))
      << "bit fields need three masks";
  EXPECT_FALSE(Make(Header(0, 4, 8)));
  EXPECT_FALSE(Make(Header(-4, 4, 8)));
  EXPECT_FALSE(Make(Header(4, 0, 8)));
  EXPECT_FALSE(DeviceIndependentBitmap::Create(Header(4, 4, 8), {}, 1)) << "palette indices";

  EXPECT_TRUE(Make(Header(4, -4, 8))) << "top-down";
  EXPECT_TRUE(Make(Header(1, 1, 2)));
  EXPECT_TRUE(Make(Header(4, 4, 16, kCompressionBitFields), {Mask(1), Mask(2), Mask(4)}));
  EXPECT_TRUE(Make(Header(4, 4, 32, kCompressionBitFields), {Mask(1), Mask(2), Mask(4)}));
}

TEST(DeviceIndependentBitmap, BoundsPixelMemoryWithoutOverflow) {
  EXPECT_TRUE(DeviceIndependentBitmap::CanShow(Header(4096, 4096, 32)));  // exactly 64 MiB
  EXPECT_FALSE(DeviceIndependentBitmap::CanShow(Header(4096, 4097, 32)));
  EXPECT_FALSE(DeviceIndependentBitmap::CanShow(Header(4096, -4097, 32)));
  EXPECT_FALSE(DeviceIndependentBitmap::CanShow(Header(1000000, 1000000, 24)));
  EXPECT_FALSE(DeviceIndependentBitmap::CanShow(Header(INT_MAX, INT_MAX, 32)));
  EXPECT_FALSE(DeviceIndependentBitmap::CanShow(Header(INT_MAX, INT_MIN, 32)));
  // Few bytes but too many pixels to hand to the screens as 32-bit colours.
  EXPECT_FALSE(DeviceIndependentBitmap::CanShow(Header(65536, 512, 1)));
}

TEST(DeviceIndependentBitmap, RowsArePaddedToFourBytesAndStartZeroed) {
  const int expected[][2] = {{1, 4}, {2, 4}, {4, 4}, {8, 8}, {16, 12}, {24, 16}, {32, 20}};
  for (const auto& [bits, rowBytes] : expected) {
    const auto bitmap = Make(Header(5, 3, bits));
    ASSERT_TRUE(bitmap) << bits;
    EXPECT_EQ(bitmap->RowBytes(), rowBytes) << bits;
    EXPECT_EQ(bitmap->Pixels().size(), static_cast<std::size_t>(rowBytes * 3)) << bits;
    for (std::uint8_t byte : bitmap->Pixels()) ASSERT_EQ(byte, 0);
  }
  EXPECT_EQ(BytesPerLine(22, 4), 12);
  EXPECT_EQ(BytesPerLine(-22, 4), -8);
  EXPECT_EQ(BytesPerLine(INT_MAX, 0xFFFF), std::int64_t{17591917600772});
}

TEST(DeviceIndependentBitmap, PaletteIndicesAreTakenFromTheHighBitsFirst) {
  std::vector<RgbQuad> colors;
  for (int i = 0; i < 256; ++i) {
    colors.push_back(RgbQuad{static_cast<std::uint8_t>(i), static_cast<std::uint8_t>(255 - i),
                             static_cast<std::uint8_t>(i / 2), 0});
  }
  const auto colorOf = [&](int index) {
    return Rgb(colors[static_cast<std::size_t>(index)].red, colors[static_cast<std::size_t>(index)].green,
               colors[static_cast<std::size_t>(index)].blue);
  };

  auto one = Make(Header(10, 1, 1), colors);
  ASSERT_TRUE(one);
  one->Pixels()[0] = 0b10100000;
  one->Pixels()[1] = 0b01000000;
  EXPECT_EQ(one->PixelColor(0, 0), colorOf(1));
  EXPECT_EQ(one->PixelColor(1, 0), colorOf(0));
  EXPECT_EQ(one->PixelColor(2, 0), colorOf(1));
  EXPECT_EQ(one->PixelColor(8, 0), colorOf(0));
  EXPECT_EQ(one->PixelColor(9, 0), colorOf(1));

  auto two = Make(Header(5, 1, 2), colors);
  ASSERT_TRUE(two);
  two->Pixels()[0] = 0b11100100;
  two->Pixels()[1] = 0b10000000;
  for (int x = 0; x < 4; ++x) EXPECT_EQ(two->PixelColor(x, 0), colorOf(3 - x)) << x;
  EXPECT_EQ(two->PixelColor(4, 0), colorOf(2));

  auto four = Make(Header(3, 1, 4), colors);
  ASSERT_TRUE(four);
  four->Pixels()[0] = 0xC5;
  four->Pixels()[1] = 0xF0;
  EXPECT_EQ(four->PixelColor(0, 0), colorOf(12));
  EXPECT_EQ(four->PixelColor(1, 0), colorOf(5));
  EXPECT_EQ(four->PixelColor(2, 0), colorOf(15));

  auto eight = Make(Header(2, 1, 8), colors);
  ASSERT_TRUE(eight);
  eight->Pixels()[1] = 200;
  EXPECT_EQ(eight->PixelColor(1, 0), colorOf(200));
}

TEST(DeviceIndependentBitmap, IndicesBeyondAShortColourTableAreBlack) {
  auto bitmap = Make(Header(2, 1, 8), {RgbQuad{9, 9, 9, 0}, RgbQuad{50, 60, 70, 0}});
  ASSERT_TRUE(bitmap);
  bitmap->Pixels()[0] = 1;
  bitmap->Pixels()[1] = 2;
  EXPECT_EQ(bitmap->PixelColor(0, 0), Rgb(70, 60, 50));
  EXPECT_EQ(bitmap->PixelColor(1, 0), Rgb(0, 0, 0));
}

TEST(DeviceIndependentBitmap, PositiveHeightsStoreTheBottomRowFirst) {
  for (int height : {3, -3}) {
    auto bitmap = Make(Header(1, height, 24));
    ASSERT_TRUE(bitmap);
    bitmap->Pixels()[2] = 0xFF;  // red of the row stored first
    const int firstRowShown = height > 0 ? 2 : 0;
    for (int y = 0; y < 3; ++y) {
      EXPECT_EQ(bitmap->PixelColor(0, y), y == firstRowShown ? Rgb(255, 0, 0) : Rgb(0, 0, 0))
          << height << " " << y;
    }
  }
}

TEST(DeviceIndependentBitmap, DirectColoursGoThroughTheMasks) {
  const auto colorsOf = [](const BitmapInfoHeader& header, std::vector<RgbQuad> masks,
                           const std::vector<std::uint32_t>& values) {
    auto bitmap = Make(header, std::move(masks));
    std::vector<ColorRef> colors;
    if (!bitmap) return colors;
    const int bytes = header.bitCount / 8;
    for (std::size_t i = 0; i < values.size(); ++i) {
      for (int b = 0; b < bytes; ++b) {
        bitmap->Pixels()[i * static_cast<std::size_t>(bytes) + static_cast<std::size_t>(b)] =
            static_cast<std::uint8_t>(values[i] >> (8 * b));
      }
      colors.push_back(bitmap->PixelColor(static_cast<int>(i), 0));
    }
    return colors;
  };

  // 5-5-5 unless masks say otherwise; a full channel of any width is 255.
  EXPECT_EQ(colorsOf(Header(5, 1, 16), {}, {0x7C00, 0x03E0, 0x001F, 0x8000, 0x4210}),
            (std::vector<ColorRef>{Rgb(255, 0, 0), Rgb(0, 255, 0), Rgb(0, 0, 255), Rgb(0, 0, 0),
                                   Rgb(132, 132, 132)}));
  // Masks handed to a bitmap without compression are not used.
  EXPECT_EQ(colorsOf(Header(1, 1, 16), {Mask(0xF800), Mask(0x07E0), Mask(0x001F)}, {0x7C00}),
            (std::vector<ColorRef>{Rgb(255, 0, 0)}));
  EXPECT_EQ(colorsOf(Header(4, 1, 16, kCompressionBitFields),
                     {Mask(0xF800), Mask(0x07E0), Mask(0x001F)}, {0xF800, 0x07E0, 0x0400, 0xF81F}),
            (std::vector<ColorRef>{Rgb(255, 0, 0), Rgb(0, 255, 0), Rgb(0, 130, 0), Rgb(255, 0, 255)}));

  EXPECT_EQ(colorsOf(Header(2, 1, 24), {}, {0x112233, 0xFF0080}),
            (std::vector<ColorRef>{Rgb(0x11, 0x22, 0x33), Rgb(0xFF, 0x00, 0x80)}));

  EXPECT_EQ(colorsOf(Header(2, 1, 32), {}, {0xAB112233, 0x00FF00FF}),
            (std::vector<ColorRef>{Rgb(0x11, 0x22, 0x33), Rgb(255, 0, 255)}));
  // Ten bits a channel, and red in the low bits: the masks decide, not the habit.
  EXPECT_EQ(colorsOf(Header(2, 1, 32, kCompressionBitFields),
                     {Mask(0x3FF00000), Mask(0x000FFC00), Mask(0x000003FF)},
                     {0x3FFFFFFF, 0x20000000}),
            (std::vector<ColorRef>{Rgb(255, 255, 255), Rgb(128, 0, 0)}));
  EXPECT_EQ(colorsOf(Header(1, 1, 32, kCompressionBitFields),
                     {Mask(0x000000FF), Mask(0x0000FF00), Mask(0)}, {0x00AB12CD}),
            (std::vector<ColorRef>{Rgb(0xCD, 0x12, 0)}));
}

TEST(DeviceIndependentBitmap, ShowsPixelsTopRowFirstAndNothingOutside) {
  auto bitmap = Make(Header(2, 2, 24));
  ASSERT_TRUE(bitmap);
  bitmap->Pixels()[0] = 0x30;  // bottom left: blue
  bitmap->Pixels()[8 + 3 + 1] = 0x40;  // top right: green
  EXPECT_EQ(bitmap->Argb(),
            (std::vector<std::uint32_t>{0xFF000000, 0xFF004000, 0xFF000030, 0xFF000000}));
  EXPECT_EQ(bitmap->PixelColor(-1, 0), kInvalidColor);
  EXPECT_EQ(bitmap->PixelColor(2, 0), kInvalidColor);
  EXPECT_EQ(bitmap->PixelColor(0, 2), kInvalidColor);
}

}  // namespace
}  // namespace poirec
