#include "poi/RecordText.h"

#include <gtest/gtest.h>

#include <string>

#include "platform/TextEncoding.h"
#include "support/FileSizeLimit.h"
#include "support/TempFolder.h"

namespace poirec {
namespace {

using test::ReadBytes;
using test::TempFolder;

std::string Bytes(std::u16string_view text) {
  std::string bytes;
  for (const char16_t c : text) bytes.push_back(static_cast<char>(LowByte(c)));
  return bytes;
}

TEST(RecordName, NamesTheRecordingByItsDateAndTime) {
  const LocalDateTime time{.year = 2003, .month = 2, .dayOfWeek = 6, .day = 1, .hour = 9,
                           .minute = 5, .second = 7, .millisecond = 999};
  EXPECT_EQ(DateTimeText(time, false), u"01.02.03");
  EXPECT_EQ(DateTimeText(time, true), u"01.02.03 09:05:07");
  const LocalDateTime late{.year = 2026, .month = 12, .dayOfWeek = 0, .day = 6, .hour = 23,
                           .minute = 59, .second = 59, .millisecond = 0};
  EXPECT_EQ(RecordName(DateTimeText(late, true)), u"Quillon RECORD (06.12.26 23:59:59)");
}

TEST(FormatRecordText, WritesTheRecordAfterItsLineBreak) {
  EXPECT_EQ(FormatRecordText(8123456, 47123456, u"Quillon RECORD (05.12.26 14:03:59)"),
            u"\n8.1234560, 47.1234600, \"Quillon RECORD (05.12.26 14:03:59)\"");
  EXPECT_EQ(FormatRecordText(-127500, -34603700, u"x"), u"\n-0.1275000, -34.6037000, \"x\"");
  EXPECT_EQ(FormatRecordText(0, 6, u""), u"\n0.0000000, 0.0000100, \"\"");
  EXPECT_EQ(FormatRecordText(0, 5, u""), u"\n0.0000000, 0.0000000, \"\"");  // 4.99999e-06
  EXPECT_EQ(FormatRecordText(-180000000, 90000000, u"a"),
            u"\n-180.0000000, 90.0000000, \"a\"");
}

TEST(AppendPoiText, CreatesThenAppendsOneByteACharacter) {
  TempFolder folder;
  folder.MakeFolder("pois");
  const std::u16string path = folder.File("pois/recorded.asc");
  EXPECT_EQ(AppendPoiText(path, u"\nA \u20AC\u00B0"), AppendResult::Appended);
  EXPECT_EQ(AppendPoiText(path, u"\nB"), AppendResult::Appended);
  EXPECT_EQ(ReadBytes(folder.Path() / "pois/recorded.asc"), Bytes(u"\nA \u20AC\u00B0\nB"));
  EXPECT_EQ(ReadBytes(folder.Path() / "pois/recorded.asc"), "\nA \xAC\xB0\nB");
}

TEST(AppendPoiText, ReportsAFolderThatIsMissing) {
  TempFolder folder;
  EXPECT_EQ(AppendPoiText(folder.File("pois/recorded.asc"), u"\nA"), AppendResult::NotOpened);
  EXPECT_FALSE(std::filesystem::exists(folder.Path() / "pois"));
}

TEST(AppendPoiText, NeverLeavesAHalfWrittenRecord) {
  TempFolder folder;
  const std::string before = "\n1.0000000, 2.0000000, \"kept\"";
  const auto file = folder.Write("pois/Shop.asc", before);
  {
    const test::FileSizeLimit diskFull(before.size() + 10);
    EXPECT_EQ(AppendPoiText(folder.File("pois/Shop.asc"),
                            FormatRecordText(8123456, 47123456, u"does not fit")),
              AppendResult::NotWritten);
  }
  EXPECT_EQ(ReadBytes(file), before);
  EXPECT_EQ(AppendPoiText(folder.File("pois/Shop.asc"), u"\nfits"), AppendResult::Appended);
  EXPECT_EQ(ReadBytes(file), before + "\nfits");
}

}  // namespace
}  // namespace poirec
