#include "picture/ImageList.h"

#include <gtest/gtest.h>

#include <functional>

#include "picture/DeviceIndependentBitmap.h"

namespace poirec {
namespace {

// A 32-bit picture whose pixel (x, y), counted from the top, has colour(x, y).
std::unique_ptr<DeviceIndependentBitmap> Picture(int width, int height,
                                                 const std::function<ColorRef(int, int)>& colour) {
  auto bitmap =
      DeviceIndependentBitmap::Create({.width = width, .height = -height, .bitCount = 32}, {}, 0);
  for (int i = 0; i < width * height; ++i) {
    const ColorRef c = colour(i % width, i / width);
    for (std::size_t b = 0; b < 3; ++b) {  // blue, green, red
      bitmap->Pixels()[4 * static_cast<std::size_t>(i) + b] = c >> (16 - 8 * b) & 0xFF;
    }
  }
  return bitmap;
}

// Pixels of the key colour become transparent. A smaller picture sits in the middle as it
// is; a larger one shrinks to fit, keeping its proportions, each pixel the one under its
// centre; the rest stays transparent.
TEST(ImageList, AddsEveryPictureAsOneImageWithTheKeyColourTransparent) {
  ImageList list(2, 3);
  const auto halves = Picture(22, 22, [](int x, int) { return x < 11 ? kMagenta : 0x00FF00FE; });
  EXPECT_EQ(list.AddMasked(*halves, kMagenta), 0);
  EXPECT_EQ(list.AddMasked(*halves, 0x00FF00FE), 1);  // the key is the one given
  for (int i = 2; i < 130; ++i) {  // well past the initial room and several growths
    ASSERT_EQ(list.AddMasked(*Picture(22, 22, [i](int, int) { return static_cast<ColorRef>(i); }),
                             kMagenta),
              i);
  }
  EXPECT_TRUE(list.Argb(130).empty() && list.Argb(-1).empty());
  list.AddMasked(*Picture(16, 16, [](int x, int y) { return x + y == 0 ? 0xFFu : 0xFF00u; }),
                 kMagenta);
  list.AddMasked(*Picture(88, 88,
                          [](int x, int y) -> ColorRef {  // four quarters below a magenta band
                            return y < 11 ? kMagenta
                                          : (x < 44 ? 0x10u : 0x20u) | (y < 44 ? 0x1000u : 0x2000u);
                          }),
                 kMagenta);
  list.AddMasked(*Picture(44, 22, [](int, int) { return 0x123456u; }), kMagenta);  // to 22 x 11
  EXPECT_EQ(list.AddMasked(*Picture(1, 500, [](int, int) { return 0xFFu; }), kMagenta),
            133);  // to one column
  const struct {
    int index, x, y;
    std::uint32_t argb;
  } pixels[] = {{0, 10, 21, 0},           {0, 11, 0, 0xFFFE00FF},    {1, 0, 0, 0xFFFF00FF},
                {1, 21, 21, 0},           {129, 5, 5, 0xFF810000},   {130, 2, 2, 0},
                {130, 3, 3, 0xFFFF0000},  {130, 18, 18, 0xFF00FF00}, {130, 19, 19, 0},
                {131, 0, 0, 0},           {131, 0, 5, 0xFF101000},   {131, 21, 5, 0xFF201000},
                {131, 0, 21, 0xFF102000}, {131, 21, 21, 0xFF202000}, {132, 0, 4, 0},
                {132, 0, 5, 0xFF563412},  {132, 21, 15, 0xFF563412}, {132, 21, 16, 0},
                {133, 9, 0, 0},           {133, 10, 0, 0xFFFF0000},  {133, 10, 21, 0xFFFF0000},
                {133, 11, 21, 0}};
  for (const auto& p : pixels) {
    EXPECT_EQ(list.Argb(p.index).at(static_cast<std::size_t>(p.y * 22 + p.x)), p.argb)
        << p.index << ": " << p.x << "," << p.y;
  }
}

}  // namespace
}  // namespace poirec
