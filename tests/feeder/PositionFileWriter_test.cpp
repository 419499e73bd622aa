#include "feeder/PositionFileWriter.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <filesystem>
#include <thread>
#include <vector>

#include "platform/PosixFileSystem.h"
#include "support/FaultyFileSystem.h"
#include "support/TempFolder.h"

namespace poirec {
namespace {

using test::ReadBytes;
using test::TempFolder;

std::vector<std::string> Names(const std::filesystem::path& folder) {
  std::vector<std::string> names;
  for (const auto& entry : std::filesystem::directory_iterator(folder)) {
    names.push_back(entry.path().filename().string());
  }
  std::ranges::sort(names);
  return names;
}

const std::string kMoving = "Lat = 48.1371540\nLon = 11.5761240\nCourse = 245.7\nValid = 1\n";
const std::string kLost = "Lat = -3.1000000\nLon = -2.2000000\nCourse = 0.0\nValid = 0\n";

TEST(PositionFileWriter, ReplacesTheFileWholeAndLeavesNoOtherFile) {
  TempFolder documents;
  documents.Write("QXPosition.txt", "Lat = 1.0\nValid = 1\n");
  documents.Write("notes.txt", "mine");
  PositionFileWriter writer(RealFileSystem(), documents.File("QXPosition.txt"));
  for (const std::string& text : {kMoving, kLost}) {
    std::string reason;
    ASSERT_TRUE(writer.Write(text, reason)) << reason;
    EXPECT_EQ(ReadBytes(documents.Path() / "QXPosition.txt"), text);
    EXPECT_EQ(Names(documents.Path()), (std::vector<std::string>{"QXPosition.txt", "notes.txt"}));
  }
  EXPECT_EQ(ReadBytes(documents.Path() / "notes.txt"), "mine");
}

TEST(PositionFileWriter, AFailedWriteSaysWhyAndLeavesTheFolderAsItWas) {
  TempFolder documents;
  documents.Write("QXPosition.txt", kMoving);
  documents.MakeFolder("AFolder");
  struct Case {
    std::u16string path;
    std::string reason;
  };
  const Case cases[] = {{documents.File("missing/QXPosition.txt"), "No such file or directory"},
                        {documents.File("AFolder"), "Is a directory"}};
  for (const auto& [path, expected] : cases) {
    PositionFileWriter writer(RealFileSystem(), path);
    std::string reason;
    EXPECT_FALSE(writer.Write(kLost, reason));
    EXPECT_NE(reason.find(expected), std::string::npos) << reason;
    EXPECT_EQ(Names(documents.Path()), (std::vector<std::string>{"AFolder", "QXPosition.txt"}));
  }

  // A full disk: the old text stays whole.
  test::FaultyFileSystem fullDisk;
  fullDisk.Fail(test::FaultyFileSystem::Call::Write, ENOSPC);
  PositionFileWriter writer(fullDisk, documents.File("QXPosition.txt"));
  std::string reason;
  EXPECT_FALSE(writer.Write(kLost, reason));
  EXPECT_EQ(reason, "No space left on device");
  EXPECT_EQ(ReadBytes(documents.Path() / "QXPosition.txt"), kMoving);
  EXPECT_EQ(Names(documents.Path()), (std::vector<std::string>{"AFolder", "QXPosition.txt"}));
  EXPECT_TRUE(writer.Write(kLost, reason));
}

TEST(PositionFileWriter, SkipsATemporaryNameThatIsTaken) {
  // A writer that crashed between creating its temporary file and renaming it left the file
  // behind; it is not opened again, and the next name is used.
  TempFolder documents;
  PositionFileWriter writer(RealFileSystem(), documents.File("QXPosition.txt"));
  std::string reason;
  ASSERT_TRUE(writer.Write(kLost, reason));
  const std::string next = ".QXPosition.txt." + std::to_string(::getpid()) + "-2.tmp";
  documents.Write(next, "left behind");
  ASSERT_TRUE(writer.Write(kMoving, reason)) << reason;
  EXPECT_EQ(ReadBytes(documents.Path() / "QXPosition.txt"), kMoving);
  EXPECT_EQ(ReadBytes(documents.Path() / next), "left behind");
}

TEST(PositionFileWriter, AReaderPollingTheFileAlwaysReadsAWholeText) {
  TempFolder documents;
  const std::filesystem::path file = documents.Path() / "QXPosition.txt";
  PositionFileWriter writer(RealFileSystem(), documents.File("QXPosition.txt"));
  std::string reason;
  ASSERT_TRUE(writer.Write(kLost, reason));

  std::atomic<bool> writing = true;
  std::thread reader([&] {
    int reads = 0;
    while (writing || reads == 0) {
      const std::string text = ReadBytes(file);
      ++reads;
      if (text != kMoving && text != kLost) {
        ADD_FAILURE() << "read " << text.size() << " bytes:\n" << text;
        return;
      }
    }
  });
  for (int i = 0; i < 200; ++i) {
    if (!writer.Write(i % 2 == 0 ? kMoving : kLost, reason)) ADD_FAILURE() << reason;
  }
  writing = false;
  reader.join();
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
                         PositionFileContents{48.137154, -11.5, 245.0, false}},
                        {"Valid = 0\n", PositionFileContents{}},
                        {"#!/bin/sh\nrm -rf /\n", std::nullopt},
                        {large.c_str(), std::nullopt}};
  for (const auto& [contents, expected] : cases) {
    TempFolder documents;
    if (contents != nullptr) documents.Write("QXPosition.txt", contents);
    const auto lastKnown = ReadLastKnown(RealFileSystem(), documents.File("QXPosition.txt"));
    ASSERT_EQ(lastKnown.has_value(), expected.has_value()) << (contents ? contents : "no file");
    if (!expected) continue;
    EXPECT_NEAR(lastKnown->latitude, expected->latitude, 1e-12);
    EXPECT_NEAR(lastKnown->longitude, expected->longitude, 1e-12);
    EXPECT_EQ(lastKnown->course, expected->course);
    EXPECT_FALSE(lastKnown->valid);
  }

  // A folder at the path cannot be read as a file; it is not taken for a missing file.
  TempFolder documents;
  documents.MakeFolder("QXPosition.txt");
  EXPECT_FALSE(ReadLastKnown(RealFileSystem(), documents.File("QXPosition.txt")));
}

}  // namespace
}  // namespace poirec
