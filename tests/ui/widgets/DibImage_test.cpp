#include "ui/widgets/DibImage.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "platform/TextEncoding.h"
#include "support/BmpFile.h"
#include "support/TempFolder.h"

namespace poirec {
namespace {

using test::BmpPicture;
using test::EncodeBmp;
using test::PixelValues;
using test::PutU16;
using test::PutU32;

constexpr ColorRef FromRgb(std::uint32_t rgb) {  // 0x00RRGGBB to 0x00BBGGRR
  return (rgb >> 16 & 0xFF) | (rgb & 0xFF00) | (rgb & 0xFF) << 16;
}

std::vector<std::uint32_t> Colors(int count) {
  std::vector<std::uint32_t> colors;
  for (int i = 0; i < count; ++i) {
    const auto n = static_cast<std::uint32_t>(i);
    colors.push_back((n * 37 + 11) % 256 << 16 | (n * 101 + 3) % 256 << 8 | (255 - n) % 256);
  }
  return colors;
}

// Every pixel's colour, rows top to bottom.
std::vector<ColorRef> ColoursOf(const DeviceIndependentBitmap& bitmap) {
  std::vector<ColorRef> colours;
  for (int y = 0; y < bitmap.Height(); ++y) {
    for (int x = 0; x < bitmap.Width(); ++x) colours.push_back(bitmap.PixelColor(x, y));
  }
  return colours;
}

std::vector<ColorRef> ColoursThroughTable(const BmpPicture& picture) {
  std::vector<ColorRef> colours;
  for (std::uint32_t index : picture.values) colours.push_back(FromRgb(picture.colors.at(index)));
  return colours;
}

class DibImageTest : public ::testing::Test {
 protected:
  std::u16string Write(const std::string& bytes, std::string_view name = "picture.bmp") {
    folder_.Write(name, bytes);
    return folder_.File(name);
  }
  bool Load(DibImage& image, const std::string& bytes) { return image.LoadFromFile(Write(bytes)); }

  test::TempFolder folder_;
};

// A 5 x 3 picture (odd width, so rows are padded) using every colour of its table.
BmpPicture Paletted(int bits) {
  BmpPicture picture = test::Blank(5, 3, bits);
  picture.colors = Colors(1 << bits);
  const int count = 1 << bits;
  picture.values = PixelValues(5, 3, [&](int x, int y) { return static_cast<std::uint32_t>((x * 7 + y * 5) % count); });
  return picture;
}

TEST_F(DibImageTest, LoadsPalettedPicturesThroughTheirColourTable) {
  for (int bits : {1, 2, 4, 8}) {
    SCOPED_TRACE(bits);
    const BmpPicture picture = Paletted(bits);
    DibImage image;
    ASSERT_TRUE(Load(image, EncodeBmp(picture)));
    ASSERT_TRUE(image.bitmap);
    EXPECT_EQ(ColoursOf(*image.bitmap), ColoursThroughTable(picture));
    EXPECT_EQ(image.colorCount, 1 << bits);
    EXPECT_EQ(image.info.header.bitCount, bits);
    EXPECT_EQ(image.info.header.sizeImage, BytesPerLine(5, bits) * 3);
    EXPECT_EQ(image.pixels.data(), image.bitmap->Pixels().data());
    // The palette is the colour table read back from the bitmap.
    ASSERT_TRUE(image.palette);
    ASSERT_EQ(image.palette->Entries().size(), picture.colors.size());
    for (std::size_t i = 0; i < picture.colors.size(); ++i) {
      const std::uint32_t rgb = picture.colors[i];
      EXPECT_EQ(image.palette->Entries()[i],
                (PaletteEntry{static_cast<std::uint8_t>(rgb >> 16), static_cast<std::uint8_t>(rgb >> 8),
                              static_cast<std::uint8_t>(rgb), 0}))
          << i;
    }
  }
}

TEST_F(DibImageTest, LoadsDirectColourPicturesWithTheDefaultPalette) {
  struct Case {
    int bits;
    std::uint32_t compression;
    std::vector<std::uint32_t> masks;
    std::vector<std::pair<std::uint32_t, ColorRef>> pixels;  // value and its colour
    std::size_t paletteSize;
  };
  const std::vector<Case> cases = {
      {16, 0, {0, 0, 0}, {{0x7C00, 0x0000FF}, {0x03E0, 0x00FF00}, {0x001F, 0xFF0000}, {0x7FFF, 0xFFFFFF}}, 16},
      {16, 3, {0xF800, 0x07E0, 0x001F}, {{0xF800, 0x0000FF}, {0x07E0, 0x00FF00}, {0xF81F, 0xFF00FF}}, 16},
      {24, 0, {}, {{0x102030, FromRgb(0x102030)}, {0xFF00FF, 0xFF00FF}, {0x000001, 0x010000}}, 256},
      {32, 0, {0, 0, 0}, {{0x00102030, FromRgb(0x102030)}, {0xFF0000FF, 0xFF0000}}, 16},
      {32, 3, {0x000000FF, 0x0000FF00, 0x00FF0000}, {{0x00102030, 0x102030}}, 16},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.bits * 10 + static_cast<int>(c.compression));
    BmpPicture picture = test::Blank(5, 3, c.bits, c.compression);
    picture.colors = c.masks;
    std::vector<ColorRef> expected;
    for (int i = 0; i < 15; ++i) {
      const auto& [value, colour] = c.pixels[static_cast<std::size_t>(i) % c.pixels.size()];
      picture.values.push_back(value);
      expected.push_back(colour);
    }
    DibImage image;
    ASSERT_TRUE(Load(image, EncodeBmp(picture)));
    EXPECT_EQ(ColoursOf(*image.bitmap), expected);
    EXPECT_EQ(image.colorCount, c.bits == 24 ? 0 : 3);
    ASSERT_TRUE(image.palette);
    EXPECT_EQ(image.palette->Entries().size(), c.paletteSize);
  }
}

TEST_F(DibImageTest, UsedColourCountShortensTheTableButNeverLengthensIt) {
  // 20 entries and nothing more: reading a full table would run past the end.
  BmpPicture shortTable = test::Blank(2, 2, 8);
  shortTable.usedColors = 20;
  shortTable.colors = Colors(20);
  shortTable.values = {19, 0, 7, 12};
  DibImage image;
  ASSERT_TRUE(Load(image, EncodeBmp(shortTable)));
  EXPECT_EQ(image.colorCount, 20);
  EXPECT_EQ(ColoursOf(*image.bitmap), ColoursThroughTable(shortTable));
  ASSERT_EQ(image.palette->Entries().size(), 20u);
  EXPECT_EQ(image.palette->Entries()[19].blue, Colors(20)[19] & 0xFF);
  EXPECT_EQ(image.info.colors[20], RgbQuad{});

  BmpPicture tooMany = Paletted(8);
  tooMany.usedColors = 300;
  ASSERT_TRUE(Load(image, EncodeBmp(tooMany)));
  EXPECT_EQ(image.colorCount, 256);
  EXPECT_EQ(ColoursOf(*image.bitmap), ColoursThroughTable(tooMany));

  BmpPicture oneBit = Paletted(1);
  oneBit.usedColors = 3;
  ASSERT_TRUE(Load(image, EncodeBmp(oneBit)));
  EXPECT_EQ(image.colorCount, 2);

  // No table for 24 bits, whatever the count says: the pixels follow the header.
  BmpPicture direct = test::Blank(2, 1, 24);
  direct.usedColors = 5;
  direct.values = {0xABCDEF, 0x010203};
  ASSERT_TRUE(Load(image, EncodeBmp(direct)));
  EXPECT_EQ(image.colorCount, 0);
  EXPECT_EQ(ColoursOf(*image.bitmap), (std::vector<ColorRef>{FromRgb(0xABCDEF), FromRgb(0x010203)}));
  EXPECT_EQ(image.palette->Entries().size(), 256u);
}

TEST_F(DibImageTest, SeeksToTheDataOffsetAndIgnoresTrailingBytes) {
  BmpPicture picture = Paletted(4);
  std::string bytes = EncodeBmp(picture);
  // A gap between the colour table and the pixels.
  std::string gapped = bytes.substr(0, 118) + std::string(10, '\x77') + bytes.substr(118);
  PutU32(gapped, test::kDataOffsetOffset, 128);
  PutU32(gapped, test::kFileSizeOffset, static_cast<std::uint32_t>(gapped.size()));
  DibImage image;
  ASSERT_TRUE(Load(image, gapped));
  EXPECT_EQ(ColoursOf(*image.bitmap), ColoursThroughTable(picture));

  // Trailing bytes, counted in the file size or not, are never pixels.
  for (bool counted : {false, true}) {
    std::string trailing = bytes + std::string(100, '\xFF');
    if (counted) PutU32(trailing, test::kFileSizeOffset, static_cast<std::uint32_t>(trailing.size()));
    ASSERT_TRUE(Load(image, trailing)) << counted;
    EXPECT_EQ(image.info.header.sizeImage, 12u) << counted;
    EXPECT_EQ(ColoursOf(*image.bitmap), ColoursThroughTable(picture)) << counted;
  }
}

TEST_F(DibImageTest, PixelAreaCutShortByTheFileSizeLoadsWhatThereIs) {
  // 22 x 22 at 4 bits: rows of 12 bytes, 264 bytes in all, but the file ends after 200.
  BmpPicture picture = test::Blank(22, 22, 4);
  picture.colors = Colors(16);
  picture.values = PixelValues(22, 22, [](int x, int y) { return static_cast<std::uint32_t>(1 + (x + y) % 15); });
  std::string bytes = EncodeBmp(picture);
  const std::size_t dataOffset = 54 + 64;
  bytes.resize(dataOffset + 200);
  PutU32(bytes, test::kFileSizeOffset, static_cast<std::uint32_t>(bytes.size()));

  DibImage image;
  ASSERT_TRUE(Load(image, bytes));
  EXPECT_EQ(image.info.header.sizeImage, 200u);
  // Rows are stored bottom-up: 16 whole rows and 8 bytes (16 pixels) of the 17th arrived.
  const std::vector<ColorRef> expected = ColoursThroughTable(picture);
  const ColorRef unwritten = FromRgb(picture.colors[0]);
  for (int y = 0; y < 22; ++y) {
    for (int x = 0; x < 22; ++x) {
      const int storedRow = 21 - y;
      const bool arrived = storedRow < 16 || (storedRow == 16 && x < 16);
      ASSERT_EQ(image.bitmap->PixelColor(x, y),
                arrived ? expected[static_cast<std::size_t>(y * 22 + x)] : unwritten)
          << x << "," << y;
    }
  }
}

// Files that must fail before a new bitmap is made; the picture loaded before stays.
TEST_F(DibImageTest, BrokenFilesKeepThePreviousPicture) {
  const BmpPicture good = Paletted(4);
  const std::string bytes = EncodeBmp(good);  // 54 + 64 + 12 = 130 bytes
  const auto with = [&](std::size_t offset, std::uint32_t value, bool wide = true) {
    std::string changed = bytes;
    if (wide) {
      PutU32(changed, offset, value);
    } else {
      PutU16(changed, offset, static_cast<std::uint16_t>(value));
    }
    return changed;
  };
  std::vector<std::pair<std::string, std::string>> broken = {
      {"wrong magic", with(0, 0x424D, false)},
      {"lower-case magic", with(0, 0x6D62, false)},
      {"header size 12", with(test::kHeaderSizeOffset, 12)},
      {"header size 108", with(test::kHeaderSizeOffset, 108)},
      {"header size 124", with(test::kHeaderSizeOffset, 124)},
      {"negative height", with(test::kHeightOffset, static_cast<std::uint32_t>(-3))},
      {"file size 0", with(test::kFileSizeOffset, 0)},
      {"file size below the data offset", with(test::kFileSizeOffset, 100)},
      {"no pixel area", with(test::kFileSizeOffset, 118)},
      {"width 0", with(test::kWidthOffset, 0)},
      {"negative width", with(test::kWidthOffset, static_cast<std::uint32_t>(-5))},
      {"data offset past the end", with(test::kDataOffsetOffset, 1000)},
  };
  for (std::size_t length : {0, 1, 2, 13, 14, 15, 53, 54, 55, 117}) {
    broken.emplace_back("cut at " + std::to_string(length), bytes.substr(0, length));
  }
  broken.emplace_back("pixels cut short", bytes.substr(0, bytes.size() - 1));
  std::string huge = bytes.substr(0, 100);
  PutU32(huge, test::kWidthOffset, 1000000);
  PutU32(huge, test::kHeightOffset, 1000000);
  PutU32(huge, test::kFileSizeOffset, 0xFFFFFFFF);
  broken.emplace_back("a million pixels square in 100 bytes", huge);
  std::string overflowing = with(test::kWidthOffset, 0x7FFFFFFF);
  PutU32(overflowing, test::kHeightOffset, 0x7FFFFFFF);
  PutU16(overflowing, test::kBitCountOffset, 0xFFFF);
  broken.emplace_back("sizes beyond 64 bits", overflowing);

  DibImage image;
  ASSERT_TRUE(Load(image, EncodeBmp(good)));
  const DeviceIndependentBitmap* before = image.bitmap.get();
  const std::vector<ColorRef> colours = ColoursOf(*before);
  for (const auto& [what, file] : broken) {
    EXPECT_FALSE(Load(image, file)) << what;
    EXPECT_EQ(image.bitmap.get(), before) << what;
    EXPECT_EQ(ColoursOf(*image.bitmap), colours) << what;
    EXPECT_EQ(image.info.header.width, 5) << what;
    EXPECT_TRUE(image.palette) << what;
  }
  EXPECT_FALSE(image.LoadFromFile(folder_.File("missing.bmp")));
  EXPECT_FALSE(image.LoadFromFile(folder_.Folder()));
  EXPECT_EQ(image.bitmap.get(), before);
}

// Files that read well but describe a bitmap the display cannot make: the load fails
// while creating, and the image is empty afterwards.
TEST_F(DibImageTest, LayoutsThatCannotBeShownLeaveTheImageEmpty) {
  const auto changed = [](BmpPicture picture, int bits, std::uint32_t compression) {
    std::string bytes = EncodeBmp(picture);
    PutU16(bytes, test::kBitCountOffset, static_cast<std::uint16_t>(bits));
    PutU32(bytes, test::kCompressionOffset, compression);
    return bytes;
  };
  const BmpPicture eight = Paletted(8);
  const std::vector<std::string> files = {
      changed(eight, 3, 0), changed(eight, 7, 0), changed(eight, 8, 1),  // run-length coded
      changed(Paletted(4), 4, 2), changed(eight, 8, 3), changed(eight, 24, 3),
      changed(eight, 32, 4)};
  for (std::size_t i = 0; i < files.size(); ++i) {
    DibImage image;
    ASSERT_TRUE(Load(image, EncodeBmp(Paletted(2))));
    EXPECT_FALSE(Load(image, files[i])) << i;
    EXPECT_FALSE(image.bitmap) << i;
    EXPECT_FALSE(image.palette) << i;
    EXPECT_TRUE(image.pixels.empty()) << i;
    EXPECT_EQ(image.colorCount, 0) << i;
    EXPECT_EQ(image.info.header.width, 0) << i;
    EXPECT_EQ(image.info.colors[0], RgbQuad{}) << i;
  }
}

// Every header field of good pictures at each depth set to values that break sizes, and
// the files cut at every length: no load may read or write out of bounds (the sanitizer
// build runs this too), and whatever loads must be a whole, readable picture.
TEST_F(DibImageTest, HostileFilesNeverCrash) {
  std::vector<std::string> goods;
  for (int bits : {1, 2, 4, 8}) goods.push_back(EncodeBmp(Paletted(bits)));
  for (int bits : {16, 24, 32}) {
    BmpPicture picture = test::Blank(5, 3, bits, bits == 24 ? 0 : 3);
    if (bits != 24) picture.colors = {0xF800, 0x07E0, 0x001F};
    picture.values = PixelValues(5, 3, [](int x, int y) { return static_cast<std::uint32_t>(x * 999 + y); });
    goods.push_back(EncodeBmp(picture));
  }
  const std::size_t wideFields[] = {test::kFileSizeOffset, test::kDataOffsetOffset, test::kHeaderSizeOffset,
                                    test::kWidthOffset,    test::kHeightOffset,     test::kCompressionOffset,
                                    34,                    test::kUsedColorsOffset, test::kColorTableOffset};
  const std::size_t narrowFields[] = {26, test::kBitCountOffset};
  const std::uint32_t values[] = {0,  1,  2,    3,      4,          8,          16,         24,
                                  32, 40, 1000, 0x7FFF, 0xFFFF,     1000000,    0x7FFFFFFF, 0x80000000,
                                  0xFFFFFFFE, 0xFFFFFFFF};
  std::vector<std::string> files;
  for (const std::string& good : goods) {
    for (std::size_t offset : wideFields) {
      for (std::uint32_t value : values) {
        files.push_back(good);
        PutU32(files.back(), offset, value);
      }
    }
    for (std::size_t offset : narrowFields) {
      for (std::uint32_t value : values) {
        files.push_back(good);
        PutU16(files.back(), offset, static_cast<std::uint16_t>(value));
      }
    }
    for (std::size_t length = 0; length < good.size(); ++length) files.push_back(good.substr(0, length));
  }

  DibImage image;
  int loaded = 0;
  for (std::size_t i = 0; i < files.size(); ++i) {
    if (!Load(image, files[i])) continue;
    ++loaded;
    ASSERT_TRUE(image.bitmap) << i;
    ASSERT_TRUE(image.palette) << i;
    const DeviceIndependentBitmap& bitmap = *image.bitmap;
    ASSERT_EQ(image.pixels.size(), static_cast<std::size_t>(bitmap.RowBytes() * bitmap.Height())) << i;
    ASSERT_LE(image.info.header.sizeImage, image.pixels.size()) << i;
    if (std::int64_t{bitmap.Width()} * bitmap.Height() <= 100000) {
      ASSERT_EQ(bitmap.Argb().size(), static_cast<std::size_t>(bitmap.Width() * bitmap.Height())) << i;
    } else {
      ASSERT_NE(bitmap.PixelColor(bitmap.Width() - 1, bitmap.Height() - 1), kInvalidColor) << i;
    }
  }
  // Many changes are harmless (resolution, a larger file size, used colours): those load.
  EXPECT_GT(loaded, 100);
  EXPECT_LT(loaded, static_cast<int>(files.size()) / 2);
}

TEST_F(DibImageTest, ALaterLoadReplacesAndReleaseEmpties) {
  DibImage image;
  image.Release();
  ASSERT_TRUE(Load(image, EncodeBmp(Paletted(8))));
  BmpPicture wide = test::Blank(7, 2, 24);
  wide.values = PixelValues(7, 2, [](int x, int y) { return static_cast<std::uint32_t>(x * 16 + y); });
  ASSERT_TRUE(Load(image, EncodeBmp(wide)));
  EXPECT_EQ(image.bitmap->PixelColor(6, 1), FromRgb(0x61));
  EXPECT_EQ(image.colorCount, 0);
  EXPECT_EQ(image.info.colors[0], RgbQuad{}) << "the old colour table is gone";

  image.Release();
  EXPECT_FALSE(image.bitmap);
  EXPECT_FALSE(image.palette);
  EXPECT_TRUE(image.pixels.empty());
  EXPECT_EQ(image.info.header.bitCount, 0);
}

TEST(DibImageCreate, CopiesNoMorePixelsThanGivenOrHeld) {
  BitmapInfo info;
  info.header.size = 40;
  info.header.width = 2;
  info.header.height = 2;
  info.header.bitCount = 24;
  info.header.sizeImage = 1000;  // more than given and more than the bitmap holds
  const std::vector<std::uint8_t> data(5, 0x80);
  DibImage image;
  ASSERT_TRUE(image.CreateFromHeader(&info, data));
  EXPECT_EQ(image.bitmap->PixelColor(0, 1), FromRgb(0x808080));
  EXPECT_EQ(image.bitmap->PixelColor(1, 1), FromRgb(0x008080)) << "its red lies beyond the data";

  info.header.sizeImage = 0;  // computed from the header
  ASSERT_TRUE(image.CreateFromHeader(&info, {}));
  EXPECT_EQ(image.info.header.sizeImage, 16u);
  EXPECT_EQ(image.bitmap->PixelColor(0, 1), 0u);
  // A header that lies in the image itself survives the release creation begins with.
  EXPECT_TRUE(image.CreateFromHeader(&image.info, data));
  EXPECT_FALSE(image.CreateFromHeader(nullptr, data));
  EXPECT_FALSE(image.bitmap);
}

TEST(DibImagePalette, DefaultPaletteSizesAndEntries) {
  const std::pair<int, std::size_t> sizes[] = {{-1, 256}, {0, 256}, {1, 2},     {2, 2},     {3, 16},
                                               {16, 16},  {17, 256}, {256, 256}, {257, 256}, {1000, 256}};
  DibImage image;
  for (const auto& [count, size] : sizes) {
    ASSERT_TRUE(image.BuildDefaultPalette(count)) << count;
    EXPECT_EQ(image.palette->Entries().size(), size) << count;
    EXPECT_EQ(image.palette->Entries().front(), (PaletteEntry{0, 0, 0, 0})) << count;
    EXPECT_EQ(image.palette->Entries().back(), (PaletteEntry{255, 255, 255, 0})) << count;
  }
  ASSERT_TRUE(image.BuildDefaultPalette(16));  // the table's first eight and last eight
  EXPECT_EQ(image.palette->Entries()[8], (PaletteEntry{128, 128, 128, 0}));
  ASSERT_TRUE(image.BuildDefaultPalette(256));  // red from the third byte, blue from the first
  EXPECT_EQ(image.palette->Entries()[9], (PaletteEntry{240, 202, 166, 0}));

  const auto& table = DefaultPaletteTable;
  EXPECT_EQ(table[10], (RgbQuad{44, 0, 0, 0}));  // the cube's first point after black
  EXPECT_EQ(table[222], (RgbQuad{255, 255, 255, 0}));  // its last
  EXPECT_EQ(table[223], (RgbQuad{17, 17, 17, 0}));
  EXPECT_EQ(table[246], (RgbQuad{255, 251, 240, 0}));
  // The three points left out of the cube appear once, among the fixed entries.
  for (const RgbQuad entry : {RgbQuad{0, 0, 0, 0}, RgbQuad{192, 192, 192, 0}, RgbQuad{0, 255, 255, 0}}) {
    EXPECT_EQ(std::count(table.begin(), table.end(), entry), 1);
  }
}

TEST(DibImageReadBack, RecoversTheTableThroughTheFirstPixelAndRestoresIt) {
  BitmapInfoHeader header;
  header.width = 3;
  header.height = 3;
  header.bitCount = 4;
  std::vector<RgbQuad> colors;
  for (int i = 0; i < 16; ++i) colors.push_back(RgbQuad{static_cast<std::uint8_t>(i), 1, 2, 0});
  auto bitmap = DeviceIndependentBitmap::Create(header, colors, kColorUsageRgb);
  bitmap->Pixels()[0] = 0x5A;

  std::vector<RgbQuad> out(16);
  EXPECT_EQ(ReadBackColorTable(*bitmap, 3, 5, out), 5);
  EXPECT_EQ(out[0].blue, 3);
  EXPECT_EQ(out[1].blue, 4);
  EXPECT_EQ(out[2], RgbQuad{}) << "only indices below count are read";
  EXPECT_EQ(bitmap->Pixels()[0], 0x5A);
  std::vector<RgbQuad> small(2);
  EXPECT_EQ(ReadBackColorTable(*bitmap, 0, 16, small), 16) << "writes stop at the table's end";

  header.bitCount = 24;
  EXPECT_EQ(ReadBackColorTable(*DeviceIndependentBitmap::Create(header, {}, kColorUsageRgb), 0, 4, out), 0);
}

// Pictures from an independent encoder: ImageMagick writes classic BMP files at 1, 4, 8
// and 24 bits from a source picture made here, and they must show the source's pixels.
class ConvertedPictures : public DibImageTest {
 protected:
  void SetUp() override {
    if (std::system("command -v convert >/dev/null 2>&1") != 0) GTEST_SKIP() << "no convert";
  }

  // The source as 0x00RRGGBB values, rows top to bottom.
  std::u16string Convert(const std::vector<std::uint32_t>& rgb, int width, int height,
                         const std::string& options, const std::string& name) {
    std::string ppm = "P6\n" + std::to_string(width) + " " + std::to_string(height) + "\n255\n";
    for (std::uint32_t c : rgb) {
      ppm += static_cast<char>(c >> 16 & 0xFF);
      ppm += static_cast<char>(c >> 8 & 0xFF);
      ppm += static_cast<char>(c & 0xFF);
    }
    const auto source = folder_.Write(name + ".ppm", ppm);
    const auto target = folder_.Path() / (name + ".bmp");
    const std::string command = "convert '" + source.string() + "' " + options +
                                " -compress none 'BMP3:" + target.string() + "'";
    EXPECT_EQ(std::system(command.c_str()), 0) << command;
    return Utf8ToUtf16(target.string());
  }
};

TEST_F(ConvertedPictures, DecodeToTheSourcePixelsAtEveryDepth) {
  struct Case {
    int bits;
    std::string options;
    int colours;
  };
  const Case cases[] = {{1, "-type bilevel", 2}, {4, "-type palette", 12}, {8, "-type palette", 200},
                        {24, "-type truecolor", 484}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.bits);
    const std::vector<std::uint32_t> palette =
        c.bits == 1 ? std::vector<std::uint32_t>{0x000000, 0xFFFFFF} : Colors(c.colours);
    std::vector<std::uint32_t> source = PixelValues(22, 22, [&](int x, int y) {
      return palette[static_cast<std::size_t>(x * 5 + y * 3 + x * y) % palette.size()];
    });
    source[0] = c.bits == 1 ? 0xFFFFFF : 0xFF00FF;  // magenta, as category pictures use it
    const std::u16string path = Convert(source, 22, 22, c.options, "depth" + std::to_string(c.bits));

    const std::string bytes = test::ReadBytes(Utf16ToUtf8(path));
    ASSERT_GE(bytes.size(), 54u);
    ASSERT_EQ(static_cast<unsigned char>(bytes[test::kBitCountOffset]), c.bits) << "convert chose another depth";

    DibImage image;
    ASSERT_TRUE(image.LoadFromFile(path));
    const std::vector<std::uint32_t> shown = image.bitmap->Argb();
    ASSERT_EQ(shown.size(), source.size());
    for (std::size_t i = 0; i < source.size(); ++i) {
      ASSERT_EQ(shown[i], 0xFF000000u | source[i]) << "pixel " << i % 22 << "," << i / 22;
    }
  }
}

}  // namespace
}  // namespace poirec
