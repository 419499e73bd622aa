#include "poi/NearestPoi.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <optional>
#include <string>
#include <tuple>

#include "poi/CategoryRecord.h"
#include "support/TempFolder.h"

namespace poirec {
namespace {

namespace fs = std::filesystem;

class NearestPoiTest : public ::testing::Test {
 protected:
  // Adds the next table row, whose file is "pois/<name>.asc", and writes that file.
  void AddCategory(const std::string& name, std::optional<std::string_view> bytes) {
    const auto row = static_cast<std::size_t>(table.count++);
    table.rows[row].bitmapPath = folder.File("pois/" + name + ".bmp");
    if (bytes) folder.Write("pois/" + name + ".asc", *bytes);
  }
  fs::path Pois(const std::string& file) const { return folder.Path() / "pois" / file; }

  test::TempFolder folder;
  CategoryTable table;
  NearestPoiMatch match;
};

TEST_F(NearestPoiTest, FindsTheFirstNearestPoiOverAllFiles) {
  AddCategory("Missing", std::nullopt);
  // The two POIs in A and the one in B lie 44 + 56 = 100 from the position; what is no
  // POI line lies nearer.
  AddCategory("A", "; 8.1234560, 47.1234560, \"a comment\"\r\n8.1234560 47.1234560 no comma\r\n"
                   "\r\n  8.1235, 47.1234 , \"Caf\x80 \" , x\r\n8.1234000, 47.1235000, \"later\"");
  AddCategory("B", "\n8.1234000, 47.1235000, \"in B\"");
  ASSERT_TRUE(FindNearestPoi(table, 8123456, 47123456, match));
  // The name through the code page, trimmed, its quotes kept.
  EXPECT_EQ(std::tuple(match.fileIndex, match.longitude, match.latitude, match.name, match.found),
            std::tuple(1, 8123500, 47123400, u"\"Caf\u20AC \"", true));
  // A nearer line in a later file wins, but not the saturated "7" through a wrapped sum.
  folder.Write("pois/B.asc", "\n7, 0, \"far\"\n8.12346, 47.12345, \"nearer\"");
  ASSERT_TRUE(FindNearestPoi(table, 8123456, 47123456, match));
  EXPECT_EQ(std::tuple(match.fileIndex, match.name), std::tuple(2, u"\"nearer\""));
}

TEST_F(NearestPoiTest, WithoutAPoiAtTheMatchNothingIsRewritten) {
  AddCategory("Comments", ";1, 2, \"x\"\n\n");
  match = {1, 1000000, 2000000, u"\"old\"", true};
  EXPECT_FALSE(FindNearestPoi(table, 0, 0, match));
  EXPECT_EQ(std::tuple(match.fileIndex, match.longitude, match.latitude, match.name, match.found),
            std::tuple(1, 1000000, 2000000, u"\"old\"", false));
  // Not after a search that found nothing, though row 1 holds a POI at the position.
  AddCategory("First", "\n1.0, 2.0, \"a\"");
  EXPECT_EQ(DeleteNearestPoi(table, match), DeleteResult::NoMatch);
  match = {-1, 1000000, 2000000, u"", true};  // no row of the table
  EXPECT_EQ(DeleteNearestPoi(table, match), DeleteResult::NoMatch);
  match.fileIndex = 0;  // the file does not hold the position (any more)
  EXPECT_EQ(DeleteNearestPoi(table, match), DeleteResult::NotPresent);
  fs::remove(Pois("First.asc"));
  match.fileIndex = 1;
  EXPECT_EQ(DeleteNearestPoi(table, match), DeleteResult::NotOpened);
  EXPECT_EQ(test::ReadBytes(Pois("Comments.asc")), ";1, 2, \"x\"\n\n");
  EXPECT_FALSE(fs::exists(Pois("Comments.asc2")) || fs::exists(Pois("First.asc2")));
}

TEST_F(NearestPoiTest, RemovesEveryLineAtTheMatchAndKeepsTheOthersAsRead) {
  // The line reader hands out long lines in pieces of 1999 bytes, and a later piece can
  // read as a POI of its own: the search finds it and the deletion removes its whole
  // line, even one that reached the new file before that piece came.
  std::string hidden = "2.0, 2.0, \"" + std::string(1988, 'h') + "8.1234560, 47.1234600, \"tail\",";
  hidden.resize(3 * 1999, 't');  // and a third piece
  std::string huge = "1.0, 1.0, \"" + std::string(39 * 1999 + 1988, 'h') + "8.1234560, 47.1234600";
  const std::string longName = "\n1.0, 1.0, \"" + std::string(2500, 'n') + "\"";
  AddCategory("Cafe", "; my cafes, kept since 2004\r\n" + hidden +
                          "\n8.1234560, 47.1234600, \"P1\""
                          "\n8.1234560, 47.2000000, \"P2\", rated 5, open late\n   \t"
                          "\n8.1234560, 47.1234600, \"P3\""
                          "\r\n8.12345600000,+47.12346, \"P1 again, by another program\""
                          "\nnot a poi line" + longName + "\n" + huge + "\n9.0,10.0,\"x\"\n\n");
  ASSERT_TRUE(FindNearestPoi(table, 8123456, 47123456, match));
  EXPECT_EQ(std::tuple(match.longitude, match.latitude, match.name),
            std::tuple(8123455, 47123460, u"\"tail\""));  // 8.1234560 reads one millionth low
  EXPECT_EQ(DeleteNearestPoi(table, match), DeleteResult::Deleted);
  EXPECT_EQ(test::ReadBytes(Pois("Cafe.asc")),
            "\n; my cafes, kept since 2004\n8.1234560, 47.2000000, \"P2\", rated 5, open late"
            "\nnot a poi line" + longName + "\n9.0,10.0,\"x\"");
}

TEST_F(NearestPoiTest, FileWhoseOnlyPoiIsTheMatchBecomesEmptyUnderItsOwnName) {
  AddCategory("Fuel", std::nullopt);
  folder.Write("pois/FUEL.ASC", "\n8.1234560, 47.1234600, \"Quillon RECORD (05.12.26 14:03:59)\"");
  ASSERT_TRUE(FindNearestPoi(table, 0, 0, match));
  EXPECT_EQ(DeleteNearestPoi(table, match), DeleteResult::Deleted);
  EXPECT_TRUE(fs::exists(Pois("FUEL.ASC")) && fs::file_size(Pois("FUEL.ASC")) == 0);
  EXPECT_FALSE(fs::exists(Pois("Fuel.asc")) || fs::exists(Pois("Fuel.asc2")));
}

TEST_F(NearestPoiTest, FailedRewriteLeavesTheOriginalAndNoTemporaryFile) {
  const std::string_view cafes = "\n1.0, 1.0, \"a\"\r\n;note\n2.0, 2.0, \"b\"";
  AddCategory("Cafe", cafes);
  ASSERT_TRUE(FindNearestPoi(table, 1000000, 1000000, match));
  fs::create_symlink("/dev/full", Pois("Cafe.asc2"));  // every write fails as on a full disk
  EXPECT_EQ(DeleteNearestPoi(table, match), DeleteResult::NotWritten);
  EXPECT_FALSE(fs::exists(fs::symlink_status(Pois("Cafe.asc2"))));
  // A category folder that cannot be written takes neither a new file nor a record.
  fs::permissions(folder.Path(), fs::perms(0755));
  fs::permissions(Pois(""), fs::perms(0555));
  const bool root = ::geteuid() == 0;  // root may write anywhere: act as another user
  ASSERT_TRUE(!root || ::seteuid(65534) == 0);
  EXPECT_EQ(DeleteNearestPoi(table, match), DeleteResult::NotWritten);
  EXPECT_EQ(AppendCategoryRecord(PoiFilePath(table.rows[0]), 1, 2, u"x"), AppendResult::NotOpened);
  ASSERT_TRUE(!root || ::seteuid(0) == 0);
  fs::create_directory(Pois("Cafe.asc2"));  // cannot be made, and is not ours to remove
  EXPECT_EQ(DeleteNearestPoi(table, match), DeleteResult::NotWritten);
  EXPECT_TRUE(fs::is_directory(Pois("Cafe.asc2")));
  EXPECT_EQ(test::ReadBytes(Pois("Cafe.asc")), cafes);
}

}  // namespace
}  // namespace poirec
