// The first start fills the user's data folder whole or not at all, and what a killed
// first start left is cleared at the next.
#include "app/PoisSeeding.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <filesystem>

#include "platform/PosixFileSystem.h"
#include "support/FaultyFileSystem.h"
#include "support/TempFolder.h"

namespace poirec {
namespace {

namespace fs = std::filesystem;
using Call = test::FaultyFileSystem::Call;

TEST(SeedPoisFolder, FillsTheFolderWholeOrNotAtAll) {
  test::TempFolder folder;
  for (const char* sample : {"Cafe.asc", "Cafe.bmp", "Fuel.asc"}) {
    folder.Write(std::string("installed/") + sample, std::string(70000, sample[0]) + sample);
  }
  folder.MakeFolder("installed/not a file");
  const std::string installed = (folder.Path() / "installed").string();
  const std::string user = (folder.Path() / "home/.local/share/poi-recorder/").string();
  // A first start killed half way left its copy, and a temporary file in it.
  folder.Write("home/.local/share/poi-recorder/pois.new-999999999-1/Cafe.asc", "half");
  folder.Write("home/.local/share/poi-recorder/pois.new-999999999-1/.Fuel.asc.9-1.tmp", "");

  // A start interrupted by a full disk at the second copy leaves nothing half filled.
  test::FaultyFileSystem fullDisk;
  fullDisk.Fail(Call::Write, ENOSPC).On(".tmp").After(2);
  EXPECT_NE(SeedPoisFolder(fullDisk, installed, user).find("No space left"), std::string::npos);
  EXPECT_EQ(std::distance(fs::directory_iterator(user), fs::directory_iterator()), 0);

  EXPECT_EQ(SeedPoisFolder(RealFileSystem(), installed, user), "");
  for (const auto& sample : fs::directory_iterator(folder.Path() / "installed")) {
    if (!sample.is_regular_file()) continue;
    EXPECT_EQ(test::ReadBytes(user + "pois/" + sample.path().filename().string()),
              test::ReadBytes(sample.path()));
  }
  EXPECT_EQ(std::distance(fs::directory_iterator(user + "pois"), fs::directory_iterator()), 3);
  EXPECT_EQ(std::distance(fs::directory_iterator(user), fs::directory_iterator()), 1);

  // The user's own folder is never filled again.
  fs::remove(user + "pois/Cafe.asc");
  EXPECT_EQ(SeedPoisFolder(RealFileSystem(), installed, user), "");
  EXPECT_FALSE(fs::exists(user + "pois/Cafe.asc"));

  // A data folder that cannot be made is named, with the reason.
  test::FaultyFileSystem readOnly;
  readOnly.Fail(Call::MakeFolder, EACCES).Times(-1);
  EXPECT_EQ(SeedPoisFolder(readOnly, installed, (folder.Path() / "other/").string()),
            (folder.Path() / "other/").string() + ": Permission denied");
}

}  // namespace
}  // namespace poirec
