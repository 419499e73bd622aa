#include "picture/DibImage.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <ranges>
#include <string>
#include <vector>

#include "support/BmpFile.h"
#include "support/TempFolder.h"

namespace poirec {
namespace {

using namespace test;

std::vector<std::uint32_t> Colours(std::uint32_t count) {
  const auto colours = std::views::iota(0u, count) | std::views::transform(test::SampleColour);
  return {colours.begin(), colours.end()};
}

// A picture layout: pixel values and the colours they show as 0xRRGGBB (through the
// colour table when none are given), and the colour-table entries and palette it gets.
struct Layout {
  int bits;
  std::uint32_t compression, usedColors;
  std::vector<std::uint32_t> colors;  // the colour table or the masks
  std::vector<std::pair<std::uint32_t, std::uint32_t>> pixels;
  int colorCount;
  std::size_t paletteSize;
};

const std::vector<Layout> kLayouts = {
    {1, 0, 0, Colours(2), {}, 2, 2},
    {2, 0, 0, Colours(4), {}, 4, 4},
    {4, 0, 0, Colours(16), {}, 16, 16},
    {8, 0, 0, Colours(256), {}, 256, 256},
    // The used colours shorten the table, but never lengthen it.
    {8, 0, 20, Colours(20), {}, 20, 20},
    {8, 0, 300, Colours(256), {}, 256, 256},
    {1, 0, 3, Colours(2), {}, 2, 2},
    // Without bit fields the masks are skipped: five bits a channel, the top bit unused.
    {16,
     0,
     0,
     {0xF800, 0x07E0, 0x001F},
     {{0x7C00, 0xFF0000}, {0x03E0, 0x00FF00}, {0x801F, 0x0000FF}, {0x4210, 0x848484}},
     3,
     16},
    {16,
     3,
     0,
     {0xF800, 0x07E0, 0x001F},
     {{0xF800, 0xFF0000}, {0x0400, 0x008200}, {0xF81F, 0xFF00FF}},
     3,
     16},
    {24, 0, 5, {}, {{0x102030, 0x102030}, {0xFF00FF, 0xFF00FF}}, 0, 256},
    {32, 0, 0, {0, 0, 0}, {{0x00102030, 0x102030}, {0xFF0000FF, 0x0000FF}}, 3, 16},
    // Masks of any width scale a full channel to 255; red may lie in the low byte, blue nowhere.
    {32,
     3,
     0,
     {0x3FF00000, 0x000FFC00, 0x000003FF},
     {{0x3FFFFFFF, 0xFFFFFF}, {0x20000000, 0x800000}},
     3,
     16},
    {32, 3, 0, {0x000000FF, 0x0000FF00, 0}, {{0x00102030, 0x302000}}, 3, 16},
};

// A 5 x 3 picture file of the layout (odd width, so rows are padded) and the pixels it shows.
std::pair<std::string, std::vector<std::uint32_t>> PictureOf(const Layout& layout) {
  std::vector<std::uint32_t> values, shown;
  const bool indexed = layout.pixels.empty();
  for (std::size_t k = 0; k < 15; ++k) {
    const std::size_t i = (k * 7 + 5) % (indexed ? layout.colors.size() : layout.pixels.size());
    values.push_back(indexed ? static_cast<std::uint32_t>(i) : layout.pixels[i].first);
    shown.push_back(0xFF000000 | (indexed ? layout.colors[i] : layout.pixels[i].second));
  }
  std::string file = EncodeBmp(5, 3, layout.bits, layout.colors, values);
  Put(file, kCompression, layout.compression);
  Put(file, kUsedColors, layout.usedColors);
  return {file, shown};
}

class DibImageTest : public ::testing::Test {
 protected:
  bool Load(DibImage& image, const std::string& bytes) {
    const std::filesystem::path path = folder_.Write("picture.bmp", bytes);
    const bool loaded = image.LoadFromFile(folder_.File("picture.bmp"));
    std::filesystem::remove(path);  // the disk makes a file rewritten in place wait for it
    return loaded;
  }
  test::TempFolder folder_;
};

TEST_F(DibImageTest, LoadsEveryLayoutThroughItsColourTableOrMasks) {
  DibImage image;  // each load replaces all the one before held
  for (std::size_t i = 0; i < kLayouts.size(); ++i) {
    const Layout& layout = kLayouts[i];
    SCOPED_TRACE(::testing::Message() << layout.bits << " bits, " << layout.usedColors << " used");
    const auto [file, shown] = PictureOf(layout);
    // The same pixels 10 bytes further on, at the data offset, and 100 bytes after them
    // that the file size counts or not.
    const std::size_t offset = 54 + 4 * layout.colors.size();
    std::string moved =
        file.substr(0, offset) + std::string(10, 'g') + file.substr(offset) + std::string(100, 't');
    Put(moved, kDataOffset, offset + 10), Put(moved, kFileSize, moved.size() - 100 * (i % 2));
    for (const std::string& bytes : {file, moved}) {
      ASSERT_TRUE(Load(image, bytes));
      EXPECT_EQ(image.bitmap->Argb(), shown);
      EXPECT_EQ(image.info.header.sizeImage, file.size() - offset);
      EXPECT_EQ(image.colorCount, layout.colorCount);
      EXPECT_EQ(std::count(image.info.colors.begin() + image.colorCount, image.info.colors.end(),
                           RgbQuad{}),
                256 - image.colorCount);
      ASSERT_EQ(image.palette ? image.palette->Entries().size() : 0, layout.paletteSize);
      for (std::size_t k = 0; layout.bits <= 8 && k < layout.paletteSize;
           ++k) {  // the table read back
        const PaletteEntry entry = image.palette->Entries()[k];
        EXPECT_EQ(std::uint32_t{entry.red} << 16 | std::uint32_t{entry.green} << 8 | entry.blue,
                  layout.colors[k]);
      }
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
  EXPECT_EQ(image.info.header.sizeImage, 200u);
  // Rows are stored bottom-up: 16 whole rows and 8 bytes (16 pixels) of the 17th arrived.
  const std::vector<std::uint32_t> shown = image.bitmap->Argb();
  for (std::size_t i = 0; i < 484; ++i) {
    const std::size_t x = i % 22, storedRow = 21 - i / 22;
    const bool arrived = storedRow < 16 || (storedRow == 16 && x < 16);
    ASSERT_EQ(shown[i], 0xFF000000 | SampleColour(arrived ? values[i] : 0)) << x << "," << i / 22;
  }
}

// A file that fails before a new bitmap is made keeps the picture loaded before, and no
// pixel memory is set aside for it: a picture far beyond an icon is refused from its header
// and its file's length alone. One that reads well but describes a bitmap the display
// cannot make fails while creating it and leaves the image empty.
TEST_F(DibImageTest, BrokenFilesKeepThePreviousPictureOrLeaveTheImageEmpty) {
  const std::string good = PictureOf(kLayouts[2]).first;  // 5 x 3, 4 bits, 130 bytes
  const auto with = [&](std::initializer_list<std::pair<std::size_t, std::uint32_t>> changes) {
    std::string bytes = good;
    for (const auto& [offset, value] : changes) Put(bytes, offset, value);
    return bytes;
  };
  const auto claiming = [&](std::uint32_t width, std::uint32_t height, std::uint32_t bits) {
    return with({{kWidth, width}, {kHeight, height}, {kBitCount, bits}});
  };
  const auto plain = [](int width, int height, int bits) {
    return EncodeBmp(width, height, bits, bits <= 8 ? Colours(1u << bits) : Colours(0),
                     std::vector<std::uint32_t>(static_cast<std::size_t>(width) * height, 1));
  };
  constexpr auto kMaxFile = static_cast<std::size_t>(DibImage::kMaxFileBytes);
  enum Outcome { kKeeps, kEmpties, kLoads };
  std::vector<std::tuple<std::string, std::string, Outcome>> cases = {
      {"wrong magic", with({{kMagic, 0x424D}}), kKeeps},
      {"header size 12", with({{kHeaderSize, 12}}), kKeeps},
      {"header size 124", with({{kHeaderSize, 124}}), kKeeps},
      {"negative height", with({{kHeight, 0xFFFFFFFD}}), kKeeps},
      {"width 0", with({{kWidth, 0}}), kKeeps},
      {"file size below the data offset", with({{kFileSize, 100}}), kKeeps},
      {"no pixel area", with({{kFileSize, 118}}), kKeeps},
      {"pixels cut short", good.substr(0, 129), kKeeps},
      {"data offset past the end", with({{kDataOffset, 1000}}), kKeeps},
      {"7 bits", with({{kBitCount, 7}}), kEmpties},
      {"a million pixels square in 100 bytes",
       with({{kWidth, 1000000}, {kHeight, 1000000}, {kFileSize, 0xFFFFFFFF}}).substr(0, 100),
       kKeeps},
      {"sizes beyond 64 bits", claiming(0x7FFFFFFF, 0x7FFFFFFF, 0xFFFF), kKeeps},
      {"more than 64 MiB", claiming(4096, 4097, 32), kKeeps},
      {"more pixels than the bound", claiming(65536, 512, 1), kKeeps},
      {"4096 x 4096 at 32 bits", claiming(4096, 4096, 32), kKeeps},
      {"16 Mi x 1 at 32 bits", claiming(16 << 20, 1, 32), kKeeps},
      {"1 x 16 Mi at 32 bits", claiming(1, 16 << 20, 32), kKeeps},
      {"8192 x 8192 at 8 bits", claiming(8192, 8192, 8), kKeeps},
      {"1025 x 1024 at 1 bit", claiming(1025, 1024, 1), kKeeps},
      {"a file of 1 MiB and one byte", good + std::string(kMaxFile + 1 - good.size(), 'x'), kKeeps},
      {"600 x 600 at 24 bits, 1 MiB and more", plain(600, 600, 24), kKeeps},
      {"a file of exactly 1 MiB", good + std::string(kMaxFile - good.size(), 'x'), kLoads},
      {"1024 x 1024 at 1 bit", plain(1024, 1024, 1), kLoads},
      {"two masks", with({{kBitCount, 16}, {kCompression, 3}, {kUsedColors, 2}}), kEmpties},
      {"bit fields at 24 bits", with({{kBitCount, 24}, {kCompression, 3}}), kEmpties},
      {"run-length 8 bits", with({{kBitCount, 8}, {kCompression, 1}, {kUsedColors, 16}}), kEmpties},
      {"a compressed picture format", with({{kBitCount, 32}, {kCompression, 5}}), kEmpties}};
  for (std::size_t length : {0, 2, 13, 14, 53, 54, 117}) {
    cases.emplace_back("cut at " + std::to_string(length), good.substr(0, length), kKeeps);
  }
  for (const auto& [what, file, outcome] : cases) {
    DibImage image;
    ASSERT_TRUE(Load(image, good));
    const DeviceIndependentBitmap* before = image.bitmap.get();
    const std::vector<std::uint32_t> shown = before->Argb();
    ASSERT_EQ(Load(image, file), outcome == kLoads) << what;
    if (outcome == kLoads) continue;
    const bool keeps = outcome == kKeeps;
    ASSERT_EQ(image.bitmap.get(), keeps ? before : nullptr) << what;
    EXPECT_EQ(image.palette.has_value(), keeps) << what;
    EXPECT_EQ(image.info.header.width, keeps ? 5 : 0) << what;
    EXPECT_EQ(keeps ? image.bitmap->Argb() : shown, shown) << what;
    EXPECT_TRUE(!keeps || image.pixels.size() == 12u) << what;  // three rows of four bytes
  }
  DibImage image;
  EXPECT_FALSE(image.LoadFromFile(folder_.File("missing.bmp")) ||
               image.LoadFromFile(folder_.Folder()));
}

TEST(DibImageCreate, CopiesNoMorePixelsThanGivenAndSurvivesItsOwnHeader) {
  BitmapInfo info;
  info.header = {
      .size = 40, .width = 2, .height = 2, .bitCount = 24, .sizeImage = 1000};  // more than given
  DibImage image;
  ASSERT_TRUE(image.CreateFromHeader(&info, std::vector<std::uint8_t>(5, 0x80)));
  EXPECT_EQ(image.bitmap->Argb(),
            (std::vector<std::uint32_t>{0xFF000000, 0xFF000000, 0xFF808080, 0xFF008080}));
  EXPECT_TRUE(image.CreateFromHeader(&image.info, {}))
      << "the header is read before the image is released";
  EXPECT_FALSE(image.CreateFromHeader(nullptr, {}) || image.bitmap);
}

TEST(DibImagePalette, DefaultPaletteSizesAndEntries) {
  const std::pair<int, std::size_t> sizes[] = {{0, 256}, {1, 2},    {2, 2},    {3, 16},
                                               {16, 16}, {17, 256}, {257, 256}};
  DibImage image;
  for (const auto& [count, size] : sizes) {
    ASSERT_TRUE(image.BuildDefaultPalette(count)) << count;
    const std::span<const PaletteEntry> entries = image.palette->Entries();
    ASSERT_EQ(entries.size(), size) << count;
    EXPECT_EQ(entries.front(), (PaletteEntry{0, 0, 0, 0})) << count;
    EXPECT_EQ(entries.back(), (PaletteEntry{255, 255, 255, 0})) << count;
    // Sixteen end with the table's last eight, as 256 do; the third of them is blue, which
    // the table stores first.
    EXPECT_TRUE(size == 2 || (entries[size - 7] == PaletteEntry{0, 0, 255, 0})) << count;
  }
}

}  // namespace
}  // namespace poirec
