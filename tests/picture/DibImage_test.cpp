#include "picture/DibImage.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <filesystem>
#include <ranges>
#include <string>
#include <vector>

#include "platform/PosixFileSystem.h"
#include "support/BmpFile.h"
#include "support/FaultyFileSystem.h"
#include "support/TempFolder.h"

namespace poirec {
namespace {

using namespace test;

std::vector<std::uint32_t> Colours(std::uint32_t count) {
  const auto colours = std::views::iota(0u, count) | std::views::transform(test::SampleColour);
  return {colours.begin(), colours.end()};
}

// The same picture with a longer info header (108 or 124 bytes, as image programs write
// them), which holds the three colour masks and the alpha mask in place of a table.
std::string WithLongHeader(const std::string& file, std::uint32_t size,
                           std::vector<std::uint32_t> masks) {
  std::string header(size - 40, '\0');
  for (std::size_t i = 0; i < 4 * masks.size(); ++i) {
    header[i] = static_cast<char>(masks[i / 4] >> (8 * (i % 4)));
  }
  std::string longer = file.substr(0, 54) + header + file.substr(54 + 12);
  Put(longer, kHeaderSize, size), Put(longer, kDataOffset, 14 + size);
  Put(longer, kFileSize, longer.size());
  return longer;
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

const std::vector<Layout> kLayouts = {
    {1, 0, 0, Colours(2), {}},
    {2, 0, 0, Colours(4), {}},
    {4, 0, 0, Colours(16), {}},
    // The used colours shorten the table, but never lengthen it.
    {8, 0, 20, Colours(20), {}},
    {8, 0, 300, Colours(256), {}},
    // Without bit fields the masks are skipped: five bits a channel, the top bit unused.
    {16,
     0,
     0,
     {0xF800, 0x07E0, 0x001F},
     {{0x7C00, 0xFFFF0000}, {0x03E0, 0xFF00FF00}, {0x801F, 0xFF0000FF}, {0x4210, 0xFF848484}}},
    {16, 3, 0, {0xF800, 0x07E0, 0x001F}, {{0xF800, 0xFFFF0000}, {0xF81F, 0xFFFF00FF}}},
    {24, 0, 5, {}, {{0x102030, 0xFF102030}, {0xFF00FF, 0xFFFF00FF}}},
    // Masks of any width scale a full channel to 255; red may lie in the low byte, blue nowhere.
    {32, 3, 0, {0x3FF00000, 0x000FFC00, 0x000003FF}, {{0x3FFFFFFF, 0xFFFFFFFF}}},
    {32, 3, 0, {0x000000FF, 0x0000FF00, 0}, {{0x00102030, 0xFF302000}}},
    // Longer headers: the alpha channel shows, but a picture whose alpha is all zero is opaque.
    {32,
     3,
     0,
     {0xFF0000, 0xFF00, 0xFF, 0xFF000000},
     {{0x80102030, 0x80102030}, {0x00FF00FF, 0x00FF00FF}},
     124},
    {32, 3, 0, {0xFF0000, 0xFF00, 0xFF, 0xFF000000}, {{0x00102030, 0xFF102030}}, 108},
    {16, 0, 0, {0, 0, 0}, {{0x7C00, 0xFFFF0000}}, 124},
};

// A 5 x 3 picture file of the layout (odd width, so rows are padded) and the pixels it shows.
std::pair<std::string, std::vector<std::uint32_t>> PictureOf(const Layout& layout) {
  std::vector<std::uint32_t> values, shown;
  const bool indexed = layout.pixels.empty();
  for (std::size_t k = 0; k < 15; ++k) {
    const std::size_t i = (k * 7 + 5) % (indexed ? layout.colors.size() : layout.pixels.size());
    values.push_back(indexed ? static_cast<std::uint32_t>(i) : layout.pixels[i].first);
    shown.push_back(indexed ? 0xFF000000 | layout.colors[i] : layout.pixels[i].second);
  }
  std::vector<std::uint32_t> table = layout.colors;
  if (layout.longHeader != 0) table.resize(3);
  std::string file = EncodeBmp(5, 3, layout.bits, table, values);
  if (layout.longHeader != 0) file = WithLongHeader(file, layout.longHeader, layout.colors);
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
    const std::size_t at =
        layout.longHeader ? 14 + layout.longHeader : 54 + 4 * layout.colors.size();
    std::string moved =
        file.substr(0, at) + std::string(10, 'g') + file.substr(at) + std::string(100, 't');
    Put(moved, kDataOffset, at + 10), Put(moved, kFileSize, moved.size() - 100 * (i % 2));
    for (const std::string& bytes : {file, moved}) {
      ASSERT_TRUE(Load(image, bytes)) << image.failure;
      EXPECT_EQ(image.bitmap->Argb(), shown);
      EXPECT_EQ(image.failure, "");
    }
  }
}

TEST_F(DibImageTest, PixelAreaCutShortByTheFileSizeLoadsWhatThereIs) {
  // 22 x 22 at 4 bits: rows of 12 bytes, 264 bytes in all, but the file ends after 200.
  std::vector<std::uint32_t> values;
  for (std::uint32_t i = 0; i < 484; ++i) values.push_back(1 + (i % 22 + i / 22) % 15);
  std::string bytes = EncodeBmp(22, 22, 4, Colours(16), values).substr(0, 54 + 64 + 200);
  Put(bytes, kFileSize, static_cast<std::uint32_t>(bytes.size()));
  DibImage image;
  ASSERT_TRUE(Load(image, bytes));
  // Rows are stored bottom-up: 16 whole rows and 8 bytes (16 pixels) of the 17th arrived.
  const std::vector<std::uint32_t> shown = image.bitmap->Argb();
  for (std::size_t i = 0; i < 484; ++i) {
    const std::size_t x = i % 22, storedRow = 21 - i / 22;
    const bool arrived = storedRow < 16 || (storedRow == 16 && x < 16);
    ASSERT_EQ(shown[i], 0xFF000000 | SampleColour(arrived ? values[i] : 0)) << x << "," << i / 22;
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
  const auto plain = [](int width, int height, int bits) {
    return EncodeBmp(width, height, bits, bits <= 8 ? Colours(1u << bits) : Colours(0),
                     std::vector<std::uint32_t>(static_cast<std::size_t>(width) * height, 1));
  };
  constexpr auto kMaxFile = static_cast<std::size_t>(DibImage::kMaxFileBytes);
  const std::pair<std::string, std::string> cases[] = {
      {with({{kMagic, 0x424D}}), "not a BMP picture"},
      {good.substr(0, 13), "not a BMP picture"},
      {with({{kHeaderSize, 12}}), "a BMP header of 12 bytes is not supported"},
      {good.substr(0, 53), "the file ends inside its header"},
      {good.substr(0, 117), "the file ends inside its colour table"},
      {with({{kHeight, 0xFFFFFFFD}}), "its header gives no valid size"},
      {with({{kWidth, 0}}), "its header gives no valid size"},
      {with({{kFileSize, 100}}), "its header gives no valid size"},
      {good.substr(0, 129), "the file ends before its pixels"},
      {with({{kBitCount, 7}}), "7 bits with compression 0 are not supported"},
      {with({{kBitCount, 24}, {kCompression, 3}}), "24 bits with compression 3 are not supported"},
      {with({{kWidth, 1025}, {kHeight, 1024}}), "more than 1024 x 1024 pixels"},
      {good + std::string(kMaxFile + 1 - good.size(), 'x'), "larger than 1 MiB"},
      {good + std::string(kMaxFile - good.size(), 'x'), ""},
      {plain(1024, 1024, 1), ""}};
  for (const auto& [file, why] : cases) {
    DibImage image;
    ASSERT_TRUE(Load(image, good));
    EXPECT_EQ(Load(image, file), why.empty()) << why;
    EXPECT_EQ(image.failure, why);
    EXPECT_EQ(image.bitmap != nullptr, why.empty()) << why;
  }
  // A missing file is no failure to report; a folder, or a read that fails, is.
  DibImage image;
  EXPECT_FALSE(image.LoadFromFile(folder_.File("missing.bmp"), RealFileSystem()));
  EXPECT_EQ(image.failure, "");
  EXPECT_FALSE(image.LoadFromFile(folder_.Folder(), RealFileSystem()));
  EXPECT_EQ(image.failure, "Is a directory");
  FaultyFileSystem failing;
  failing.Fail(FaultyFileSystem::Call::Read, EIO).After(2);
  EXPECT_FALSE(Load(image, good, failing));
  EXPECT_EQ(image.failure, "the file ends inside its colour table");
}

}  // namespace
}  // namespace poirec
