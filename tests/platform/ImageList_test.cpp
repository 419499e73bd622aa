#include "platform/ImageList.h"

#include <gtest/gtest.h>

#include <functional>

#include "platform/DeviceIndependentBitmap.h"

namespace poirec {
namespace {

constexpr std::uint32_t kClear = 0;

// A 24-bit picture whose pixel (x, y), counted from the top, has colour(x, y).
std::unique_ptr<DeviceIndependentBitmap> Picture(int width, int height,
                                                 const std::function<ColorRef(int, int)>& colour) {
  BitmapInfoHeader header;
  header.width = width;
  header.height = -height;  // top-down keeps the arithmetic below plain
  header.bitCount = 24;
  auto bitmap = DeviceIndependentBitmap::Create(header, {}, kColorUsageRgb);
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      const auto at = static_cast<std::size_t>(y * bitmap->RowBytes() + 3 * x);
      const ColorRef c = colour(x, y);
      for (int b = 0; b < 3; ++b) bitmap->Pixels()[at + static_cast<std::size_t>(b)] = static_cast<std::uint8_t>(c >> (16 - 8 * b));
    }
  }
  return bitmap;
}

std::uint32_t At(const std::vector<std::uint32_t>& argb, std::size_t x, std::size_t y) {
  return argb.at(y * 22 + x);
}

TEST(ImageList, KeyColourPixelsBecomeTransparentAndIndicesCountUp) {
  ImageList list(2, 3);
  // Magenta on the left half, near-magenta in the top right, blue below it.
  const auto picture = Picture(22, 22, [](int x, int y) -> ColorRef {
    if (x < 11) return kMagenta;
    return y < 11 ? 0x00FF00FE : 0x00FF0000;
  });
  EXPECT_EQ(list.AddMasked(*picture, kMagenta), 0);
  const std::vector<std::uint32_t> argb = list.Argb(0);
  ASSERT_EQ(argb.size(), 484u);
  EXPECT_EQ(At(argb, 0, 0), kClear);
  EXPECT_EQ(At(argb, 10, 21), kClear);
  EXPECT_EQ(At(argb, 11, 0), 0xFFFE00FFu);
  EXPECT_EQ(At(argb, 21, 21), 0xFF0000FFu);
  // The key is the one given.
  EXPECT_EQ(list.AddMasked(*picture, 0x00FF0000), 1);
  EXPECT_EQ(At(list.Argb(1), 0, 0), 0xFFFF00FFu);
  EXPECT_EQ(At(list.Argb(1), 21, 21), kClear);

  // Well past the initial room and several growths.
  for (int i = 2; i < 130; ++i) {
    ASSERT_EQ(list.AddMasked(*Picture(22, 22, [i](int, int) { return static_cast<ColorRef>(i); }), kMagenta), i);
  }
  EXPECT_EQ(At(list.Argb(129), 5, 5), 0xFF810000u);
  EXPECT_TRUE(list.Argb(130).empty());
  EXPECT_TRUE(list.Argb(-1).empty());

  list.Clear();
  EXPECT_EQ(list.Count(), 0);
  EXPECT_EQ(list.AddMasked(*picture, kMagenta), 0);
}

TEST(ImageList, OtherSizesAreCentredAndShrunkToFitKeepingProportions) {
  ImageList list;
  // Smaller: as it is, in the middle.
  ASSERT_EQ(list.AddMasked(*Picture(16, 16, [](int x, int y) { return x + y == 0 ? 0xFFu : 0xFF00u; }), kMagenta), 0);
  auto argb = list.Argb(0);
  EXPECT_EQ(At(argb, 2, 2), kClear);
  EXPECT_EQ(At(argb, 3, 3), 0xFFFF0000u);
  EXPECT_EQ(At(argb, 18, 18), 0xFF00FF00u);
  EXPECT_EQ(At(argb, 19, 19), kClear);

  // Four times as large: each quarter stays a quarter, the magenta band stays clear.
  ASSERT_EQ(list.AddMasked(*Picture(88, 88, [](int x, int y) -> ColorRef {
                             if (y < 11) return kMagenta;
                             return (x < 44 ? 0x10u : 0x20u) | (y < 44 ? 0x1000u : 0x2000u);
                           }),
                           kMagenta),
            1);
  argb = list.Argb(1);
  EXPECT_EQ(At(argb, 0, 0), kClear);
  EXPECT_EQ(At(argb, 0, 5), 0xFF101000u);
  EXPECT_EQ(At(argb, 21, 5), 0xFF201000u);
  EXPECT_EQ(At(argb, 0, 21), 0xFF102000u);
  EXPECT_EQ(At(argb, 21, 21), 0xFF202000u);

  // A strip twice as wide as high becomes 22 x 11 in the middle rows.
  ASSERT_EQ(list.AddMasked(*Picture(44, 22, [](int, int) { return 0x123456u; }), kMagenta), 2);
  argb = list.Argb(2);
  for (std::size_t y = 0; y < 22; ++y) {
    const std::uint32_t expected = y >= 5 && y < 16 ? 0xFF563412u : kClear;
    EXPECT_EQ(At(argb, 0, y), expected) << y;
    EXPECT_EQ(At(argb, 21, y), expected) << y;
  }

  // However thin, a picture keeps one column.
  ASSERT_EQ(list.AddMasked(*Picture(1, 500, [](int, int) { return 0x0000FFu; }), kMagenta), 3);
  argb = list.Argb(3);
  EXPECT_EQ(At(argb, 9, 0), kClear);
  EXPECT_EQ(At(argb, 10, 0), 0xFFFF0000u);
  EXPECT_EQ(At(argb, 10, 21), 0xFFFF0000u);
  EXPECT_EQ(At(argb, 11, 0), kClear);
}

}  // namespace
}  // namespace poirec
