#include "platform/Path.h"

#include <gtest/gtest.h>

#include "platform/DirectorySearch.h"
#include "platform/PosixFileSystem.h"
#include "platform/ProgramPath.h"
#include "platform/TextEncoding.h"
#include "support/TempFolder.h"

namespace poirec {
namespace {

using test::TempFolder;

TEST(ResolvePath, FindsEachPartIgnoringLetterCaseAndPrefersTheExactName) {
  TempFolder folder;
  folder.Write("Pois/Shop.bmp", "picture");
  folder.Write("Pois/a.asc", "lower");
  folder.Write("Pois/A.asc", "upper");
  const std::string base = folder.Path().string() + "/Pois/";
  EXPECT_EQ(ResolvePath(RealFileSystem(), folder.File("POIS/shop.BMP")), base + "Shop.bmp");
  EXPECT_EQ(ResolvePath(RealFileSystem(), folder.File("POIS/a.asc")),
            base + "a.asc");  // not "A.asc", found first
  EXPECT_EQ(ResolvePath(RealFileSystem(), folder.File("pois/A.ASC")),
            base + "A.asc");  // first in byte order
  // A file about to be made keeps its name, in the folder found on disk.
  EXPECT_EQ(ResolvePath(RealFileSystem(), folder.File("pois/New.asc")), base + "New.asc");
  EXPECT_EQ(ResolvePath(RealFileSystem(), folder.File("none/x.asc")),
            folder.Path().string() + "/none/x.asc");
}

// Which files a search finds is the category scan's; here the wildcard alone.
TEST(MatchesWildcard, IgnoresLetterCaseBeyondAscii) {
  EXPECT_TRUE(MatchesWildcard(u"\u00C4rger.ASC", u"\u00E4*.asc"));
  EXPECT_TRUE(MatchesWildcard(u"ab", u"a?"));
  EXPECT_FALSE(MatchesWildcard(u"a", u"a?"));
  EXPECT_FALSE(MatchesWildcard(u"asc", u"*.asc"));
}

TEST(ProgramFolder, EndsWithTheFoldersSlash) {
  EXPECT_EQ(FolderOfProgram(u"/A/B/C"), u"/A/B/");
  EXPECT_EQ(FolderOfProgram(u"program"), u"/");
  EXPECT_TRUE(ProgramFolder().starts_with(u'/') && ProgramFolder().ends_with(u'/'));
}

}  // namespace
}  // namespace poirec
