#include "poi/CategoryCatalogue.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <span>
#include <string>
#include <vector>

#include "platform/Path.h"
#include "platform/PosixFileSystem.h"
#include "platform/TextEncoding.h"
#include "poi/NearestPoi.h"
#include "support/TempFolder.h"

namespace poirec {
namespace {

using Rows = std::vector<std::u16string>;  // each row's name

class CategoryCatalogueTest : public ::testing::Test {
 protected:
  void Touch(const std::string& name, std::string_view bytes = "") {
    folder_.Write("pois/" + name, bytes);
  }
  Rows Scan() {
    ScanCategories(RealFileSystem(), table_, folder_.Folder());
    SortCategories(table_);
    Rows rows;
    for (const CategoryEntry& row :
         std::span(table_.rows).first(static_cast<std::size_t>(table_.count))) {
      rows.emplace_back(row.name);
    }
    return rows;
  }

  test::TempFolder folder_;
  CategoryTable table_;
};

TEST_F(CategoryCatalogueTest, EveryAscFileButTheReservedOnesIsACategorySortedByCode) {
  for (const char* name : {"good", "Zoo", "10er", "\xC3\x84rger", "Blitzer"}) {
    Touch(name + std::string(".asc"));
  }
  for (const char* other : {"Recorded.asc", "QUILLON.asc", "recorded.asc2", "notes.txt"})
    Touch(other);
  folder_.MakeFolder("pois/Folder.asc");
  Scan();
  EXPECT_EQ(Scan(), (Rows{u"10er", u"Blitzer", u"Zoo", u"good", u"\u00C4rger"}));  // afresh
  // Its picture lies beside it, drawn, as pixels, or as a bitmap, in this order.
  const std::u16string pois = folder_.Folder() + u"pois/";
  EXPECT_EQ(
      PictureFiles(table_.rows[2]),
      (std::array<std::u16string, 3>{pois + u"Zoo.svg", pois + u"Zoo.png", pois + u"Zoo.bmp"}));
}

TEST_F(CategoryCatalogueTest, NamesOnDiskInAnyLetterCase) {
  Touch("Blitzer.ASC", "\n8.0,48.0,\"Camera\"");
  Touch("Shop.asc");
  Touch("Shop.Asc");  // one category, as a folder that ignores case holds it
  Touch(".asc");      // a category whose name is empty
  EXPECT_EQ(Scan(), (Rows{u"", u"Blitzer", u"Shop"}));
  EXPECT_EQ(PoiFilePath(table_.rows[0]), folder_.Folder() + u"pois/.asc");
  EXPECT_EQ(PoiFilePath(table_.rows[1]), folder_.Folder() + u"pois/Blitzer.asc");
  EXPECT_EQ(test::ReadBytes(ResolvePath(RealFileSystem(), PoiFilePath(table_.rows[1]))),
            "\n8.0,48.0,\"Camera\"");

  std::filesystem::remove_all(folder_.Path() / "pois");
  EXPECT_EQ(Scan(), Rows{});
}

// Names copied from older systems may hold Windows-1252 bytes. Files whose names differ
// only there are categories of their own, each searched, and a deletion rewrites the
// file the POI was found in.
TEST_F(CategoryCatalogueTest, NamesThatAreNotUtf8StayApart) {
  Touch("Caf\xE9.asc", "\n8.250000,48.250000,\"e acute\"");
  Touch("Caf\xE8.asc", "\n8.500000,48.500000,\"e grave\"");
  Touch("Caf\xC3\xA9.asc", "\n8.750000,48.750000,\"in UTF-8\"");
  EXPECT_EQ(Scan(), (Rows{u"Caf\u00E9", u"Caf\xDCE8", u"Caf\xDCE9"}));

  const std::pair<GeoPoint, std::string> searches[] = {{{8500000, 48500000}, "Caf\xE8.asc"},
                                                       {{8250000, 48250000}, "Caf\xE9.asc"},
                                                       {{8750000, 48750000}, "Caf\xC3\xA9.asc"}};
  for (const auto& [position, file] : searches) {
    NearestPoiMatch match;
    ASSERT_TRUE(FindNearestPoi(RealFileSystem(), table_, position, match));
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
  EXPECT_EQ(rows.front(), u"c1000");
  EXPECT_EQ(rows.back(), u"c1399");
}

}  // namespace
}  // namespace poirec
