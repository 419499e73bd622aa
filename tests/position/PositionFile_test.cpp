#include "position/PositionFile.h"

#include <gtest/gtest.h>

#include <string>

#include "support/TempFolder.h"

namespace poirec {
namespace {

using test::TempFolder;

// Reads a position file holding the given text into a fix that starts as given.
PositionFix ReadFile(std::string_view contents, PositionFix fix = {}, bool* result = nullptr) {
  TempFolder documents;
  documents.Write("QXPosition.txt", contents);
  std::u16string folder = documents.Folder();
  folder.pop_back();  // the documents folder comes without its final "/"
  const bool valid = ReadPositionFile(fix, folder);
  if (result != nullptr) *result = valid;
  return fix;
}

TEST(ReadPositionFile, ReadsTheFourKeys) {
  bool result = false;
  const PositionFix fix =
      ReadFile("Lat = 48.137154\r\nLon = 11.576124\r\nCourse = 245.7\r\nValid = 1\r\n", {}, &result);
  EXPECT_TRUE(result);
  EXPECT_EQ(fix.lat, 48137154);
  EXPECT_EQ(fix.lon, 11576124);
  EXPECT_EQ(fix.course, 245);
  EXPECT_EQ(fix.valid, 1);
}

TEST(ReadPositionFile, MatchesKeysExactlyAfterLeadingWhiteSpace) {
  EXPECT_EQ(ReadFile("lat = 48.1\n").lat, 0);
  EXPECT_EQ(ReadFile("Lat=48.1\n").lat, 0);
  EXPECT_EQ(ReadFile("Lat =48.1\n").lat, 48100000);
  EXPECT_EQ(ReadFile("   Lat = 48.1\n").lat, 48100000);
  EXPECT_EQ(ReadFile("\tLon = -0.5").lon, -500000);
  EXPECT_EQ(ReadFile("Lat = 1.000001\n").lat, 1000000);
  EXPECT_EQ(ReadFile("Lat =\n", {.lon = 0, .lat = 5, .course = 0, .valid = 0}).lat, 0);
  EXPECT_EQ(ReadFile("Course = 359.9\n").course, 359);
  EXPECT_EQ(ReadFile("Course = -0.5\n").course, 0);
  EXPECT_EQ(ReadFile("Course = 90\n").course, 900000000);
  EXPECT_EQ(ReadFile("Lat\n").lat, 0);  // shorter than its key
}

TEST(ReadPositionFile, TakesOnlyTheValueOneAsAValidFix) {
  for (const char* line : {"Valid = 10\n", "Valid = 1.0\n", "Valid = true\n", "Valid = 0\n",
                           "valid = 1\n", "Valid=1\n"}) {
    bool result = true;
    EXPECT_EQ(ReadFile(line, {.lon = 0, .lat = 0, .course = 0, .valid = 1}, &result).valid, 0)
        << line;
    EXPECT_FALSE(result) << line;
  }
  EXPECT_EQ(ReadFile("Valid =1").valid, 1);
  EXPECT_EQ(ReadFile("Valid = 1   \r\n").valid, 1);
  EXPECT_EQ(ReadFile(" Valid =\t1\t\n").valid, 1);
}

TEST(ReadPositionFile, LaterKeysWinButValidityStays) {
  const PositionFix fix = ReadFile("Lat = 1.5\nValid = 1\nLat = 2.5\nValid = 0\n");
  EXPECT_EQ(fix.lat, 2500000);
  EXPECT_EQ(fix.valid, 1);
}

TEST(ReadPositionFile, LeavesFieldsWhoseKeyIsMissing) {
  bool result = false;
  const PositionFix fix =
      ReadFile("Valid = 1\nSpeed = 12\n", {.lon = 7, .lat = 8, .course = 9, .valid = 0}, &result);
  EXPECT_TRUE(result);
  EXPECT_EQ(fix.lon, 7);
  EXPECT_EQ(fix.lat, 8);
  EXPECT_EQ(fix.course, 9);
}

TEST(ReadPositionFile, WithoutAFileTheFixIsInvalidAndOtherwiseUntouched) {
  TempFolder documents;
  PositionFix fix{.lon = 1, .lat = 2, .course = 3, .valid = 1};
  EXPECT_FALSE(ReadPositionFile(fix, documents.File("missing-folder")));
  EXPECT_EQ(fix.valid, 0);
  EXPECT_EQ(fix.lon, 1);
  EXPECT_EQ(fix.lat, 2);
  EXPECT_EQ(fix.course, 3);
}

}  // namespace
}  // namespace poirec
