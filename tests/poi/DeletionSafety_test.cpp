// A deletion replaces the category file only with a complete, durable copy: whatever
// fails, and whatever odd file stands in its way, the file stays byte for byte as it was
// and no temporary file is left behind.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <filesystem>
#include <string>
#include <utility>

#include "platform/PosixFileSystem.h"
#include "poi/NearestPoi.h"
#include "support/FaultyFileSystem.h"
#include "support/TempFolder.h"

namespace poirec {
namespace {

namespace fs = std::filesystem;
using Call = test::FaultyFileSystem::Call;
using Fault = test::FaultyFileSystem::Fault;

class DeletionSafetyTest : public ::testing::Test {
 protected:
  DeletionSafetyTest() {
    table.rows[0].bitmapPath = folder.File("pois/Cafe.bmp");
    table.count = 1;
    match.position = {1000000, 1000000};
    match.found = true;
  }
  fs::path Pois(const std::string& name) const { return folder.Path() / "pois" / name; }
  // The category file: the POI to delete first, then lines POIs that stay.
  std::string WriteCafes(int lines) {
    std::string bytes = "\n1.0000000, 1.0000000, \"gone\"";
    for (int i = 0; i < lines; ++i)
      bytes += "\n2.0000000, 3.0000000, \"kept " + std::to_string(i) + '"';
    folder.Write("pois/Cafe.asc", bytes);
    return bytes;
  }
  static std::string WithoutFirstLine(const std::string& bytes) {
    return bytes.substr(bytes.find('\n', 1));
  }
  DeleteResult Delete(FileSystem& files) { return DeleteNearestPoi(files, table, match); }
  bool TemporaryLeft() const { return fs::exists(fs::symlink_status(Pois("Cafe.asc2"))); }

  test::TempFolder folder;
  CategoryTable table;
  NearestPoiMatch match;
};

TEST_F(DeletionSafetyTest, EveryFailureLeavesTheFileAsItWas) {
  // Larger than one read, so a read can fail after the first.
  const std::string cafes = WriteCafes(4000);
  ASSERT_GT(cafes.size(), 100000u);
  const std::pair<Fault, DeleteResult> faults[] = {
      // The read stops part way: what was read must not replace the file.
      {Fault(Call::Read, EIO).After(1), DeleteResult::NotOpened},
      // The user may read the file but not write it (root aside, a read-only file).
      {Fault(Call::Open, EACCES).On("Cafe.asc"), DeleteResult::NotWritten},
      {Fault(Call::Lock, EWOULDBLOCK), DeleteResult::NotWritten},         // another run keeps it
      {Fault(Call::Open, EACCES).On(".asc2"), DeleteResult::NotWritten},  // a read-only folder
      {Fault(Call::CopyAccess, EPERM), DeleteResult::NotWritten},
      {Fault(Call::Write, ENOSPC).After(1), DeleteResult::NotWritten},  // a full disk
      {Fault(Call::Sync, EIO).On(".asc2"), DeleteResult::NotWritten},
      {Fault(Call::Close, EIO).On(".asc2"), DeleteResult::NotWritten},
      {Fault(Call::Rename, EIO), DeleteResult::NotWritten},
      // The removed line cannot be kept in pois/deleted/: nothing is deleted.
      {Fault(Call::Open, EACCES).On("deleted/Cafe.asc"), DeleteResult::NotKept},
      {Fault(Call::Sync, EIO).On("deleted/Cafe.asc"), DeleteResult::NotKept},
  };
  for (const auto& [fault, result] : faults) {
    test::FaultyFileSystem files;
    files.Add(fault);
    EXPECT_EQ(Delete(files), result) << files.Log().back();
    EXPECT_EQ(test::ReadBytes(Pois("Cafe.asc")), cafes) << files.Log().back();
    EXPECT_FALSE(TemporaryLeft()) << files.Log().back();
  }
  // Nothing stays locked: the next deletion goes through.
  EXPECT_EQ(Delete(RealFileSystem()), DeleteResult::Deleted);
  EXPECT_EQ(test::ReadBytes(Pois("Cafe.asc")), WithoutFirstLine(cafes));
  // Kept as read, all or nothing; the failed rename came after the line was kept, so it is
  // there twice: kept too often, never lost.
  const std::string gone = "\n1.0000000, 1.0000000, \"gone\"";
  EXPECT_EQ(test::ReadBytes(Pois("deleted/Cafe.asc")), gone + gone);
}

// A power cut must find the old file or the new one: the copy is synced before it
// replaces the file, the folder after, and the lock is given up only then.
TEST_F(DeletionSafetyTest, TheNewFileIsDurableBeforeAndAfterTheRename) {
  WriteCafes(2);
  test::FaultyFileSystem files;
  ASSERT_EQ(Delete(files), DeleteResult::Deleted);
  const std::string path = fs::canonical(Pois("Cafe.asc")).string();
  const std::string temporary = path + "2";
  const auto& log = files.Log();
  const auto first = [&](const std::string& entry) {
    return std::find(log.begin(), log.end(), entry) - log.begin();
  };
  const auto lastClose = log.rend() - std::find(log.rbegin(), log.rend(), "Close " + path);
  const std::ptrdiff_t order[] = {first("Lock " + path),
                                  first("Read " + path),
                                  first("Sync " + temporary),
                                  first("Rename " + temporary + ' ' + path),
                                  first("SyncFolder " + fs::path(path).parent_path().string()),
                                  lastClose - 1};
  EXPECT_TRUE(std::is_sorted(std::begin(order), std::end(order)) &&
              order[5] < static_cast<std::ptrdiff_t>(log.size()))
      << ::testing::PrintToString(log);
}

// Reads may hand out fewer bytes than asked anywhere; the result is the same.
TEST_F(DeletionSafetyTest, ReadsCutShortGiveTheSameFile) {
  const std::string cafes = WriteCafes(500);
  test::FaultyFileSystem files;
  files.CutReadsTo(997);
  EXPECT_EQ(Delete(files), DeleteResult::Deleted);
  EXPECT_EQ(test::ReadBytes(Pois("Cafe.asc")), WithoutFirstLine(cafes));
}

// A temporary file a killed run left, or something planted in its place, goes as a name:
// a FIFO does not hold the deletion, a symlink's target is not touched.
TEST_F(DeletionSafetyTest, TemporaryFilesInTheWayAreRemovedNeverFollowed) {
  const auto victim = folder.Write("victim", "not yours");
  const auto plant = [&](int kind) {
    const std::string temporary = Pois("Cafe.asc2").string();
    if (kind == 0) folder.Write("pois/Cafe.asc2", "half a copy");
    EXPECT_TRUE(kind != 1 || ::mkfifo(temporary.c_str(), 0600) == 0);
    if (kind == 2) fs::create_symlink(victim, temporary);
  };
  for (const int kind : {0, 1, 2}) {
    const std::string cafes = WriteCafes(2);
    plant(kind);
    EXPECT_EQ(Delete(RealFileSystem()), DeleteResult::Deleted) << kind;
    EXPECT_EQ(test::ReadBytes(Pois("Cafe.asc")), WithoutFirstLine(cafes)) << kind;
    EXPECT_FALSE(TemporaryLeft()) << kind;
  }
  EXPECT_EQ(test::ReadBytes(victim), "not yours");
  // A folder there cannot be removed: the deletion fails and leaves both.
  const std::string cafes = WriteCafes(2);
  fs::create_directory(Pois("Cafe.asc2"));
  EXPECT_EQ(Delete(RealFileSystem()), DeleteResult::NotWritten);
  EXPECT_TRUE(fs::is_directory(Pois("Cafe.asc2")));
  EXPECT_EQ(test::ReadBytes(Pois("Cafe.asc")), cafes);
}

// Private positions stay private, and the file keeps its owner where the system allows.
TEST_F(DeletionSafetyTest, TheNewFileKeepsThePermissionsAndOwner) {
  const bool root = ::geteuid() == 0;  // only root can give a file to another user
  for (const unsigned mode : {0600u, 0640u, 0604u, 0660u}) {
    WriteCafes(2);
    const std::string path = Pois("Cafe.asc").string();
    ASSERT_EQ(::chmod(path.c_str(), mode), 0);
    ASSERT_TRUE(!root || ::chown(path.c_str(), 65534, 65534) == 0);
    ASSERT_EQ(Delete(RealFileSystem()), DeleteResult::Deleted) << mode;
    struct stat info {};
    ASSERT_EQ(::stat(path.c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 07777, mode);
    EXPECT_TRUE(!root || (info.st_uid == 65534 && info.st_gid == 65534)) << info.st_uid;
  }
}

// A category kept elsewhere and linked into the folder stays linked.
TEST_F(DeletionSafetyTest, ASymlinkedCategoryIsRewrittenAtItsTarget) {
  std::string cafes = "\n1.0000000, 1.0000000, \"gone\"\n2.0000000, 3.0000000, \"kept\"";
  const auto shared = folder.Write("shared/cafes.asc", cafes);
  folder.MakeFolder("pois");
  fs::create_symlink("../shared/cafes.asc", Pois("Cafe.asc"));
  EXPECT_EQ(Delete(RealFileSystem()), DeleteResult::Deleted);
  EXPECT_TRUE(fs::is_symlink(Pois("Cafe.asc")));
  EXPECT_EQ(test::ReadBytes(shared), "\n2.0000000, 3.0000000, \"kept\"");
  EXPECT_FALSE(TemporaryLeft() || fs::exists(folder.Path() / "shared/cafes.asc2"));
}

}  // namespace
}  // namespace poirec
