#include "poi/RecordText.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <string>

#include "support/FileSizeLimit.h"
#include "support/TempFolder.h"

namespace poirec {
namespace {

using test::ReadBytes;
using test::TempFolder;

TEST(RecordName, NamesTheRecordingByItsDateAndTime) {
  const LocalDateTime time{2003, 2, 6, 1, 9, 5, 7, 999};  // 1 February 2003, 09:05:07.999
  EXPECT_EQ(DateTimeText(time, false), u"01.02.03");
  EXPECT_EQ(RecordName(DateTimeText(time, true)), u"Quillon RECORD (01.02.03 09:05:07)");
}

// The usual figures are those of the records placed and recorded elsewhere; these are
// the signs, the rounding of the latitude and the widest values.
TEST(FormatRecordText, WritesTheRecordAfterItsLineBreak) {
  EXPECT_EQ(FormatRecordText({-127500, -34603700}, u"x"), u"\n-0.1275000, -34.6037000, \"x\"");
  EXPECT_EQ(FormatRecordText({0, 6}, u""), u"\n0.0000000, 0.0000100, \"\"");
  EXPECT_EQ(FormatRecordText({0, 5}, u""), u"\n0.0000000, 0.0000000, \"\"");  // 4.99999e-06
  EXPECT_EQ(FormatRecordText({-180000000, 90000000}, u"a"), u"\n-180.0000000, 90.0000000, \"a\"");
}

TEST(AppendPoiText, CreatesThenAppendsOneByteACharacterInAFolderThatExists) {
  TempFolder folder;
  const std::u16string path = folder.File("pois/recorded.asc");
  AppendError error;
  EXPECT_EQ(AppendPoiText(path, u"\nA", &error), AppendResult::NotOpened);
  EXPECT_EQ(error.path, path);
  EXPECT_EQ(error.number, ENOENT);
  EXPECT_FALSE(std::filesystem::exists(folder.Path() / "pois"));
  folder.MakeFolder("pois/Folder.asc");
  EXPECT_EQ(AppendPoiText(folder.File("pois/Folder.asc"), u"\nA", &error), AppendResult::NotOpened);
  EXPECT_EQ(error.number, EISDIR);
  EXPECT_EQ(AppendPoiText(path, u"\nA \u20AC\u00B0"), AppendResult::Appended);
  EXPECT_EQ(AppendPoiText(path, u"\nB"), AppendResult::Appended);
  EXPECT_EQ(ReadBytes(folder.Path() / "pois/recorded.asc"), "\nA \xAC\xB0\nB");
}

TEST(AppendPoiText, NeverLeavesAHalfWrittenRecord) {
  TempFolder folder;
  const std::string before = "\n1.0000000, 2.0000000, \"kept\"";
  const auto file = folder.Write("pois/Shop.asc", before);
  {
    const test::FileSizeLimit diskFull(before.size() + 10);
    AppendError error;
    EXPECT_EQ(AppendPoiText(folder.File("pois/Shop.asc"),
                            FormatRecordText({8123456, 47123456}, u"does not fit"), &error),
              AppendResult::NotWritten);
    // The reason of the write that failed, not of the clean-up after it.
    EXPECT_EQ(error.path, folder.File("pois/Shop.asc"));
    EXPECT_EQ(error.number, EFBIG);
  }
  EXPECT_EQ(ReadBytes(file), before);
  EXPECT_EQ(AppendPoiText(folder.File("pois/Shop.asc"), u"\nfits"), AppendResult::Appended);
  EXPECT_EQ(ReadBytes(file), before + "\nfits");
}

}  // namespace
}  // namespace poirec
