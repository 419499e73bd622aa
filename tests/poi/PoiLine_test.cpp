#include "poi/PoiLine.h"

#include <gtest/gtest.h>

#include <random>
#include <string>

#include "platform/TextEncoding.h"
#include "poi/CategoryRecord.h"
#include "support/TempFolder.h"

namespace poirec {
namespace {

using test::ReadBytes;
using test::TempFolder;

TEST(ParsePoiLine, ReadsWhatTheRecordWriterWrites) {
  const auto poi = ParsePoiLine(u"\n8.1234560, 47.1234600, \"Quillon RECORD (05.12.26 14:03:59)\"");
  ASSERT_TRUE(poi);
  // 8.123456 * 1000000 lies just below 8123456 in doubles and is truncated.
  EXPECT_EQ(poi->longitude, 8123455);
  EXPECT_EQ(poi->latitude, 47123460);
  EXPECT_EQ(poi->name, u"\"Quillon RECORD (05.12.26 14:03:59)\"");
}

TEST(ParsePoiLine, RejectsWhatIsNoPoiLine) {
  EXPECT_FALSE(ParsePoiLine(u"   ;8.1, 47.2, \"comment, with commas\"\n"));
  EXPECT_FALSE(ParsePoiLine(u",8.1, 47.2\n"));
  EXPECT_FALSE(ParsePoiLine(u" \t,8.1\n"));  // the first comma comes first after the blanks
  EXPECT_FALSE(ParsePoiLine(u"x\n"));
  EXPECT_FALSE(ParsePoiLine(u"\n"));
  EXPECT_FALSE(ParsePoiLine(u""));
  EXPECT_FALSE(ParsePoiLine(u"8.1 47.2 no comma\n"));
}

TEST(ParsePoiLine, ReadsFieldsAsTheyStand) {
  const auto twoFields = ParsePoiLine(u"8.1, 47.2\n");
  ASSERT_TRUE(twoFields);
  EXPECT_EQ(twoFields->longitude, 8100000);
  EXPECT_EQ(twoFields->latitude, 47200000);
  EXPECT_EQ(twoFields->name, u"");

  const auto comma = ParsePoiLine(u"8.1, 47.2, \"Cafe, Bar\"\n");
  ASSERT_TRUE(comma);
  EXPECT_EQ(comma->name, u"\"Cafe");

  const auto negative = ParsePoiLine(u"  -0.1275, -51.5\n");
  ASSERT_TRUE(negative);
  EXPECT_EQ(negative->longitude, -127500);
  EXPECT_EQ(negative->latitude, -51500000);

  // Short fields are filled with '0' to nine characters, long ones cut to eleven.
  const auto filled = ParsePoiLine(u"7, 11.123456789012,x");
  ASSERT_TRUE(filled);
  EXPECT_EQ(filled->longitude, 2147483647);  // 700000000 degrees do not fit
  EXPECT_EQ(filled->latitude, 11123456);

  const auto empty = ParsePoiLine(u"abc, , name");
  ASSERT_TRUE(empty);
  EXPECT_EQ(empty->longitude, 0);
  EXPECT_EQ(empty->latitude, 0);
  EXPECT_EQ(empty->name, u"name");
}

TEST(ParsePoiLine, CutsTheNameBeforeTrimmingIt) {
  const std::u16string name(200, u'n');
  const auto cut = ParsePoiLine(u"1, 2," + name + u"\n");
  ASSERT_TRUE(cut);
  EXPECT_EQ(cut->name, std::u16string(128, u'n'));
  // The blank after the comma counts among the 128 characters.
  const auto blankCounted = ParsePoiLine(u"1, 2, " + std::u16string(127, u'n') + u"X");
  ASSERT_TRUE(blankCounted);
  EXPECT_EQ(blankCounted->name, std::u16string(127, u'n'));
}

TEST(CategoryRecord, AppendsRecordsThatBeginWithTheirLineBreak) {
  TempFolder folder;
  const std::u16string path = folder.File("Cafe.asc");
  ASSERT_EQ(AppendCategoryRecord(path, 8123456, 47123456, u"Quillon RECORD (05.12.26 14:03:59)"),
            AppendResult::Appended);
  ASSERT_EQ(AppendCategoryRecord(path, -127500, -1, u"\u20AC"), AppendResult::Appended);
  EXPECT_EQ(ReadBytes(folder.Path() / "Cafe.asc"),
            "\n8.1234560, 47.1234600, \"Quillon RECORD (05.12.26 14:03:59)\""
            "\n-0.1275000, -0.0000000, \"\xAC\"");
}

TEST(CategoryRecord, ReportsAFileThatCannotBeCreated) {
  TempFolder folder;
  EXPECT_EQ(AppendCategoryRecord(folder.File("missing/Cafe.asc"), 1, 2, u"x"),
            AppendResult::NotOpened);
  folder.MakeFolder("Cafe.asc");  // a folder in the file's place
  EXPECT_EQ(AppendCategoryRecord(folder.File("Cafe.asc"), 1, 2, u"x"), AppendResult::NotOpened);
}

// The searches read the bytes straight; whatever a line holds, they must see the
// position ParsePoiLine sees in its text.
void ExpectSamePosition(const std::string& bytes) {
  const auto fromText = ParsePoiLine(DecodeCodePage(bytes));
  PoiPosition fromBytes{-1, -1};
  ASSERT_EQ(ParsePoiPosition(bytes, fromBytes), fromText.has_value()) << '"' << bytes << '"';
  if (fromText) {
    EXPECT_EQ(fromBytes.longitude, fromText->longitude) << '"' << bytes << '"';
    EXPECT_EQ(fromBytes.latitude, fromText->latitude) << '"' << bytes << '"';
  }
}

TEST(ParsePoiPosition, AgreesWithParsePoiLineOnChosenLines) {
  const char* lines[] = {
      "\n8.1234560, 47.1234600, \"x\"",
      "8.1, 47.2",
      "90, 7",
      "-7.5,+3.25",
      "1.000001, 48.137154",
      "11.123456789012, 52.5",
      "  - , .",
      "1.5e3, 2E-2",
      "1.5e, 2e+",
      "15         x, 1",   // the number stops at a blank the field's cut leaves last
      "15 x, 1.2.3",
      "\x86" "5, 4\x89" "2",  // code page characters whose low bytes are ' ' and '0'
      "5\x8B, \xA0" "1",      // ... and '9'; 0xA0 is no blank
      "1.2345678901234567, -0000000000001",
      "\t\v\f 3.5 ,\t4.5\t, \t",
      ";1, 2",
      ",1, 2",
      "1",
      "ab",
      "a,b,c,d",
      "99999999999, -99999999999",
  };
  for (const char* line : lines) ExpectSamePosition(line);
}

TEST(ParsePoiPosition, AgreesWithParsePoiLineOnManyGeneratedLines) {
  // Fields built from the characters that steer the number reading, with an occasional
  // byte from the code page's upper half.
  const std::string alphabet = "0123456789012345678901234567890123456789..,,,--+ \teExy;\x86\x89\x8B\xA0\x80";
  std::mt19937 random(20261205);
  std::uniform_int_distribution<std::size_t> pick(0, alphabet.size() - 1);
  std::uniform_int_distribution<int> length(0, 30);
  std::uniform_int_distribution<int> coordinate(-180000000, 180000000);
  for (int i = 0; i < 200000; ++i) {
    std::string line;
    if (i % 2 == 0) {
      const int count = length(random);
      for (int k = 0; k < count; ++k) line += alphabet[pick(random)];
    } else {
      // Numbers as they are written, with a varied number of decimals and signs.
      char text[64];
      std::snprintf(text, sizeof text, "%s%.*f,%.*f, \"n\"", i % 3 == 0 ? " " : "",
                    i % 11, coordinate(random) * 0.000001, i % 9, coordinate(random) * 0.0000005);
      line = text;
    }
    ExpectSamePosition(line);
    if (::testing::Test::HasFailure()) return;
  }
}

}  // namespace
}  // namespace poirec
