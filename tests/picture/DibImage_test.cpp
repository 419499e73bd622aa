#include "picture/DibImage.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cerrno>
#include <filesystem>
#include <ranges>
#include <string>
#include <vector>

#include "platform/PosixFileSystem.h"
#include "support/FaultyFileSystem.h"
#include "support/TempFolder.h"

namespace poirec {
namespace {

using namespace test;

// Where the header fields lie in the file; the magic and the bit count take two bytes.
// clang-format off
enum BmpField : std::size_t { kMagic = 0, kFileSize = 2, kDataOffset = 10, kHeaderSize = 14,
  kWidth = 18, kHeight = 22, kBitCount = 28, kCompression = 30, kUsedColors = 46 };
// clang-format on

// Writes value little-endian into the field at offset (or the colour-table entry there).
void Put(std::string& bytes, std::size_t offset, std::int64_t value) {
  const std::size_t size = offset == kMagic || offset == kBitCount ? 2 : 4;
  for (std::size_t i = 0; i < size; ++i) bytes.at(offset + i) = static_cast<char>(value >> 8 * i);
}

// Colours as 0x00RRGGBB, all different for n below 256 and never magenta.
std::uint32_t SampleColour(std::uint32_t n) { return n * 0x3B1D0F & 0xFFFFFF; }

// The whole file: 14-byte file header, info header of headerSize bytes without
// compression, the colour table (or the masks) as 0x00RRGGBB behind its first 40 bytes (in
// a longer header, where it holds the masks), then the pixel rows padded to four bytes,
// bottom-up. values holds one value per pixel, rows top to bottom: the colour index up to 8 bits,
// 0xRRGGBB for 24 bits, the raw value for 16 and 32 bits. File size and data offset are those of
// the bytes written.
std::string EncodeBmp(int width, int height, int bitCount, const std::vector<std::uint32_t>& colors,
                      const std::vector<std::uint32_t>& values, std::size_t headerSize = 40) {
  const std::size_t dataOffset = 14 + std::max(headerSize, 40 + 4 * colors.size());
  const auto bits = static_cast<std::size_t>(bitCount);
  std::string file(dataOffset, '\0');
  const auto columns = static_cast<std::size_t>(width);
  for (int i = 0; i < height; ++i) {
    const auto y = static_cast<std::size_t>(height - 1 - i);
    std::string row((columns * bits + 31) / 32 * 4, '\0');
    for (std::size_t x = 0, bit = 0; x < columns; ++x, bit += bits) {
      const std::uint32_t value = values.at(y * columns + x);
      for (std::size_t b = 0; b < (bits + 7) / 8; ++b) {  // whole bytes, or a part of one
        row[bit / 8 + b] |=
            static_cast<char>(bits < 8 ? value << (8 - bits - bit % 8) : value >> (8 * b));
      }
    }
    file += row;
  }
  for (std::size_t i = 0; i < colors.size(); ++i) Put(file, 54 + 4 * i, colors[i]);
  Put(file, kMagic, 0x4D42), Put(file, kFileSize, file.size()), Put(file, kDataOffset, dataOffset);
  Put(file, kHeaderSize, headerSize), Put(file, kWidth, width), Put(file, kHeight, height);
  Put(file, kBitCount, bitCount);
  return file;
}

std::vector<std::uint32_t> Colours(std::uint32_t count) {
  const auto colours = std::views::iota(0u, count) | std::views::transform(SampleColour);
  return {colours.begin(), colours.end()};
}

// A picture layout: pixel values and the colours they show as 0xAARRGGBB (through the
// colour table when none are given).
struct Layout {
  int bits;
  std::uint32_t compression, usedColors;
  std::vector<std::uint32_t> colors;  // the colour table or the masks
  std::vector<std::pair<std::uint32_t, std::uint32_t>> pixels;
  std::uint32_t longHeader = 0;  // the masks and the alpha mask moved into a header this long
};

// clang-format off
const std::vector<Layout> kLayouts = {
    {1, 0, 0, Colours(2), {}}, {2, 0, 0, Colours(4), {}}, {4, 0, 0, Colours(16), {}},
    // The used colours shorten the table, but never lengthen it.
    {8, 0, 20, Colours(20), {}}, {8, 0, 300, Colours(256), {}},
    // Without bit fields the masks are skipped: five bits a channel, the top bit unused.
    {16, 0, 0, {0xF800, 0x07E0, 0x001F},
     {{0x7C00, 0xFFFF0000}, {0x03E0, 0xFF00FF00}, {0x801F, 0xFF0000FF}, {0x4210, 0xFF848484}}},
    {16, 3, 0, {0xF800, 0x07E0, 0x001F}, {{0xF800, 0xFFFF0000}, {0xF81F, 0xFFFF00FF}}},
    {24, 0, 5, {}, {{0x102030, 0xFF102030}, {0xFF00FF, 0xFFFF00FF}}},
    // Masks of any width scale a full channel to 255; red may lie in the low byte, blue nowhere.
    {32, 3, 0, {0x3FF00000, 0x000FFC00, 0x000003FF}, {{0x3FFFFFFF, 0xFFFFFFFF}}},
    {32, 3, 0, {0x000000FF, 0x0000FF00, 0}, {{0x00102030, 0xFF302000}}},
    // Longer headers: the alpha channel shows, but a picture whose alpha is all zero is opaque.
    {32, 3, 0, {0xFF0000, 0xFF00, 0xFF, 0xFF000000},
     {{0x80102030, 0x80102030}, {0x00FF00FF, 0x00FF00FF}}, 124},
    {32, 3, 0, {0xFF0000, 0xFF00, 0xFF, 0xFF000000}, {{0x00102030, 0xFF102030}}, 108},
    {16, 0, 0, {0, 0, 0}, {{0x7C00, 0xFFFF0000}}, 124},
};
// clang-format on

// A 5 x 3 picture file of the layout (odd width, so rows are padded) and the pixels it shows.
std::pair<std::string, std::vector<std::uint32_t>> PictureOf(const Layout& layout) {
  std::vector<std::uint32_t> values, shown;
  const bool indexed = layout.pixels.empty();
  for (std::size_t k = 0; k < 15; ++k) {
    const std::size_t i = (k * 7 + 5) % (indexed ? layout.colors.size() : layout.pixels.size());
    values.push_back(indexed ? static_cast<std::uint32_t>(i) : layout.pixels[i].first);
    shown.push_back(indexed ? 0xFF000000 | layout.colors[i] : layout.pixels[i].second);
  }
  std::string file = EncodeBmp(5, 3, layout.bits, layout.colors, values,
                               layout.longHeader ? layout.longHeader : 40);
  Put(file, kCompression, layout.compression);
  Put(file, kUsedColors, layout.usedColors);
  return {file, shown};
}

class DibImageTest : public ::testing::Test {
 protected:
  bool Load(DibImage& image, const std::string& bytes, FileSystem& files = RealFileSystem()) {
    const std::filesystem::path path = folder_.Write("picture.bmp", bytes);
    const bool loaded = image.LoadFromFile(folder_.File("picture.bmp"), files);
    std::filesystem::remove(path);  // the disk makes a file rewritten in place wait for it
    return loaded;
  }
  test::TempFolder folder_;
};

TEST_F(DibImageTest, LoadsEveryLayoutThroughItsColourTableOrMasks) {
  DibImage image;  // each load replaces the one before
  for (std::size_t i = 0; i < kLayouts.size(); ++i) {
    const Layout& layout = kLayouts[i];
    SCOPED_TRACE(::testing::Message() << layout.bits << " bits, header " << layout.longHeader);
    const auto [file, shown] = PictureOf(layout);
    // The same pixels 10 bytes further on, at the data offset, and 100 bytes after them
    // that the file size counts or not.
    const std::size_t at = file.size() - 3 * ((5 * layout.bits + 31) / 32 * 4);  // 3 rows
    std::string moved =
        file.substr(0, at) + std::string(10, 'g') + file.substr(at) + std::string(100, 't');
    Put(moved, kDataOffset, at + 10), Put(moved, kFileSize, moved.size() - 100 * (i % 2));
    for (const std::string& bytes : {file, moved}) {
      ASSERT_TRUE(Load(image, bytes)) << image.failure;
      EXPECT_EQ(image.bitmap->Argb(), shown);
    }
  }
}

// 22 x 22 at 4 bits: rows of 12 bytes, but the file ends after 200 of the 264 pixel bytes.
// Rows are stored bottom-up: 16 whole rows and 8 bytes (16 pixels) of the 17th arrive.
TEST_F(DibImageTest, PixelAreaCutShortByTheFileSizeLoadsWhatThereIs) {
  std::string bytes = EncodeBmp(22, 22, 4, Colours(16), std::vector<std::uint32_t>(484, 1));
  bytes.resize(54 + 64 + 200);
  Put(bytes, kFileSize, static_cast<std::uint32_t>(bytes.size()));
  DibImage image;
  ASSERT_TRUE(Load(image, bytes));
  const std::vector<std::uint32_t> shown = image.bitmap->Argb();
  for (std::size_t i = 0; i < 484; ++i) {
    const bool arrived = i >= 6 * 22 || (i >= 5 * 22 && i % 22 < 16);
    ASSERT_EQ(shown[i], 0xFF000000 | SampleColour(arrived ? 1 : 0)) << i % 22 << "," << i / 22;
  }
}

// A file that does not load leaves the image empty and says why, and no pixel memory is set
// aside for it: a picture far beyond an icon is refused from its header and its file's
// length alone. One row for each check that decides.
TEST_F(DibImageTest, BrokenFilesLeaveTheImageEmptyAndSayWhy) {
  const std::string good = PictureOf(kLayouts[2]).first;  // 5 x 3, 4 bits, 130 bytes
  const auto with = [&](std::initializer_list<std::pair<std::size_t, std::uint32_t>> changes) {
    std::string bytes = good;
    for (const auto& [offset, value] : changes) Put(bytes, offset, value);
    return bytes;
  };
  constexpr auto kMaxFile = static_cast<std::size_t>(DibImage::kMaxFileBytes);
  const std::pair<std::string, std::string> cases[] = {
      {with({{kMagic, 0x424D}}), "not a BMP picture"},
      {good.substr(0, 13), "not a BMP picture"},
      {with({{kHeaderSize, 12}}), "a BMP header of 12 bytes is not supported"},
      {good.substr(0, 53), "the file ends inside its header"},
      {good.substr(0, 117), "the file ends inside its colour table"},
      {with({{kHeight, 0xFFFFFFFD}}), "its header gives no valid size"},
      {good.substr(0, 129), "the file ends before its pixels"},
      {with({{kBitCount, 7}}), "7 bits with compression 0 are not supported"},
      {with({{kBitCount, 24}, {kCompression, 3}}), "24 bits with compression 3 are not supported"},
      {with({{kWidth, 1025}, {kHeight, 1024}}), "more than 1024 x 1024 pixels"},
      {good + std::string(kMaxFile + 1 - good.size(), 'x'), "larger than 1 MiB"},
      {good + std::string(kMaxFile - good.size(), 'x'), ""},
      {EncodeBmp(1024, 1024, 1, Colours(2), std::vector<std::uint32_t>(1 << 20, 1)), ""}};
  for (const auto& [file, why] : cases) {
    DibImage image;
    ASSERT_TRUE(Load(image, good));
    EXPECT_EQ(Load(image, file), why.empty()) << why;
    EXPECT_EQ(image.failure, why);
    EXPECT_EQ(image.bitmap != nullptr, why.empty()) << why;
  }
  // A missing file is no failure to report; a read that fails is.
  DibImage image;
  EXPECT_FALSE(image.LoadFromFile(folder_.File("missing.bmp"), RealFileSystem()));
  EXPECT_EQ(image.failure, "");
  FaultyFileSystem failing;
  failing.Fail(FaultyFileSystem::Call::Read, EIO).After(2);
  EXPECT_FALSE(Load(image, good, failing));
  EXPECT_EQ(image.failure, "the file ends inside its colour table");
}

}  // namespace
}  // namespace poirec
