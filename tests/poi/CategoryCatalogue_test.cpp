#include "poi/CategoryCatalogue.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <stdexcept>
#include <string>
#include <vector>

#include "platform/File.h"
#include "platform/TextEncoding.h"
#include "support/BmpFile.h"
#include "support/TempFolder.h"

namespace poirec {
namespace {

// A 22 x 22 picture in one colour (0x00RRGGBB) with a magenta top-left pixel.
std::string Picture(std::uint32_t rgb) {
  test::BmpPicture picture = test::Blank(22, 22, 24);
  picture.values = test::PixelValues(22, 22, [rgb](int x, int y) { return x + y == 0 ? 0xFF00FFu : rgb; });
  return test::EncodeBmp(picture);
}

class CategoryCatalogueTest : public ::testing::Test {
 protected:
  void Touch(const std::string& name, std::string_view contents = "") {
    folder_.Write("pois/" + name, contents);
  }
  void Scan() {
    ScanCategories(table_, images_, folder_.Folder());
    SortCategories(table_);
  }
  std::vector<std::u16string> Names() const {
    std::vector<std::u16string> names;
    for (int i = 0; i < table_.count; ++i) names.push_back(table_.rows[static_cast<std::size_t>(i)].name);
    return names;
  }
  const CategoryEntry& Row(std::u16string_view name) const {
    for (int i = 0; i < table_.count; ++i) {
      if (table_.rows[static_cast<std::size_t>(i)].name == name) return table_.rows[static_cast<std::size_t>(i)];
    }
    throw std::runtime_error("no such row");
  }
  // The colour of a category's picture in the image list (its second pixel), 0 without one.
  std::uint32_t PictureColour(std::u16string_view name) const {
    const std::vector<std::uint32_t> argb = images_.Argb(Row(name).imageIndex);
    if (argb.empty()) return 0;
    EXPECT_EQ(argb[0], 0u) << "magenta is transparent";
    return argb[1];
  }

  test::TempFolder folder_;
  CategoryTable table_;
  ImageList images_;
};

TEST_F(CategoryCatalogueTest, EveryAscFileButTheReservedOnesIsACategorySortedByCharacterCode) {
  for (const char* name : {"Blitzer.asc", "bakery.asc", "Recorded.asc", "QUILLON.asc", "Zoo.asc",
                           "10er.asc", "notes.txt", "Zoo.bmp", "recorded.asc2"}) {
    Touch(name);
  }
  folder_.MakeFolder("pois/Folder.asc");
  table_.rows[4].name = u"untouched";
  Scan();
  EXPECT_EQ(Names(), (std::vector<std::u16string>{u"10er", u"Blitzer", u"Zoo", u"bakery"}));
  EXPECT_EQ(table_.rows[4].name, u"untouched") << "rows beyond the count stay as they were";
  const std::u16string pois = folder_.Folder() + u"pois/";
  EXPECT_EQ(Row(u"Blitzer").bitmapPath, pois + u"Blitzer.bmp");
  EXPECT_EQ(PoiFilePath(Row(u"Blitzer")), pois + u"Blitzer.asc");

  // Only whole names are reserved.
  for (const char* name : {"recorded2.asc", "xrecorded.asc", "Quillon2.asc"}) Touch(name);
  Scan();
  EXPECT_EQ(table_.count, 7);
}

TEST_F(CategoryCatalogueTest, PicturesStayWithTheirCategoriesThroughTheSort) {
  const std::pair<const char*, std::uint32_t> pictured[] = {
      {"Zoo", 0x00AA00}, {"bakery", 0x0000BB}, {"10er", 0xCC0000}, {"Blitzer", 0x123456}};
  for (const auto& [name, rgb] : pictured) {
    Touch(std::string(name) + ".asc");
    Touch(std::string(name) + ".bmp", Picture(rgb));
  }
  // Categories without a picture among them: whatever order the folder lists them in,
  // some follow one whose picture loaded, and they must not get that picture.
  for (int i = 0; i < 12; ++i) Touch("plain" + std::to_string(i) + ".asc");
  Scan();

  ASSERT_EQ(table_.count, 16);
  EXPECT_EQ(images_.Count(), 4);
  for (const auto& [name, rgb] : pictured) {
    EXPECT_EQ(PictureColour(Utf8ToUtf16(name)), 0xFF000000u | rgb) << name;
  }
  for (int i = 0; i < 12; ++i) EXPECT_EQ(Row(Utf8ToUtf16("plain" + std::to_string(i))).imageIndex, -1) << i;
}

TEST_F(CategoryCatalogueTest, BrokenPicturesCostOnlyTheirOwnCategory) {
  const std::string good = Picture(0x445566);
  std::string huge = good.substr(0, 100);
  test::PutU32(huge, test::kWidthOffset, 1000000);
  test::PutU32(huge, test::kHeightOffset, 1000000);
  std::string runLength = good;
  test::PutU16(runLength, test::kBitCountOffset, 8);
  test::PutU32(runLength, test::kCompressionOffset, 1);
  const std::pair<const char*, std::string> broken[] = {
      {"empty", ""}, {"cut", good.substr(0, 60)}, {"huge", huge}, {"rle", runLength}, {"text", "BM hello"}};
  for (const auto& [name, bytes] : broken) {
    Touch(std::string(name) + ".asc");
    Touch(std::string(name) + ".bmp", bytes);
  }
  Touch("good.asc");
  Touch("good.bmp", good);
  folder_.MakeFolder("pois/folder.bmp");
  Touch("folder.asc");
  Scan();

  ASSERT_EQ(table_.count, 7);
  EXPECT_EQ(PictureColour(u"good"), 0xFF445566u);
  for (const auto& [name, bytes] : broken) EXPECT_EQ(Row(Utf8ToUtf16(name)).imageIndex, -1) << name;
  EXPECT_EQ(Row(u"folder").imageIndex, -1);
}

TEST_F(CategoryCatalogueTest, UpperCaseExtensionsOnDiskStillPairAndOpen) {
  Touch("Blitzer.ASC", "\n8.0,48.0,\"Camera\"");
  Touch("Blitzer.BMP", Picture(0x0A0B0C));
  // The same category twice, as a folder that ignores case would have it once.
  Touch("Shop.asc");
  Touch("Shop.Asc");
  Scan();

  EXPECT_EQ(Names(), (std::vector<std::u16string>{u"Blitzer", u"Shop"}));
  const CategoryEntry& blitzer = Row(u"Blitzer");
  EXPECT_EQ(PoiFilePath(blitzer), folder_.Folder() + u"pois/Blitzer.asc");
  EXPECT_EQ(PictureColour(u"Blitzer"), 0xFF0A0B0Cu);
  File file;
  ASSERT_TRUE(file.Open(PoiFilePath(blitzer), File::Mode::Read));
  char first = 0;
  EXPECT_EQ(file.Read(&first, 1), 1u);
  EXPECT_EQ(first, '\n');
}

TEST_F(CategoryCatalogueTest, AFileNamedOnlyTheExtensionIsACategoryWithAnEmptyName) {
  Touch(".asc");
  Scan();
  ASSERT_EQ(table_.count, 1);
  EXPECT_EQ(table_.rows[0].name, u"");
  EXPECT_EQ(table_.rows[0].bitmapPath, folder_.Folder() + u"pois/.bmp");
  EXPECT_EQ(table_.rows[0].imageIndex, -1);
  EXPECT_EQ(PoiFilePath(table_.rows[0]), folder_.Folder() + u"pois/.asc");
}

TEST_F(CategoryCatalogueTest, EachScanStartsAfresh) {
  Touch("A.asc");
  Touch("A.bmp", Picture(0x010101));
  Touch("B.asc");
  Touch("B.bmp", Picture(0x020202));
  Scan();
  ASSERT_EQ(table_.count, 2);
  ASSERT_EQ(images_.Count(), 2);

  std::filesystem::remove(folder_.Path() / "pois" / "A.asc");
  Scan();
  ASSERT_EQ(Names(), std::vector<std::u16string>{u"B"});
  EXPECT_EQ(images_.Count(), 1);
  EXPECT_EQ(table_.rows[0].imageIndex, 0);
  EXPECT_EQ(PictureColour(u"B"), 0xFF020202u);

  std::filesystem::remove_all(folder_.Path() / "pois");
  Scan();
  EXPECT_EQ(table_.count, 0);
  EXPECT_EQ(images_.Count(), 0);
}

TEST_F(CategoryCatalogueTest, MoreFilesThanRowsKeepTheFirstByName) {
  // Made in descending order, so a folder listing them as made would keep the wrong ones.
  for (int i = 404; i >= 0; --i) {
    char name[16];
    std::snprintf(name, sizeof name, "c%03d.asc", i);
    Touch(name);
  }
  Touch("recorded.asc");
  Scan();
  ASSERT_EQ(table_.count, CategoryTable::kCapacity);
  EXPECT_EQ(table_.rows[0].name, u"c000");
  EXPECT_EQ(table_.rows[399].name, u"c399");
}

TEST(SortCategories, ComparesCharacterCodesAndMovesWholeRows) {
  CategoryTable table;
  const std::u16string names[] = {u"bakery", u"Zoo", u"\u00C4rger", u"10er", u"Zoo2", u"zoo", u"Blitzer"};
  for (std::size_t i = 0; i < std::size(names); ++i) {
    table.rows[i] = CategoryEntry{names[i], u"/p/pois/" + names[i] + u".bmp", static_cast<std::int32_t>(i)};
  }
  table.rows[7].name = u"0";  // beyond the count: not sorted in
  table.count = static_cast<std::int32_t>(std::size(names));
  SortCategories(table);

  const std::u16string sorted[] = {u"10er", u"Blitzer", u"Zoo", u"Zoo2", u"bakery", u"zoo", u"\u00C4rger"};
  for (std::size_t i = 0; i < std::size(sorted); ++i) {
    const CategoryEntry& row = table.rows[i];
    EXPECT_EQ(row.name, sorted[i]) << i;
    EXPECT_EQ(row.bitmapPath, u"/p/pois/" + sorted[i] + u".bmp") << i;
    EXPECT_EQ(names[static_cast<std::size_t>(row.imageIndex)], sorted[i]) << i;
  }
  EXPECT_EQ(table.rows[7].name, u"0");
}

// Pictures drawn by another program: ImageMagick writes them at the depths paint
// programs use, and each category must show its own.
TEST_F(CategoryCatalogueTest, PicturesMadeByConvertShowInTheirCategories) {
  if (std::system("command -v convert >/dev/null 2>&1") != 0) GTEST_SKIP() << "no convert";
  struct Made {
    const char* name;
    const char* options;
    std::uint32_t rgb;
    int otherColours;  // dots of further colours in the middle rows, for the depth wanted
    int bits;
  };
  const Made made[] = {{"Bank", "-type bilevel", 0xFFFFFF, 0, 1},
                       {"Cafe", "-type palette", 0x8000C0, 5, 4},
                       {"Fuel", "-type palette", 0x20A040, 30, 8},
                       {"Zoo", "-type truecolor", 0x123456, 3, 24}};
  for (const Made& m : made) {
    Touch(std::string(m.name) + ".asc");
    char colour[16];
    std::snprintf(colour, sizeof colour, "#%06X", m.rgb);
    const std::string target = (folder_.Path() / "pois" / (std::string(m.name) + ".bmp")).string();
    // A magenta frame around a square of the category's colour.
    std::string command = std::string("convert -size 22x22 xc:") +
                          (m.rgb == 0xFFFFFF ? "black" : "magenta") + " -fill '" + colour +
                          "' -draw 'rectangle 1,1 20,20'";
    for (int i = 0; i < m.otherColours; ++i) {
      std::snprintf(colour, sizeof colour, "#%02X%02X40", 8 * i, 255 - 8 * i);
      command += std::string(" -fill '") + colour + "' -draw 'point " + std::to_string(1 + i % 20) +
                 "," + std::to_string(10 + i / 20) + "'";
    }
    command += std::string(" ") + m.options + " -compress none 'BMP3:" + target + "'";
    ASSERT_EQ(std::system(command.c_str()), 0) << command;
    ASSERT_EQ(test::ReadBytes(target).at(test::kBitCountOffset), m.bits) << command;
  }
  Touch("Nothing.asc");
  Scan();

  ASSERT_EQ(Names(), (std::vector<std::u16string>{u"Bank", u"Cafe", u"Fuel", u"Nothing", u"Zoo"}));
  EXPECT_EQ(Row(u"Nothing").imageIndex, -1);
  for (const Made& m : made) {
    const std::vector<std::uint32_t> argb = images_.Argb(Row(Utf8ToUtf16(m.name)).imageIndex);
    ASSERT_EQ(argb.size(), 484u) << m.name;
    EXPECT_EQ(argb[0], m.rgb == 0xFFFFFF ? 0xFF000000u : 0u) << m.name;
    EXPECT_EQ(argb[21 * 22 + 21], argb[0]) << m.name;
    EXPECT_EQ(argb[23], 0xFF000000u | m.rgb) << m.name;
    EXPECT_EQ(argb[20 * 22 + 20], 0xFF000000u | m.rgb) << m.name;
  }
}

}  // namespace
}  // namespace poirec
