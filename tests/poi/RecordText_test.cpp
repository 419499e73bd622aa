#include "poi/RecordText.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <string>

#include "platform/PosixFileSystem.h"
#include "support/FaultyFileSystem.h"
#include "support/TempFolder.h"

namespace poirec {
namespace {

using namespace test;

TEST(RecordName, NamesTheRecordingByItsDateAndTime) {
  const LocalDateTime time{2003, 2, 6, 1, 9, 5, 7, 999};  // 1 February 2003, 09:05:07.999
  EXPECT_EQ(DateTimeText(time, false), u"01.02.03");
  EXPECT_EQ(RecordName(DateTimeText(time, true)), u"Quillon RECORD (01.02.03 09:05:07)");
}

// The usual figures are those of the records placed and recorded elsewhere; these are
// the signs, the rounding of the latitude (a hair beyond the half in binary rounds away from
// zero, and 48.999996 carries into the whole degrees) and the widest values.
TEST(FormatRecordText, WritesTheRecordAfterItsLineBreak) {
  EXPECT_EQ(FormatRecordText({-127500, -33868825}, u"x"), u"\n-0.1275000, -33.8688300, \"x\"");
  EXPECT_EQ(FormatRecordText({8123455, 48999996}, u""), u"\n8.1234550, 49.0000000, \"\"");
  EXPECT_EQ(FormatRecordText({0, 6}, u""), u"\n0.0000000, 0.0000100, \"\"");
  EXPECT_EQ(FormatRecordText({0, 5}, u""), u"\n0.0000000, 0.0000000, \"\"");  // 4.99999e-06
  EXPECT_EQ(FormatRecordText({-180000000, 90000000}, u"a"), u"\n-180.0000000, 90.0000000, \"a\"");
}

TEST(AppendPoiText, CreatesThenAppendsOneByteACharacterInAFolderThatExists) {
  TempFolder folder;
  FileSystem& files = RealFileSystem();
  const std::u16string path = folder.File("pois/recorded.asc");
  EXPECT_EQ(AppendPoiText(files, path, u"\nA"), AppendResult::NotOpened);
  EXPECT_FALSE(std::filesystem::exists(folder.Path() / "pois"));
  folder.MakeFolder("pois");
  EXPECT_EQ(AppendPoiText(files, path, u"\nA \u20AC\u00B0"), AppendResult::Appended);
  EXPECT_EQ(AppendPoiText(files, path, u"\nB"), AppendResult::Appended);
  EXPECT_EQ(ReadBytes(folder.Path() / "pois/recorded.asc"), "\nA \xAC\xB0\nB");
}

TEST(AppendPoiText, NeverLeavesAHalfWrittenRecord) {
  using Call = test::FaultyFileSystem::Call;
  TempFolder folder;
  const std::string before = "\n1.0000000, 2.0000000, \"kept\"";
  const auto file = folder.Write("pois/Shop.asc", before);
  const std::u16string path = folder.File("pois/Shop.asc");
  const std::pair<test::FaultyFileSystem::Fault, AppendResult> faults[] = {
      {{Call::Open, EACCES}, AppendResult::NotOpened},
      {{Call::Lock, EWOULDBLOCK}, AppendResult::NotWritten},  // another run keeps the lock
      {{Call::Write, ENOSPC}, AppendResult::NotWritten},      // a full disk
      {{Call::Sync, EIO}, AppendResult::NotWritten},          // the record reached the file first
  };
  for (const auto& [fault, result] : faults) {
    test::FaultyFileSystem files;
    files.Add(fault);
    AppendError error;
    EXPECT_EQ(AppendPoiText(files, path, FormatRecordText({8123456, 47123456}, u"lost"), &error),
              result)
        << files.Log().back();
    // The reason of the call that failed, not of the clean-up after it.
    EXPECT_EQ(error.path, path) << files.Log().back();
    EXPECT_EQ(error.number, fault.error) << files.Log().back();
    EXPECT_EQ(ReadBytes(file), before) << files.Log().back();
  }
}

}  // namespace
}  // namespace poirec
