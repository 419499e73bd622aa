#include "position/PositionFile.h"

#include <gtest/gtest.h>

#include <string>

#include "support/TempFolder.h"

namespace poirec {
namespace {

constexpr PositionFix kEarlier{.lon = 7, .lat = 8, .course = 9, .valid = 1};

// Reads a position file holding the given text into a fix that held kEarlier.
PositionFix ReadFile(std::string_view contents, bool* result = nullptr) {
  test::TempFolder documents;
  documents.Write("QXPosition.txt", contents);
  PositionFix fix = kEarlier;
  std::u16string folder = documents.Folder();
  folder.pop_back();  // the documents folder comes without its final "/"
  const bool valid = ReadPositionFile(fix, folder);
  if (result != nullptr) *result = valid;
  return fix;
}

TEST(ReadPositionFile, ReadsTheFourKeysAndLeavesMissingOnes) {
  bool result = false;
  PositionFix fix =
      ReadFile("Lat = 48.137154\r\nLon = 11.576124\r\nCourse = 245.7\r\nValid = 1\r\n", &result);
  EXPECT_TRUE(result);
  EXPECT_EQ(fix.lat, 48137154);
  EXPECT_EQ(fix.lon, 11576124);
  EXPECT_EQ(fix.course, 245);
  EXPECT_EQ(fix.valid, 1);

  fix = ReadFile("Valid = 1\nSpeed = 12\n", &result);
  EXPECT_TRUE(result);
  EXPECT_EQ(fix.lon, kEarlier.lon);
  EXPECT_EQ(fix.lat, kEarlier.lat);
  EXPECT_EQ(fix.course, kEarlier.course);
}

TEST(ReadPositionFile, MatchesKeysExactlyAfterLeadingWhiteSpace) {
  const struct {
    const char* line;
    std::int32_t PositionFix::*field;
    std::int32_t expected;
  } cases[] = {
      {"lat = 48.1", &PositionFix::lat, kEarlier.lat},  // case differs
      {"Lat=48.1", &PositionFix::lat, kEarlier.lat},    // no blank before "="
      {"Lat", &PositionFix::lat, kEarlier.lat},         // shorter than its key
      {"Lat =48.1", &PositionFix::lat, 48100000},
      {"   Lat = 48.1", &PositionFix::lat, 48100000},
      {"\tLon = -0.5", &PositionFix::lon, -500000},
      {"Lat = 1.000001", &PositionFix::lat, 1000000},
      {"Lat =", &PositionFix::lat, 0},
      {"Course = 359.9", &PositionFix::course, 359},
      {"Course = -0.5", &PositionFix::course, 0},
      {"Course = 90", &PositionFix::course, 900000000},
  };
  for (const auto& c : cases) EXPECT_EQ(ReadFile(c.line).*c.field, c.expected) << c.line;
}

TEST(ReadPositionFile, TakesOnlyTheValueOneAsAValidFix) {
  for (const char* line : {"Valid = 10\n", "Valid = 1.0\n", "Valid = true\n", "Valid = 0\n",
                           "valid = 1\n", "Valid=1\n"}) {
    bool result = true;
    EXPECT_EQ(ReadFile(line, &result).valid, 0) << line;
    EXPECT_FALSE(result) << line;
  }
  for (const char* line : {"Valid =1", "Valid = 1   \r\n", " Valid =\t1\t\n"}) {
    EXPECT_EQ(ReadFile(line).valid, 1) << line;
  }
  // Later keys win, but a later "Valid =" does not take validity back.
  const PositionFix fix = ReadFile("Lat = 1.5\nValid = 1\nLat = 2.5\nValid = 0\n");
  EXPECT_EQ(fix.lat, 2500000);
  EXPECT_EQ(fix.valid, 1);
}

TEST(ReadPositionFile, WithoutAFileTheFixIsInvalidAndOtherwiseUntouched) {
  test::TempFolder documents;
  PositionFix fix = kEarlier;
  EXPECT_FALSE(ReadPositionFile(fix, documents.File("missing-folder")));
  EXPECT_EQ(fix.valid, 0);
  EXPECT_EQ(fix.lon, kEarlier.lon);
  EXPECT_EQ(fix.lat, kEarlier.lat);
  EXPECT_EQ(fix.course, kEarlier.course);
}

}  // namespace
}  // namespace poirec
