#include "platform/File.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <cerrno>
#include <filesystem>
#include <string>

#include "platform/PosixFileSystem.h"
#include "support/TempFolder.h"

namespace poirec {
namespace {

using test::ReadBytes;
using test::TempFolder;

// A FIFO, a device or a folder is never read or written, in any mode, and opening one
// never waits (a FIFO without a writer would hold the program for good).
TEST(File, OpensOnlyRegularFiles) {
  TempFolder folder;
  folder.MakeFolder("folder");
  const std::string fifo = (folder.Path() / "fifo").string();
  ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
  const std::pair<std::string, int> others[] = {
      {(folder.Path() / "folder").string(), EISDIR}, {fifo, ENXIO}, {"/dev/null", ENXIO}};
  for (const auto& [path, error] : others) {
    for (const File::Mode mode :
         {File::Mode::Read, File::Mode::Write, File::Mode::AppendText, File::Mode::ReadWrite}) {
      File file(RealFileSystem());
      errno = 0;
      EXPECT_FALSE(file.OpenNative(path, mode)) << path << static_cast<int>(mode);
      EXPECT_EQ(errno, error) << path << static_cast<int>(mode);
    }
  }
  const auto plain = folder.Write("plain", "x");
  EXPECT_TRUE(File(RealFileSystem()).OpenNative(plain.string(), File::Mode::Read));
}

// A new file is made where nothing stands; a symlink planted there is not followed.
TEST(File, CreatesANewFileOnlyWhereNothingStands) {
  TempFolder folder;
  const auto victim = folder.Write("victim", "mine");
  std::filesystem::create_symlink(victim, folder.Path() / "planted");
  for (const char* name : {"planted", "victim"}) {
    File file(RealFileSystem());
    EXPECT_FALSE(file.OpenNative((folder.Path() / name).string(), File::Mode::CreateNew));
    EXPECT_EQ(errno, EEXIST);
  }
  EXPECT_EQ(ReadBytes(victim), "mine");
  File file(RealFileSystem());
  ASSERT_TRUE(file.OpenNative((folder.Path() / "new").string(), File::Mode::CreateNew));
  EXPECT_TRUE(file.Write("n", 1) && file.Close());
  EXPECT_EQ(ReadBytes(folder.Path() / "new"), "n");
}

// A deletion in another run renames its new file over the path while this run waits for
// the lock of the old one: the lock is then taken on the file the path names now.
TEST(File, LocksTheFileThePathNamesNow) {
  TempFolder folder;
  folder.Write("Shop.asc", "old");
  File file(RealFileSystem());
  ASSERT_TRUE(file.Open(folder.File("Shop.asc"), File::Mode::AppendText));
  folder.Write("Shop.asc2", "new");
  std::filesystem::rename(folder.Path() / "Shop.asc2", folder.Path() / "Shop.asc");
  ASSERT_TRUE(file.Lock());
  EXPECT_TRUE(file.Write("+", 1) && file.Close());
  EXPECT_EQ(ReadBytes(folder.Path() / "Shop.asc"), "new+");
}

}  // namespace
}  // namespace poirec
