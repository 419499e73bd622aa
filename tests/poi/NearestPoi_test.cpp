// The POI lines and the search and deletion of the nearest over the category files.
#include "poi/NearestPoi.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <tuple>
#include <vector>

#include "platform/PosixFileSystem.h"
#include "platform/TextEncoding.h"
#include "poi/PoiLine.h"
#include "support/CategoryFolder.h"

namespace poirec {
namespace {

namespace fs = std::filesystem;

// Lines are given as a file's bytes and read through the code page, as the searches do.
TEST(ParsePoiLine, ReadsTheFieldsAsTheyStand) {
  const std::tuple<std::string, std::int32_t, std::int32_t, std::string> accepted[] = {
      // 8.123456 * 1000000 lies just below 8123456 in doubles and is truncated.
      {"\n8.1234560, 47.1234600, \"Quillon RECORD (05.12.26 14:03:59)\"", 8123455, 47123460,
       "\"Quillon RECORD (05.12.26 14:03:59)\""},
      {"8.1, 47.2\n", 8100000, 47200000, ""},
      {"8.1, 47.2, \"Cafe, Bar\"\n", 8100000, 47200000, "\"Cafe"},
      {"  -0.1275, -51.5\n", -127500, -51500000, ""},
      // Fields are read as written, whole degrees too, and cut to eleven characters; a
      // field without a number gives 0, one beyond the 32-bit millionths saturates.
      {"7, 11.123456789012,x", 7000000, 11123456, "x"},
      {"-8,47 , 1e2", -8000000, 47000000, "1e2"},
      {"1e2, 5e3", 100000000, 2147483647, ""},
      {"abc, , name", 0, 0, "name"},
      // The name is cut to 128 characters before it is trimmed.
      {"1.0, 2.0, " + std::string(127, 'n') + "X", 1000000, 2000000, std::string(127, 'n')},
  };
  for (const auto& [line, longitude, latitude, name] : accepted) {
    const auto poi = ParsePoiLine(DecodeCodePage(line));
    ASSERT_TRUE(poi) << line;
    EXPECT_EQ(std::tuple(poi->position.lon, poi->position.lat, poi->name),
              std::tuple(longitude, latitude, DecodeCodePage(name)))
        << line;
  }
  for (const char* line : {"   ;8.1, 47.2, \"comment, with commas\"\n", ",8.1, 47.2\n", " \t,8.1\n",
                           "x\n", "\n", "", "8.1 47.2 no comma\n"}) {
    EXPECT_FALSE(ParsePoiLine(DecodeCodePage(line))) << '"' << line << '"';
  }
}

class NearestPoiTest : public ::testing::Test {
 protected:
  test::CategoryFolder pois;
  CategoryTable& table = pois.table;
  NearestPoiMatch match;
};

TEST_F(NearestPoiTest, WithoutAPoiAtTheMatchNothingIsRewritten) {
  pois.Add("Comments", ";1, 2, \"x\"\n\n");
  match = {1, 1000000, 2000000, u"\"old\"", true};
  EXPECT_FALSE(FindNearestPoi(RealFileSystem(), table, {0, 0}, match));
  EXPECT_EQ(
      std::tuple(match.fileIndex, match.position.lon, match.position.lat, match.name, match.found),
      std::tuple(1, 1000000, 2000000, u"\"old\"", false));
  // Not after a search that found nothing, though row 1 holds a POI at the position.
  pois.Add("First", "\n1.0, 2.0, \"a\"");
  EXPECT_EQ(DeleteNearestPoi(RealFileSystem(), table, match), DeleteResult::NoMatch);
  match = {-1, 1000000, 2000000, u"", true};  // no row of the table
  EXPECT_EQ(DeleteNearestPoi(RealFileSystem(), table, match), DeleteResult::NoMatch);
  match.fileIndex = 0;  // the file does not hold the position (any more)
  EXPECT_EQ(DeleteNearestPoi(RealFileSystem(), table, match), DeleteResult::NotPresent);
  fs::remove(pois.Pois("First.asc"));
  match.fileIndex = 1;
  EXPECT_EQ(DeleteNearestPoi(RealFileSystem(), table, match), DeleteResult::NotOpened);
  EXPECT_EQ(pois.Read("Comments.asc"), ";1, 2, \"x\"\n\n");
  EXPECT_FALSE(fs::exists(pois.Pois("Comments.asc2")) || fs::exists(pois.Pois("First.asc2")));
}

TEST_F(NearestPoiTest, RemovesEveryLineAtTheMatchAndKeepsTheOthersAsRead) {
  // The order among files and ties is NearestSearch's; here what is read of a line.
  // The line reader hands out long lines in pieces of 1999 bytes, and a later piece can
  // read as a POI of its own: the search finds it and the deletion removes its whole
  // line, even one that reached the new file before that piece came.
  std::string hidden =
      "2.0, 2.0, \"" + std::string(1988, 'h') + "8.1234560, 47.1234600,  \"Caf\x80 \" , x,";
  hidden.resize(3 * 1999, 't');  // and a third piece
  std::string huge = "1.0, 1.0, \"" + std::string(39 * 1999 + 1988, 'h') + "8.1234560, 47.1234600";
  const std::string longName = "\n1.0, 1.0, \"" + std::string(2500, 'n') + "\"";
  pois.Add("Missing", std::nullopt);
  // What is no POI line lies nearer, and the saturated "7e3" is not near through a
  // wrapped sum.
  pois.Add("Cafe", "; 8.1234560, 47.1234560, \"a comment\"\r\n8.1234560 47.1234560 no comma\r\n" +
                       hidden +
                       "\n7e3, 0, \"far\""
                       "\n8.1234560, 47.1234600, \"P1\""
                       "\n8.1234560, 47.2000000, \"P2\", rated 5, open late\n   \t"
                       "\n8.1234560, 47.1234600, \"P3\""
                       "\r\n8.12345600000,+47.12346, \"P1 again, by another program\""
                       "\nnot a poi line" +
                       longName + "\n" + huge + "\n9.0,10.0,\"x\"\n\n");
  ASSERT_TRUE(FindNearestPoi(RealFileSystem(), table, {8123456, 47123456}, match));
  // 8.1234560 reads one millionth low; the name goes through the code page, trimmed, its
  // quotes kept.
  EXPECT_EQ(
      std::tuple(match.fileIndex, match.position.lon, match.position.lat, match.name, match.found),
      std::tuple(1, 8123455, 47123460, u"\"Caf\u20AC \"", true));
  EXPECT_EQ(DeleteNearestPoi(RealFileSystem(), table, match), DeleteResult::Deleted);
  EXPECT_EQ(pois.Read("Cafe.asc"),
            "\n; 8.1234560, 47.1234560, \"a comment\"\n8.1234560 47.1234560 no comma\n7e3, 0, "
            "\"far\"\n8.1234560, 47.2000000, \"P2\", rated 5, open late"
            "\nnot a poi line" +
                longName + "\n9.0,10.0,\"x\"");
}

}  // namespace
}  // namespace poirec
