#include "poi/CategoryCatalogue.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "platform/Path.h"
#include "platform/PosixFileSystem.h"
#include "platform/TextEncoding.h"
#include "poi/NearestPoi.h"
#include "support/BmpFile.h"
#include "support/TempFolder.h"

namespace poirec {
namespace {

using Argb = std::vector<std::uint32_t>;
using Rows = std::vector<std::pair<std::u16string, Argb>>;  // each row's name and picture

// A 22 x 22 picture file in one colour, 0xRRGGBB, with a magenta top-left pixel, and the
// picture the image list shows for it.
std::pair<std::string, Argb> Picture(std::uint32_t rgb) {
  Argb values(484, rgb), shown(484, 0xFF000000 | rgb);
  values[0] = 0xFF00FF, shown[0] = 0;
  return {test::EncodeBmp(22, 22, 24, {}, values), shown};
}

class CategoryCatalogueTest : public ::testing::Test {
 protected:
  void Touch(const std::string& name, std::string_view bytes = "") {
    folder_.Write("pois/" + name, bytes);
  }
  Rows Scan() {
    ScanCategories(table_, images_, folder_.Folder());
    SortCategories(table_);
    Rows rows;
    for (const CategoryEntry& row :
         std::span(table_.rows).first(static_cast<std::size_t>(table_.count))) {
      rows.emplace_back(row.name, images_.Argb(row.imageIndex));
    }
    return rows;
  }

  test::TempFolder folder_;
  CategoryTable table_;
  ImageList images_;
};

TEST_F(CategoryCatalogueTest, EveryCategoryGetsItsOwnPictureOrNone) {
  const auto broken = [](std::string bytes) {
    return std::pair<std::string, Argb>(std::move(bytes), {});
  };
  // Sorted by character code, and with and without a picture in turn: in whatever order
  // the folder lists them, some without one follow one with one.
  const std::pair<const char*, std::optional<std::pair<std::string, Argb>>> categories[] = {
      {"10er", Picture(0xCC0000)},  {"Blitzer", std::nullopt},
      {"Zoo", Picture(0x00AA00)},   {"bakery", broken(Picture(0).first.substr(0, 60))},
      {"empty", broken("")},        {"good", Picture(0x123456)},
      {"text", broken("BM hello")}, {"\xC3\x84rger", Picture(0x0000BB)}};
  Rows expected;
  for (const auto& [name, picture] : categories) {
    Touch(name + std::string(".asc"));
    if (picture) Touch(name + std::string(".bmp"), picture->first);
    expected.emplace_back(Utf8ToUtf16(name), picture ? picture->second : Argb{});
  }
  for (const char* other : {"Recorded.asc", "QUILLON.asc", "recorded.asc2", "notes.txt"})
    Touch(other);
  folder_.MakeFolder("pois/Folder.asc");
  Scan();
  EXPECT_EQ(Scan(), expected);  // each scan starts afresh
  EXPECT_EQ(images_.Count(), 4);
}

TEST_F(CategoryCatalogueTest, NamesOnDiskInAnyLetterCase) {
  const auto [picture, shown] = Picture(0x0A0B0C);
  Touch("Blitzer.ASC", "\n8.0,48.0,\"Camera\"");
  Touch("Blitzer.BMP", picture);
  Touch("Shop.asc");
  Touch("Shop.Asc");  // one category, as a folder that ignores case holds it
  Touch(".asc");      // a category whose name is empty
  EXPECT_EQ(Scan(), (Rows{{u"", {}}, {u"Blitzer", shown}, {u"Shop", {}}}));
  EXPECT_EQ(PoiFilePath(table_.rows[0]), folder_.Folder() + u"pois/.asc");
  EXPECT_EQ(PoiFilePath(table_.rows[1]), folder_.Folder() + u"pois/Blitzer.asc");
  EXPECT_EQ(test::ReadBytes(ResolvePath(RealFileSystem(), PoiFilePath(table_.rows[1]))),
            "\n8.0,48.0,\"Camera\"");

  std::filesystem::remove_all(folder_.Path() / "pois");
  EXPECT_EQ(Scan(), Rows{});
}

// Names copied from older systems may hold Windows-1252 bytes. Files whose names differ
// only there are categories of their own, each searched, each with its own picture, and
// a deletion rewrites the file the POI was found in.
TEST_F(CategoryCatalogueTest, NamesThatAreNotUtf8StayApart) {
  const auto [picture, shown] = Picture(0x445566);
  Touch("Caf\xE9.asc", "\n8.250000,48.250000,\"e acute\"");
  Touch("Caf\xE8.asc", "\n8.500000,48.500000,\"e grave\"");
  Touch("Caf\xC3\xA9.asc", "\n8.750000,48.750000,\"in UTF-8\"");
  Touch("Caf\xE8.bmp", picture);
  EXPECT_EQ(Scan(), (Rows{{u"Caf\u00E9", {}}, {u"Caf\xDCE8", shown}, {u"Caf\xDCE9", {}}}));

  const std::pair<GeoPoint, std::string> searches[] = {{{8500000, 48500000}, "Caf\xE8.asc"},
                                                       {{8250000, 48250000}, "Caf\xE9.asc"},
                                                       {{8750000, 48750000}, "Caf\xC3\xA9.asc"}};
  for (const auto& [position, file] : searches) {
    NearestPoiMatch match;
    ASSERT_TRUE(FindNearestPoi(RealFileSystem(), table_, position, match));
    EXPECT_EQ(match.position, position);
    EXPECT_EQ(Utf16ToUtf8(PoiFilePath(table_.rows[static_cast<std::size_t>(match.fileIndex)])),
              (folder_.Path() / "pois" / file).string());
    ASSERT_EQ(DeleteNearestPoi(RealFileSystem(), table_, match), DeleteResult::Deleted);
    EXPECT_EQ(test::ReadBytes(folder_.Path() / "pois" / file), "");
  }
  EXPECT_EQ(Scan().size(), 3u);
}

TEST_F(CategoryCatalogueTest, MoreFilesThanRowsKeepTheFirstByName) {
  // Made in descending order, so a folder listing them as made would keep the wrong ones.
  for (int i = 1404; i >= 1000; --i) Touch("c" + std::to_string(i) + ".asc");
  const Rows rows = Scan();
  ASSERT_EQ(rows.size(), 400u);
  EXPECT_EQ(rows.front().first, u"c1000");
  EXPECT_EQ(rows.back().first, u"c1399");
}

}  // namespace
}  // namespace poirec
