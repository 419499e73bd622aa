// A deletion replaces the category file only with a complete copy made under the file's
// lock: whatever fails, the file stays byte for byte as it was, no temporary file is left,
// and the failure names the file and the reason.
#include <gtest/gtest.h>

#include <cerrno>
#include <cstring>
#include <string>
#include <utility>

#include "platform/PosixFileSystem.h"
#include "poi/NearestPoi.h"
#include "support/CategoryFolder.h"
#include "support/FaultyFileSystem.h"

namespace poirec {
namespace {

using Call = test::FaultyFileSystem::Call;
using Fault = test::FaultyFileSystem::Fault;

TEST(DeletionSafety, EveryFailureLeavesTheFileAsItWas) {
  test::CategoryFolder pois;
  // The POI to delete first, then enough that stay for the file to take several reads.
  std::string cafes = "\n1.0000000, 1.0000000, \"gone\"";
  for (int i = 0; i < 4000; ++i)
    cafes += "\n2.0000000, 3.0000000, \"kept " + std::to_string(i) + '"';
  pois.Add("Cafe", cafes);
  const NearestPoiMatch match{0, {1000000, 1000000}, u"", true};
  const std::pair<Fault, DeleteResult> faults[] = {
      // The read stops part way: what was read must not replace the file.
      {Fault(Call::Read, EIO).After(1), DeleteResult::NotOpened},
      // The user may read the file but not write it (root aside, a read-only file).
      {Fault(Call::Open, EACCES).On("Cafe.asc"), DeleteResult::NotWritten},
      {Fault(Call::Lock, EWOULDBLOCK), DeleteResult::NotWritten},         // another run keeps it
      {Fault(Call::Open, EACCES).On(".asc2"), DeleteResult::NotWritten},  // a read-only folder
      {Fault(Call::Write, ENOSPC).After(1), DeleteResult::NotWritten},    // a full disk
      {Fault(Call::Rename, EIO), DeleteResult::NotWritten},
      // The removed line cannot be kept in pois/deleted/: nothing is deleted.
      {Fault(Call::Open, EACCES).On("deleted/Cafe.asc"), DeleteResult::NotKept},
      {Fault(Call::Sync, EIO).On("deleted/Cafe.asc"), DeleteResult::NotKept},
  };
  for (const auto& [fault, result] : faults) {
    test::FaultyFileSystem files;
    files.Add(fault);
    DeleteFailure failure;
    EXPECT_EQ(DeleteNearestPoi(files, pois.table, match, &failure), result) << files.Log().back();
    EXPECT_TRUE(pois.Read("Cafe.asc") == cafes) << files.Log().back();
    EXPECT_FALSE(pois.Exists("Cafe.asc2")) << files.Log().back();
    EXPECT_EQ(failure.path, result == DeleteResult::NotKept
                                ? pois.folder.File("pois/deleted/Cafe.asc")
                                : PoiFilePath(pois.table.rows[0]));
    // A read cut short is told by the length; every other reason is the system's.
    EXPECT_TRUE(result == DeleteResult::NotOpened ||
                failure.reason.find(std::strerror(fault.error)) != std::string::npos)
        << failure.reason;
  }
  // Nothing stays locked: the next deletion goes through, though reads hand out fewer bytes
  // than asked anywhere.
  test::FaultyFileSystem files;
  files.CutReadsTo(997);
  EXPECT_EQ(DeleteNearestPoi(files, pois.table, match), DeleteResult::Deleted);
  EXPECT_EQ(pois.Read("Cafe.asc"), cafes.substr(cafes.find('\n', 1)));
  // Kept as read, all or nothing; the failed rename came after the line was kept, so it is
  // there twice: kept too often, never lost.
  const std::string gone = cafes.substr(0, cafes.find('\n', 1));
  EXPECT_EQ(pois.Read("deleted/Cafe.asc"), gone + gone);
}

}  // namespace
}  // namespace poirec
