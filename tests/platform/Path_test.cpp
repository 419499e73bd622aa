#include "platform/Path.h"

#include <gtest/gtest.h>

#include "platform/DirectorySearch.h"
#include "platform/File.h"
#include "platform/ProgramPath.h"
#include "platform/TextEncoding.h"
#include "support/TempFolder.h"

namespace poirec {
namespace {

using test::TempFolder;

TEST(ResolvePath, FindsEachPartIgnoringLetterCase) {
  TempFolder folder;
  folder.Write("Pois/Shop.bmp", "picture");
  const std::string base = folder.Path().string();
  EXPECT_EQ(ResolvePath(folder.File("POIS/shop.BMP")), base + "/Pois/Shop.bmp");
  EXPECT_EQ(ResolvePath(folder.File("Pois/Shop.bmp")), base + "/Pois/Shop.bmp");
  // A file about to be made keeps its name, in the folder found on disk.
  EXPECT_EQ(ResolvePath(folder.File("pois/New.asc")), base + "/Pois/New.asc");
  EXPECT_EQ(ResolvePath(folder.File("none/x.asc")), base + "/none/x.asc");
}

TEST(ResolvePath, PrefersTheExactNameAndIsDeterministicOtherwise) {
  TempFolder folder;
  folder.Write("a.asc", "lower");
  folder.Write("A.asc", "upper");
  EXPECT_EQ(ResolvePath(folder.File("A.asc")), folder.Path().string() + "/A.asc");
  EXPECT_EQ(ResolvePath(folder.File("A.ASC")), folder.Path().string() + "/A.asc");
}

TEST(FindFiles, MatchesTheWildcardIgnoringCaseAndSkipsFolders) {
  TempFolder folder;
  folder.Write("pois/Zoo.asc", "");
  folder.Write("pois/Shop.ASC", "");
  folder.Write("pois/.asc", "");
  folder.Write("pois/notes.asc.txt", "");
  folder.Write("pois/Shop.bmp", "");
  folder.MakeFolder("pois/folder.asc");
  std::vector<std::u16string> names = FindFiles(folder.File("POIS/*.asc"));
  std::sort(names.begin(), names.end());
  EXPECT_EQ(names, (std::vector<std::u16string>{u".asc", u"Shop.ASC", u"Zoo.asc"}));
  EXPECT_TRUE(FindFiles(folder.File("missing/*.asc")).empty());
}

TEST(MatchesWildcard, HandlesStarsAndQuestionMarks) {
  EXPECT_TRUE(MatchesWildcard(u"a.asc", u"*.asc"));
  EXPECT_TRUE(MatchesWildcard(u"a.b.asc", u"*.asc"));
  EXPECT_TRUE(MatchesWildcard(u"\u00C4rger.ASC", u"\u00E4*.asc"));
  EXPECT_FALSE(MatchesWildcard(u"a.asc2", u"*.asc"));
  EXPECT_FALSE(MatchesWildcard(u"asc", u"*.asc"));
  EXPECT_TRUE(MatchesWildcard(u"ab", u"a?"));
  EXPECT_FALSE(MatchesWildcard(u"a", u"a?"));
  EXPECT_TRUE(MatchesWildcard(u"", u"*"));
}

TEST(ProgramFolder, EndsWithTheFoldersSlash) {
  EXPECT_EQ(FolderOfProgram(u"/A/B/C"), u"/A/B/");
  EXPECT_EQ(FolderOfProgram(u"program"), u"/");
  EXPECT_EQ(FolderOfProgram(u"/program"), u"/");
  const std::u16string folder = ProgramFolder();
  ASSERT_FALSE(folder.empty());
  EXPECT_EQ(folder.back(), u'/');
  EXPECT_EQ(folder.front(), u'/');
}

TEST(TextEncoding, RoundTripsNamesAndDecodesTheCodePage) {
  const std::u16string name = u"Caf\u00E9 \u00B0 \u20AC \U0001F600";
  EXPECT_EQ(Utf8ToUtf16(Utf16ToUtf8(name)), name);
  EXPECT_EQ(Utf16ToUtf8(u"\u00E9"), "\xC3\xA9");
  EXPECT_EQ(Utf8ToUtf16("a\xFF" "b"), u"a\uFFFDb");
  EXPECT_EQ(DecodeCodePage("\x80\x81\x9F\xA0\xFF"), u"\u20AC\u0081\u0178\u00A0\u00FF");
}

TEST(File, CloseReportsDataThatCouldNotBeWritten) {
  File full;
  ASSERT_TRUE(full.Open(u"/dev/full", File::Mode::AppendText));
  EXPECT_TRUE(full.WriteByte('x'));  // buffered
  EXPECT_FALSE(full.Close());
  EXPECT_TRUE(full.Close());  // nothing open any more

  TempFolder folder;
  folder.MakeFolder("dir");
  File directory;
  EXPECT_FALSE(directory.Open(folder.File("dir"), File::Mode::Read));
}

}  // namespace
}  // namespace poirec
