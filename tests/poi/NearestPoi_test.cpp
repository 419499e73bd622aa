#include "poi/NearestPoi.h"

#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <string>

#include "poi/CategoryRecord.h"
#include "support/FileSizeLimit.h"
#include "support/TempFolder.h"

namespace poirec {
namespace {

namespace fs = std::filesystem;
using test::ReadBytes;
using test::TempFolder;

class NearestPoiTest : public ::testing::Test {
 protected:
  // Rows in table order; each row's file is "pois/<name>.asc".
  void AddRows(std::initializer_list<const char*> names) {
    for (const char* name : names) {
      CategoryEntry& row = table.rows[static_cast<std::size_t>(table.count++)];
      row.name = std::u16string(name, name + std::char_traits<char>::length(name));
      row.bitmapPath = folder.File(std::string("pois/") + name + ".bmp");
    }
  }
  fs::path PoiFile(const char* name) const { return folder.Path() / "pois" / (std::string(name) + ".asc"); }
  fs::path TemporaryFile(const char* name) const { return folder.Path() / "pois" / (std::string(name) + ".asc2"); }
  void WritePois(const char* name, std::string_view bytes) {
    folder.Write(std::string("pois/") + name + ".asc", bytes);
  }

  TempFolder folder;
  CategoryTable table;
  NearestPoiMatch match;
};

// ----- The search -------------------------------------------------------------------

TEST_F(NearestPoiTest, TiesGoToTheEarlierRowAndTheEarlierLine) {
  AddRows({"A", "B"});
  // Both at distance 44 + 56 = 100 from (8123456, 47123456).
  WritePois("A", "\n8.1235000, 47.1234000, \"in A\"\n8.1234000, 47.1235000, \"later in A\"");
  WritePois("B", "\n8.1234000, 47.1235000, \"in B\"");
  ASSERT_TRUE(FindNearestPoi(table, 8123456, 47123456, match));
  EXPECT_EQ(match.fileIndex, 0);
  EXPECT_EQ(match.longitude, 8123500);
  EXPECT_EQ(match.latitude, 47123400);
  EXPECT_EQ(match.name, u"\"in A\"");
  EXPECT_TRUE(match.found);

  // A nearer line in the second file wins.
  WritePois("B", "\n8.1234000, 47.1235000, \"in B\"\n8.12346, 47.12345, \"nearer\"");
  ASSERT_TRUE(FindNearestPoi(table, 8123456, 47123456, match));
  EXPECT_EQ(match.fileIndex, 1);
  EXPECT_EQ(match.name, u"\"nearer\"");
}

TEST_F(NearestPoiTest, SearchSkipsWhatIsNoPoiAndFilesThatCannotBeOpened) {
  AddRows({"Missing", "Cafe"});
  WritePois("Cafe",
            "; 8.1234560, 47.1234560, \"a comment\"\r\n"
            "8.1234560 47.1234560 no comma\r\n"
            "\r\n"
            "  9.5, 48.5 , \"Caf\x80 \" , extra\r\n");
  ASSERT_TRUE(FindNearestPoi(table, 8123456, 47123456, match));
  EXPECT_EQ(match.fileIndex, 1);
  EXPECT_EQ(match.longitude, 9500000);
  EXPECT_EQ(match.latitude, 48500000);
  EXPECT_EQ(match.name, u"\"Caf\u20AC \"");  // through the code page, trimmed, quotes kept
}

TEST_F(NearestPoiTest, DistancesDoNotOverflow) {
  AddRows({"Far"});
  // "7" reads as 700000000 degrees: the longitude saturates at the largest 32-bit value,
  // and its difference to -100 degrees does not fit 32 bits. Wrapped, it would win.
  WritePois("Far", "\n7, 0, \"broken\"\n10.0, 0.0, \"real\"\n");
  ASSERT_TRUE(FindNearestPoi(table, -100000000, 0, match));
  EXPECT_EQ(match.name, u"\"real\"");
  // However far away, a POI is found.
  WritePois("Far", "\n-180.0, -90.0, \"antipode\"");
  ASSERT_TRUE(FindNearestPoi(table, 180000000, 90000000, match));
  EXPECT_EQ(match.name, u"\"antipode\"");
}

TEST_F(NearestPoiTest, SearchWithoutPoiLeavesTheMatchAsItWas) {
  AddRows({"Empty", "Comments"});
  WritePois("Empty", "");
  WritePois("Comments", ";1, 2, \"x\"\n\n");
  match = {3, 11, 22, u"\"old\"", true};
  EXPECT_FALSE(FindNearestPoi(table, 0, 0, match));
  EXPECT_EQ(match.fileIndex, 3);
  EXPECT_EQ(match.longitude, 11);
  EXPECT_EQ(match.latitude, 22);
  EXPECT_EQ(match.name, u"\"old\"");
  EXPECT_FALSE(match.found);
  EXPECT_EQ(DeleteNearestPoi(table, match), DeleteResult::NoMatch);
}

// ----- The deletion -----------------------------------------------------------------

TEST_F(NearestPoiTest, DeletionRemovesEveryLineAtTheMatchAndKeepsTheRestAsRead) {
  AddRows({"Cafe"});
  WritePois("Cafe",
            "; my cafes, kept since 2004\r\n"
            "\n8.1234560, 47.1234600, \"P1\""
            "\n8.1234560, 47.2000000, \"P2\", rated 5, open late"
            "\n   \t"
            "\n8.1234560, 47.1234600, \"P3\""
            "\r\n8.12345600000,+47.12346, \"P1 again, written by another program\""
            "\nnot a poi line"
            "\n9.0,10.0,\"no blanks\"\n\n");
  ASSERT_TRUE(FindNearestPoi(table, 8123456, 47123456, match));
  ASSERT_EQ(match.longitude, 8123455);  // 8.1234560 reads one millionth low
  ASSERT_EQ(match.latitude, 47123460);
  const fs::file_time_type before = fs::last_write_time(PoiFile("Cafe"));

  EXPECT_EQ(DeleteNearestPoi(table, match), DeleteResult::Deleted);
  EXPECT_EQ(ReadBytes(PoiFile("Cafe")),
            "\n; my cafes, kept since 2004"
            "\n8.1234560, 47.2000000, \"P2\", rated 5, open late"
            "\nnot a poi line"
            "\n9.0,10.0,\"no blanks\"");
  EXPECT_FALSE(fs::exists(TemporaryFile("Cafe")));
  EXPECT_GE(fs::last_write_time(PoiFile("Cafe")), before);
  EXPECT_EQ(match.name, u"\"P1\"");  // a deletion leaves the match as it was
}

TEST_F(NearestPoiTest, FileWhoseOnlyPoiIsTheMatchBecomesEmpty) {
  AddRows({"Fuel"});
  WritePois("Fuel", "\n8.1234560, 47.1234600, \"Quillon RECORD (05.12.26 14:03:59)\"");
  ASSERT_TRUE(FindNearestPoi(table, 0, 0, match));
  EXPECT_EQ(DeleteNearestPoi(table, match), DeleteResult::Deleted);
  ASSERT_TRUE(fs::exists(PoiFile("Fuel")));
  EXPECT_EQ(fs::file_size(PoiFile("Fuel")), 0u);
  // Deleting again finds nothing at the match and leaves the file alone.
  EXPECT_EQ(DeleteNearestPoi(table, match), DeleteResult::NotPresent);
  EXPECT_FALSE(fs::exists(TemporaryFile("Fuel")));
}

TEST_F(NearestPoiTest, DeletionTouchesNothingWithoutAFoundPoi) {
  AddRows({"First"});
  const std::string contents = "\n1.0, 2.0, \"a\"\n\n;comment";
  WritePois("First", contents);
  match = NearestPoiMatch{};  // as at program start: row 0, position 0, nothing found
  EXPECT_EQ(DeleteNearestPoi(table, match), DeleteResult::NoMatch);
  match = {5, 1000000, 2000000, u"", true};  // a row the table does not have
  EXPECT_EQ(DeleteNearestPoi(table, match), DeleteResult::NoMatch);
  match = {0, 1000000, 2000000, u"", true};
  fs::remove(PoiFile("First"));
  EXPECT_EQ(DeleteNearestPoi(table, match), DeleteResult::NotOpened);
  EXPECT_FALSE(fs::exists(TemporaryFile("First")));
  WritePois("First", contents);
  match.latitude = 2000001;  // the file changed since the search
  EXPECT_EQ(DeleteNearestPoi(table, match), DeleteResult::NotPresent);
  EXPECT_EQ(ReadBytes(PoiFile("First")), contents);
  EXPECT_FALSE(fs::exists(TemporaryFile("First")));
}

TEST_F(NearestPoiTest, LongLinesAreJudgedByTheirPiecesAndWrittenWhole) {
  AddRows({"Long"});
  // The line reader hands out 1999 bytes at a time, so the second piece of this long
  // line reads as a POI of its own.
  const std::string longName = "\n1.0, 1.0, \"" + std::string(2500, 'n') + "\"";
  std::string hidesAPoi = "2.0, 2.0, \"";
  hidesAPoi.resize(1999, 'h');
  hidesAPoi += "5.0, 5.0, \"tail\"";
  WritePois("Long", longName + "\n" + hidesAPoi + "\n3.0, 3.0, \"last\"");

  ASSERT_TRUE(FindNearestPoi(table, 5000000, 5000000, match));
  EXPECT_EQ(match.name, u"\"tail\"");
  EXPECT_EQ(DeleteNearestPoi(table, match), DeleteResult::Deleted);
  EXPECT_EQ(ReadBytes(PoiFile("Long")), longName + "\n3.0, 3.0, \"last\"");
}

TEST_F(NearestPoiTest, LineTakenBackAfterItsStartReachedTheFile) {
  AddRows({"Huge"});
  // More than the rewrite keeps in memory before writing, ending in a piece at the match.
  std::string huge = "1.0, 1.0, \"";
  huge.resize(40 * 1999, 'h');
  huge += "5.0, 5.0, \"deep\"";
  const std::string kept = "\n4.0, 4.0, \"a\"\n" + std::string(70000, 'k');
  WritePois("Huge", kept + "\n" + huge + "\n\n6.0, 6.0, \"z\"\n");
  ASSERT_TRUE(FindNearestPoi(table, 5000000, 5000000, match));
  ASSERT_EQ(match.name, u"\"deep\"");
  EXPECT_EQ(DeleteNearestPoi(table, match), DeleteResult::Deleted);
  EXPECT_EQ(ReadBytes(PoiFile("Huge")), kept + "\n6.0, 6.0, \"z\"");
}

TEST_F(NearestPoiTest, ReplacesTheFileUnderItsOwnLetterCase) {
  AddRows({"Cafe"});
  folder.Write("pois/CAFE.ASC", "\n1.0, 1.0, \"a\"\n2.0, 2.0, \"b\"");
  ASSERT_TRUE(FindNearestPoi(table, 1000000, 1000000, match));
  EXPECT_EQ(DeleteNearestPoi(table, match), DeleteResult::Deleted);
  EXPECT_EQ(ReadBytes(folder.Path() / "pois/CAFE.ASC"), "\n2.0, 2.0, \"b\"");
  EXPECT_FALSE(fs::exists(PoiFile("Cafe")));
  EXPECT_FALSE(fs::exists(TemporaryFile("Cafe")));
}

// ----- Failures leave the category file as it was -----------------------------------

constexpr const char* kCafes = "\n1.0, 1.0, \"a\"\r\n;note\n2.0, 2.0, \"b\"";

TEST_F(NearestPoiTest, FailedTemporaryWriteLeavesTheOriginalAndNoTemporaryFile) {
  AddRows({"Cafe"});
  WritePois("Cafe", kCafes);
  ASSERT_TRUE(FindNearestPoi(table, 1000000, 1000000, match));
  // Every write to the temporary file fails as on a full disk.
  fs::create_symlink("/dev/full", TemporaryFile("Cafe"));
  EXPECT_EQ(DeleteNearestPoi(table, match), DeleteResult::NotWritten);
  EXPECT_EQ(ReadBytes(PoiFile("Cafe")), kCafes);
  EXPECT_FALSE(fs::exists(fs::symlink_status(TemporaryFile("Cafe"))));
  EXPECT_TRUE(fs::exists("/dev/full"));
}

TEST_F(NearestPoiTest, DiskFullHalfwayLeavesTheOriginalAndNoTemporaryFile) {
  AddRows({"Big"});
  std::string big;
  for (int i = 0; big.size() < 300000; ++i) big += "\n" + std::to_string(i % 90) + ".5, 1.5, \"p\"";
  big += "\n1.0, 1.0, \"match\"";
  WritePois("Big", big);
  ASSERT_TRUE(FindNearestPoi(table, 1000000, 1000000, match));
  {
    const test::FileSizeLimit limit(100000);  // the temporary file fills the disk at 100 KB
    EXPECT_EQ(DeleteNearestPoi(table, match), DeleteResult::NotWritten);
  }
  EXPECT_EQ(ReadBytes(PoiFile("Big")), big);
  EXPECT_FALSE(fs::exists(TemporaryFile("Big")));
}

TEST_F(NearestPoiTest, TemporaryFileThatCannotBeCreatedLeavesTheOriginal) {
  AddRows({"Cafe"});
  WritePois("Cafe", kCafes);
  ASSERT_TRUE(FindNearestPoi(table, 1000000, 1000000, match));
  fs::create_directory(TemporaryFile("Cafe"));  // not ours to remove
  EXPECT_EQ(DeleteNearestPoi(table, match), DeleteResult::NotWritten);
  EXPECT_EQ(ReadBytes(PoiFile("Cafe")), kCafes);
  EXPECT_TRUE(fs::is_directory(TemporaryFile("Cafe")));
}

// Runs the operation as a user who may not write the folder. Root may write anywhere,
// so as root it runs in a child process that gives up root first.
template <typename Operation>
int AsUserWithoutRights(Operation operation) {
  if (::geteuid() != 0) return operation();
  const pid_t child = ::fork();
  if (child == 0) {
    if (::setgid(65534) != 0 || ::setuid(65534) != 0) ::_exit(255);
    ::_exit(operation());
  }
  int status = 0;
  ::waitpid(child, &status, 0);
  return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

TEST_F(NearestPoiTest, CategoryFolderThatCannotBeWritten) {
  AddRows({"Cafe"});
  WritePois("Cafe", kCafes);
  ASSERT_TRUE(FindNearestPoi(table, 1000000, 1000000, match));
  const fs::path pois = folder.Path() / "pois";
  fs::permissions(folder.Path(), fs::perms::owner_all | fs::perms::group_exec |
                                     fs::perms::others_exec | fs::perms::others_read);
  fs::permissions(pois, fs::perms::owner_read | fs::perms::owner_exec | fs::perms::group_read |
                            fs::perms::group_exec | fs::perms::others_read |
                            fs::perms::others_exec);

  const int deleted = AsUserWithoutRights([&] { return static_cast<int>(DeleteNearestPoi(table, match)); });
  const int appended = AsUserWithoutRights([&] {
    return static_cast<int>(AppendCategoryRecord(PoiFilePath(table.rows[0]), 1, 2, u"x"));
  });
  fs::permissions(pois, fs::perms::owner_all, fs::perm_options::add);

  EXPECT_EQ(deleted, static_cast<int>(DeleteResult::NotWritten));
  EXPECT_EQ(appended, static_cast<int>(AppendResult::NotOpened));
  EXPECT_EQ(ReadBytes(PoiFile("Cafe")), kCafes);
  EXPECT_FALSE(fs::exists(TemporaryFile("Cafe")));
}

}  // namespace
}  // namespace poirec
