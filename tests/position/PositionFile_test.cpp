// The position file, and the lines of text it is read in.
#include "position/PositionFile.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <limits>
#include <string>
#include <tuple>
#include <vector>

#include "platform/PosixFileSystem.h"
#include "position/CoordinateText.h"
#include "position/TextLineReader.h"
#include "support/FaultyFileSystem.h"
#include "support/TempFolder.h"

namespace poirec {
namespace {

// Longitude, latitude, course, valid, and what ReadPositionFile said of the file.
using Read = std::tuple<std::int32_t, std::int32_t, std::int32_t, int, PositionFileStatus>;
constexpr auto kNo = PositionFileStatus::NoValidFix, kValid = PositionFileStatus::ValidFix;

// Reads a position file holding contents (none for nullptr) through files into a fix that
// held 7, 8, 9 and was valid, at 1000 s after the start "b00t" of the system.
Read ReadFile(const char* contents, FileSystem& files = RealFileSystem()) {
  test::TempFolder documents;
  if (contents != nullptr) documents.Write("QXPosition.txt", contents);
  PositionFix fix{.position = {7, 8}, .course = 9, .valid = 1};
  std::u16string folder = documents.Folder();
  folder.pop_back();  // the documents folder comes without its final "/"
  const auto now = [] { return BootMoment{"b00t", std::chrono::seconds(1000)}; };
  const PositionFileRead read = ReadPositionFile(files, fix, folder, now);
  EXPECT_EQ(read.path, folder + u"/QXPosition.txt");
  EXPECT_EQ(read.error, read.status == PositionFileStatus::Missing ? ENOENT : 0);
  return {fix.position.lon, fix.position.lat, fix.course, fix.valid, read.status};
}

TEST(ReadPositionFile, ReadsTheKeysMatchedExactlyAfterLeadingWhiteSpace) {
  constexpr auto kMax = std::numeric_limits<std::int32_t>::max(),
                 kMin = std::numeric_limits<std::int32_t>::min();
  const Read earlier{7, 8, 9, 0, kNo}, valid{7, 8, 9, 1, kValid};
  const std::pair<const char*, Read> cases[] = {
      {"Lat = 48.137154\r\nLon = 11.576124\r\nCourse = 245.7\r\nValid = 1\r\n",
       {11576124, 48137154, 245, 1, kValid}},
      {"Valid = 1\nSpeed = 12\n", valid},  // missing keys leave their fields
      {nullptr, {7, 8, 9, 0, PositionFileStatus::Missing}},
      {"", earlier},
      {"lat = 48.1", earlier},  // case differs
      {"Lat=48.1", earlier},    // no blank before "="
      {"Lat", earlier},         // shorter than its key
      {"Lat =48.1", {7, 48100000, 9, 0, kNo}},
      {"   Lat = 48.1", {7, 48100000, 9, 0, kNo}},
      {"\tLon = -0.5", {-500000, 8, 9, 0, kNo}},
      {"Course = 359.9", {7, 8, 359, 0, kNo}},
      // Millionths of a degree and whole degrees, truncated toward zero and saturated.
      {"Lon = -0.0000019", {-1, 8, 9, 0, kNo}},
      {"Lon = 2147.483647", {kMax, 8, 9, 0, kNo}},
      {"Lon = -2147.483648", {kMin, 8, 9, 0, kNo}},
      {"Lon = 1e999", {kMax, 8, 9, 0, kNo}},
      {"Course = -0.5", {7, 8, 0, 0, kNo}},
      {"Course = 2147483647.9", {7, 8, kMax, 0, kNo}},
      {"Course = -2147483648.9", {7, 8, kMin, 0, kNo}},
      // Only the value 1 makes a valid fix.
      {"Valid = 10\n", earlier},
      {"Valid = 1.0\n", earlier},
      {"Valid =1", valid},
      {"Valid = 1   \r\n", valid},
      {" Valid =\t1\t\n", valid},
      // Later keys win, but a later "Valid =" does not take validity back.
      {"Lat = 1.5\nValid = 1\nLat = 2.5\nValid = 0\n", {7, 2500000, 9, 1, kValid}},
      // A stamped fix is taken only while the stamp is of this start of the system and
      // younger than 6 s; a file without one is taken as it is.
      {"Valid = 1\nBoot id = b00t\nUptime = 994.001\n", valid},
      {" Uptime =  999\r\n Boot id = b00t \r\nValid = 1\r\n", valid},
      {"Valid = 1\nBoot id = b00t\nUptime = 994\n", {7, 8, 9, 0, PositionFileStatus::OldFix}},
      {"Valid = 1\nBoot id = b00u\nUptime = 999\n", {7, 8, 9, 0, PositionFileStatus::EarlierBoot}},
      {"Valid = 1\nBoot id = b00t\n", {7, 8, 9, 0, PositionFileStatus::BadStamp}},
      {"Valid = 1\nUptime = 999\n", {7, 8, 9, 0, PositionFileStatus::BadStamp}},
      {"Valid = 1\nBoot id = b00t\nUptime = 1e2\n", {7, 8, 9, 0, PositionFileStatus::BadStamp}},
      {"Valid = 1\nBoot id = b00t\nUptime = 1000.5\n", {7, 8, 9, 0, PositionFileStatus::BadStamp}},
      {"Valid = 0\nBoot id = b00u\nUptime = x\n", earlier}};
  for (const auto& [contents, read] : cases) EXPECT_EQ(ReadFile(contents), read) << contents;
  EXPECT_EQ(ToMicroDegrees(std::numeric_limits<double>::quiet_NaN()), 0);
}

// The navigation program may be replacing the file just then: six opens are tried in a
// row. (That only a regular file is opened, the file layer's own tests show.)
TEST(ReadPositionFile, TriesSixOpens) {
  using Call = test::FaultyFileSystem::Call;
  for (const int failures : {5, 6}) {
    test::FaultyFileSystem files;
    files.Fail(Call::Open, ENOENT).Times(failures);
    EXPECT_EQ(std::get<4>(ReadFile("Valid = 1\n", files)),
              failures < 6 ? kValid : PositionFileStatus::Missing);
    EXPECT_EQ(files.Count(Call::Open), 6) << failures;
  }
}

using Lines = std::vector<std::u16string>;

// Every line ReadString hands out for a file.
Lines ReadAllLines(const test::TempFolder& folder, std::string_view bytes) {
  folder.Write("lines.txt", bytes);
  TextLineReader reader(RealFileSystem());
  EXPECT_TRUE(reader.Open(folder.File("lines.txt")));
  Lines lines;
  for (std::u16string line; reader.ReadString(line);) lines.push_back(line);
  return lines;
}

// How lines end and break at the 2000-byte loads is the fuzz target fuzz_line_reader's: it
// compares the pieces with a model of the load-by-load read on its seed files (a CR that
// ends a load, lines longer than a piece). These are the texts ReadString makes of pieces.
TEST(TextLineReader, ReadsLinesAsTextThroughTheCodePage) {
  test::TempFolder folder;
  EXPECT_EQ(ReadAllLines(folder, "a\r\n\n\rb\r\x80\xE4\n"),
            (Lines{u"a\n", u"\n", u"\n", u"b\n", u"\u20AC\u00E4\n"}));
  EXPECT_EQ(ReadAllLines(folder, std::string("ab\0cd\n", 6)), (Lines{u"ab"}));  // up to a zero byte
}

}  // namespace
}  // namespace poirec
