#include "feeder/PositionFileWriter.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <filesystem>

#include "platform/PosixFileSystem.h"
#include "position/CoordinateText.h"
#include "support/FaultyFileSystem.h"
#include "support/TempFolder.h"

namespace poirec {
namespace {

using test::ReadBytes;
using test::TempFolder;

// The writer is a thin user of FileReplacement, whose own tests hold the cases: here only
// what it chooses. Leftovers of an earlier run go at its start; the file, state of the moment,
// is never synced; a failure says why.
TEST(PositionFileWriter, ReplacesTheFileUnsyncedAfterRemovingLeftovers) {
  TempFolder documents;
  const auto leftover = documents.Write(".QXPosition.txt.999999999-1.tmp", "Valid = 1\n");
  test::FaultyFileSystem files;
  PositionFileWriter writer(files, documents.File("QXPosition.txt"));
  EXPECT_FALSE(std::filesystem::exists(leftover));
  std::string reason;
  ASSERT_TRUE(writer.Write("Valid = 0\n", reason)) << reason;
  EXPECT_EQ(ReadBytes(documents.Path() / "QXPosition.txt"), "Valid = 0\n");
  EXPECT_EQ(files.Count(test::FaultyFileSystem::Call::Sync) +
                files.Count(test::FaultyFileSystem::Call::SyncFolder),
            0);
  files.Fail(test::FaultyFileSystem::Call::Write, ENOSPC);
  EXPECT_FALSE(writer.Write("Valid = 1\n", reason));
  EXPECT_EQ(reason, "No space left on device");
}

TEST(ReadLastKnown, TakesThePositionOfAPositionFileAndLeavesOtherFilesAlone) {
  const std::string large = "Valid = 0\n" + std::string(64 * 1024, '\n');
  struct Case {
    const char* contents;  // nullptr: no file
    std::optional<PositionFileContents> lastKnown;
  };
  const Case cases[] = {{nullptr, PositionFileContents{}},
                        {"", PositionFileContents{}},
                        {"Lat = 48.1371549\nLon = -11.5\nCourse = 245.7\nValid = 1\n",
                         PositionFileContents{ToDegrees(48137154), -11.5, 245.0, false}},
                        {"Valid = 0\n", PositionFileContents{}},
                        {"#!/bin/sh\nrm -rf /\n", std::nullopt},
                        {large.c_str(), std::nullopt}};
  for (const auto& [contents, expected] : cases) {
    TempFolder documents;
    if (contents != nullptr) documents.Write("QXPosition.txt", contents);
    EXPECT_EQ(ReadLastKnown(RealFileSystem(), documents.File("QXPosition.txt")), expected)
        << (contents ? contents : "no file");
  }

  // A folder at the path cannot be read as a file; it is not taken for a missing file.
  TempFolder documents;
  documents.MakeFolder("QXPosition.txt");
  EXPECT_FALSE(ReadLastKnown(RealFileSystem(), documents.File("QXPosition.txt")));
}

}  // namespace
}  // namespace poirec
