// Which files an export reads, in which order, and the waypoint type of each.
#include "gpx/ExportSources.h"

#include <gtest/gtest.h>

#include <vector>

#include "platform/PosixFileSystem.h"
#include "support/TempFolder.h"

namespace poirec {
namespace {

// A pois folder of category files and what is no category file: another extension, a folder.
TEST(ExportSources, AFolderGivesItsCategoriesInThePagesOrderAndANamedFileIsExportedAsNamed) {
  test::TempFolder folder;
  for (const char* name : {"Blitzer.asc", "bakery.asc", "Recorded.asc", "QUILLON.asc", "Zoo.asc",
                           "10er.asc", "Aussicht 360\xC2\xB0.asc", "Zoo.bmp"}) {
    folder.Write(std::string("pois/") + name, "\n1.0, 2.0, \"x\"");
  }
  folder.MakeFolder("pois/Folder.asc");
  const std::u16string pois = folder.Folder() + u"pois/";
  const std::vector<SourceFile> categories = {
      {pois + u"10er.asc", u"10er"},       {pois + u"Aussicht 360\u00B0.asc", u"Aussicht 360"},
      {pois + u"Blitzer.asc", u"Blitzer"}, {pois + u"Zoo.asc", u"Zoo"},
      {pois + u"bakery.asc", u"bakery"},
  };
  EXPECT_EQ(FolderSources(RealFileSystem(), pois, false), categories);

  std::vector<SourceFile> withRecorded = categories;
  withRecorded.push_back({pois + u"recorded.asc", u"recorded"});  // opened ignoring case
  // A named folder, with or without its final "/".
  EXPECT_EQ(NamedSources(RealFileSystem(), pois, true), withRecorded);
  EXPECT_EQ(NamedSources(RealFileSystem(), pois.substr(0, pois.size() - 1), false), categories);

  // The folder above holds no category file and nothing recorded yet: nothing to add.
  EXPECT_TRUE(FolderSources(RealFileSystem(), folder.Folder(), true).empty());

  const std::pair<std::u16string, std::u16string> files[] = {
      {pois + u"Zoo.ASC", u"Zoo"},
      {pois + u"Aussicht 360\u00B0.asc", u"Aussicht 360"},
      // The file of recorded positions, named, needs no option.
      {pois + u"RECORDED.asc", u"recorded"},
      {pois + u"QUILLON.asc", u"QUILLON"},
      // A file that is not there yet is named when it cannot be read.
      {pois + u"Missing.asc", u"Missing"},
      {u"Relative.asc", u"Relative"},
  };
  for (const auto& [path, type] : files) {
    EXPECT_EQ(NamedSources(RealFileSystem(), path, false), (std::vector<SourceFile>{{path, type}}));
  }
  for (const std::u16string& path : {pois + u"Zoo.bmp", pois + u"missing", std::u16string()}) {
    EXPECT_FALSE(NamedSources(RealFileSystem(), path, true));
  }
}

}  // namespace
}  // namespace poirec
