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
#include "support/CategoryFolder.h"

namespace poirec {
namespace {

using Rows = std::vector<std::u16string>;  // each row's name

class CategoryCatalogueTest : public ::testing::Test {
 protected:
  void Touch(const std::string& name, std::string_view bytes = "") { pois.Write(name, bytes); }
  Rows Scan() {
    ScanCategories(RealFileSystem(), table_, pois.folder.Folder());
    SortCategories(table_);
    Rows rows;
    for (const CategoryEntry& row :
         std::span(table_.rows).first(static_cast<std::size_t>(table_.count))) {
      rows.emplace_back(row.name);
    }
    return rows;
  }

  test::CategoryFolder pois;
  CategoryTable& table_ = pois.table;
};

TEST_F(CategoryCatalogueTest, EveryAscFileButTheReservedOnesIsACategorySortedByCode) {
  for (const char* name : {"good", "Zoo", "10er", "\xC3\x84rger", "Blitzer"}) {
    Touch(name + std::string(".asc"));
  }
  for (const char* other : {"Recorded.asc", "QUILLON.asc", "recorded.asc2", "notes.asc.txt", "asc"})
    Touch(other);
  pois.folder.MakeFolder("pois/Folder.asc");
  Scan();
  EXPECT_EQ(Scan(), (Rows{u"10er", u"Blitzer", u"Zoo", u"good", u"\u00C4rger"}));  // afresh
  // Its picture lies beside it, drawn, as pixels, or as a bitmap, in this order.
  const std::u16string zoo = pois.folder.File("pois/Zoo");
  EXPECT_EQ(PictureFiles(table_.rows[2]),
            (std::array<std::u16string, 3>{zoo + u".svg", zoo + u".png", zoo + u".bmp"}));
}

TEST_F(CategoryCatalogueTest, NamesOnDiskInAnyLetterCase) {
  Touch("Blitzer.ASC");
  Touch("Shop.asc");
  Touch("Shop.Asc");  // one category, as a folder that ignores case holds it
  Touch(".asc");      // a category whose name is empty
  EXPECT_EQ(Scan(), (Rows{u"", u"Blitzer", u"Shop"}));
  EXPECT_EQ(PoiFilePath(table_.rows[0]), pois.folder.File("pois/.asc"));
  EXPECT_EQ(PoiFilePath(table_.rows[1]), pois.folder.File("pois/Blitzer.asc"));

  std::filesystem::remove_all(pois.folder.Path() / "pois");
  EXPECT_EQ(Scan(), Rows{});
}

// Names copied from older systems may hold Windows-1252 bytes. Files whose names differ
// only there are categories of their own, each searched, and a deletion rewrites the
// file the POI was found in, under its own name: an emptied file stays.
TEST_F(CategoryCatalogueTest, NamesThatAreNotUtf8StayApart) {
  Touch("Caf\xE9.ASC", "\n8.250000,48.250000,\"e acute\"");
  Touch("Caf\xE8.asc", "\n8.500000,48.500000,\"e grave\"");
  Touch("Caf\xC3\xA9.asc", "\n8.750000,48.750000,\"in UTF-8\"");
  EXPECT_EQ(Scan(), (Rows{u"Caf\u00E9", u"Caf\xDCE8", u"Caf\xDCE9"}));

  const std::pair<GeoPoint, std::string> searches[] = {{{8500000, 48500000}, "Caf\xE8.asc"},
                                                       {{8250000, 48250000}, "Caf\xE9.ASC"},
                                                       {{8750000, 48750000}, "Caf\xC3\xA9.asc"}};
  for (const auto& [position, file] : searches) {
    NearestPoiMatch match;
    ASSERT_TRUE(FindNearestPoi(RealFileSystem(), table_, position, match));
    ASSERT_EQ(DeleteNearestPoi(RealFileSystem(), table_, match), DeleteResult::Deleted);
    EXPECT_EQ(pois.Read(file), "") << file;
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
