#include "platform/ImageList.h"

#include <gtest/gtest.h>

#include <functional>

#include "platform/DeviceIndependentBitmap.h"

namespace poirec {
namespace {

constexpr std::uint32_t kClear = 0;
constexpr std::size_t kSide = 22;

// A 24-bit picture whose pixel (x, y), counted from the top, has colour(x, y).
std::unique_ptr<DeviceIndependentBitmap> Picture(int width, int height,
                                                 const std::function<ColorRef(int, int)>& colour) {
  BitmapInfoHeader header;
  header.size = 40;
  header.width = width;
  header.height = height;
  header.planes = 1;
  header.bitCount = 24;
  auto bitmap = DeviceIndependentBitmap::Create(header, {}, kColorUsageRgb);
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      const ColorRef c = colour(x, y);
      const auto at = static_cast<std::size_t>((height - 1 - y) * bitmap->RowBytes() + 3 * x);
      bitmap->Pixels()[at] = static_cast<std::uint8_t>(c >> 16);
      bitmap->Pixels()[at + 1] = static_cast<std::uint8_t>(c >> 8);
      bitmap->Pixels()[at + 2] = static_cast<std::uint8_t>(c);
    }
  }
  return bitmap;
}

std::uint32_t At(const std::vector<std::uint32_t>& argb, std::size_t x, std::size_t y) {
  return argb.at(y * kSide + x);
}

TEST(ImageList, KeyColourPixelsBecomeTransparentAndTheRestOpaque) {
  ImageList list;
  // Magenta on the left half, near-magenta in the top right, blue below it.
  const auto picture = Picture(22, 22, [](int x, int y) -> ColorRef {
    if (x < 11) return kMagenta;
    return y < 11 ? 0x00FF00FE : 0x00FF0000;
  });
  EXPECT_EQ(list.AddMasked(*picture, kMagenta), 0);
  const std::vector<std::uint32_t> argb = list.Argb(0);
  ASSERT_EQ(argb.size(), kSide * kSide);
  EXPECT_EQ(At(argb, 0, 0), kClear);
  EXPECT_EQ(At(argb, 10, 21), kClear);
  EXPECT_EQ(At(argb, 11, 0), 0xFFFE00FFu);
  EXPECT_EQ(At(argb, 21, 21), 0xFF0000FFu);

  // The key is the one given, not always magenta.
  EXPECT_EQ(list.AddMasked(*picture, 0x00FF0000), 1);
  EXPECT_EQ(At(list.Argb(1), 0, 0), 0xFFFF00FFu);
  EXPECT_EQ(At(list.Argb(1), 21, 21), kClear);
}

TEST(ImageList, IndicesCountUpAcrossGrowthAndStartAgainAfterClear) {
  ImageList list(2, 3);
  for (int i = 0; i < 130; ++i) {
    const auto picture = Picture(22, 22, [i](int, int) { return static_cast<ColorRef>(i); });
    ASSERT_EQ(list.AddMasked(*picture, kMagenta), i);
  }
  EXPECT_EQ(list.Count(), 130);
  EXPECT_EQ(At(list.Argb(0), 5, 5), 0xFF000000u);
  EXPECT_EQ(At(list.Argb(129), 5, 5), 0xFF810000u);
  EXPECT_TRUE(list.Argb(130).empty());
  EXPECT_TRUE(list.Argb(-1).empty());

  list.Clear();
  EXPECT_EQ(list.Count(), 0);
  EXPECT_TRUE(list.Argb(0).empty());
  EXPECT_EQ(list.AddMasked(*Picture(22, 22, [](int, int) { return 0u; }), kMagenta), 0);
}

TEST(ImageList, SmallerPicturesAreCentredAsTheyAre) {
  ImageList list;
  ASSERT_EQ(list.AddMasked(*Picture(16, 16, [](int x, int y) { return x == 0 && y == 0 ? 0xFFu : 0xFF00u; }),
                           kMagenta),
            0);
  const auto argb = list.Argb(0);
  EXPECT_EQ(At(argb, 2, 2), kClear);
  EXPECT_EQ(At(argb, 3, 3), 0xFFFF0000u);  // the picture's top left pixel
  EXPECT_EQ(At(argb, 4, 3), 0xFF00FF00u);
  EXPECT_EQ(At(argb, 18, 18), 0xFF00FF00u);
  EXPECT_EQ(At(argb, 19, 19), kClear);
}

TEST(ImageList, LargerPicturesShrinkToFitKeepingTheirProportions) {
  // Four quarters in four colours, with a magenta band along the top.
  const auto quarters = [](int width, int height) {
    return [=](int x, int y) -> ColorRef {
      if (y < height / 8) return kMagenta;
      return (x < width / 2 ? 0x10u : 0x20u) | (y < height / 2 ? 0x1000u : 0x2000u);
    };
  };
  ImageList list;
  ASSERT_EQ(list.AddMasked(*Picture(88, 88, quarters(88, 88)), kMagenta), 0);
  auto argb = list.Argb(0);
  EXPECT_EQ(At(argb, 0, 0), kClear);
  EXPECT_EQ(At(argb, 0, 5), 0xFF101000u);
  EXPECT_EQ(At(argb, 21, 5), 0xFF101000u + 0x100000u);
  EXPECT_EQ(At(argb, 0, 21), 0xFF102000u);
  EXPECT_EQ(At(argb, 21, 21), 0xFF202000u);

  // A strip twice as wide as high becomes 22 x 11 in the middle rows.
  ASSERT_EQ(list.AddMasked(*Picture(44, 22, [](int, int) { return 0x123456u; }), kMagenta), 1);
  argb = list.Argb(1);
  for (std::size_t y = 0; y < kSide; ++y) {
    const bool inside = y >= 5 && y < 16;
    EXPECT_EQ(At(argb, 0, y), inside ? 0xFF563412u : kClear) << y;
    EXPECT_EQ(At(argb, 21, y), inside ? 0xFF563412u : kClear) << y;
  }

  // However thin, a picture keeps at least one column.
  ASSERT_EQ(list.AddMasked(*Picture(1, 500, [](int, int) { return 0x0000FFu; }), kMagenta), 2);
  argb = list.Argb(2);
  EXPECT_EQ(At(argb, 9, 0), kClear);
  EXPECT_EQ(At(argb, 10, 0), 0xFFFF0000u);
  EXPECT_EQ(At(argb, 10, 21), 0xFFFF0000u);
  EXPECT_EQ(At(argb, 11, 0), kClear);
}

}  // namespace
}  // namespace poirec
