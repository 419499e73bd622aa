// The export's output file: replaced in one step, or left as it was.
#include "gpx/AtomicOutputFile.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "platform/PosixFileSystem.h"
#include "support/FaultyFileSystem.h"
#include "support/TempFolder.h"

namespace poirec {
namespace {

namespace fs = std::filesystem;

constexpr std::string_view kOld = "old contents";

bool Write(AtomicOutputFile& file, std::string_view bytes) {
  return file.Write(bytes.data(), bytes.size());
}

TEST(AtomicOutputFile, ReplacesTheTargetOnlyWhenCommitted) {
  test::TempFolder folder;
  const fs::path target = folder.Write("out.gpx", kOld);
  {
    AtomicOutputFile file(RealFileSystem(), folder.File("out.gpx"));
    ASSERT_TRUE(file.Open());
    ASSERT_TRUE(Write(file, "new"));
    EXPECT_EQ(test::ReadBytes(target), kOld);  // nothing shows before the commit
    ASSERT_TRUE(Write(file, " contents"));
    EXPECT_TRUE(file.Commit());
  }
  EXPECT_EQ(test::ReadBytes(target), "new contents");
  EXPECT_FALSE(fs::exists(folder.Path() / "out.gpx.tmp"));

  {
    AtomicOutputFile abandoned(RealFileSystem(), folder.File("out.gpx"));
    ASSERT_TRUE(abandoned.Open());
    ASSERT_TRUE(Write(abandoned, "never committed"));
  }
  EXPECT_EQ(test::ReadBytes(target), "new contents");
  EXPECT_FALSE(fs::exists(folder.Path() / "out.gpx.tmp"));

  // Another letter case is another file.
  AtomicOutputFile other(RealFileSystem(), folder.File("OUT.gpx"));
  ASSERT_TRUE(other.Open());
  ASSERT_TRUE(Write(other, "other"));
  EXPECT_TRUE(other.Commit());
  EXPECT_EQ(test::ReadBytes(folder.Path() / "OUT.gpx"), "other");
  EXPECT_EQ(test::ReadBytes(target), "new contents");
}

TEST(AtomicOutputFile, LeavesTheTargetAsItWasWhenTheDiskIsFull) {
  test::TempFolder folder;
  const fs::path target = folder.Write("out.gpx", kOld);
  {
    test::FaultyFileSystem fullDisk;
    fullDisk.Fail(test::FaultyFileSystem::Call::Write, ENOSPC);
    AtomicOutputFile file(fullDisk, folder.File("out.gpx"));
    ASSERT_TRUE(file.Open());
    const std::string document(64 * 1024, 'x');  // more than the stream's buffer
    Write(file, document);
    EXPECT_FALSE(file.Commit());
  }
  EXPECT_EQ(test::ReadBytes(target), kOld);
  EXPECT_FALSE(fs::exists(folder.Path() / "out.gpx.tmp"));

  AtomicOutputFile nowhere(RealFileSystem(), folder.File("no such folder/out.gpx"));
  EXPECT_FALSE(nowhere.Open());
  EXPECT_FALSE(nowhere.Commit());
}

}  // namespace
}  // namespace poirec
