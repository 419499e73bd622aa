#include "session/RecordingSession.h"

#include <gtest/gtest.h>

#include <clocale>
#include <string>
#include <vector>

#include "platform/TextEncoding.h"
#include "session/DialogResult.h"
#include "support/FileSizeLimit.h"
#include "support/TempFolder.h"

namespace poirec {
namespace {

constexpr std::string_view kValidFix =
    "Lat = 48.137154\r\nLon = 11.576124\r\nCourse = 245.7\r\nValid = 1\r\n";
constexpr std::string_view kFallbackRecord =
    "\n11.5761240, 48.1371500, \"Quillon RECORD (06.12.26 01:20:20)\"\n";

// A program folder with "pois" and a documents folder; the session's shell and page are
// fakes that note, in order, what the session asked of them.
class RecordingSessionTest : public ::testing::Test, public Shell {
 protected:
  RecordingSessionTest() {
    folder_.MakeFolder("program/pois");
    state_.folders.program = folder_.File("program/");
    state_.folders.documents = folder_.File("documents");
  }
  void Beep() override { calls_.push_back("beep"); }
  void ShowMessage(std::u16string_view text) override { calls_.push_back(Utf16ToUtf8(text)); }

  void Run(std::string_view positionFile, int pageResult) {
    if (!positionFile.empty()) folder_.Write("documents/QXPosition.txt", positionFile);
    calls_.clear();
    const auto page = [&] { return calls_.push_back("page"), pageResult; };
    const auto clock = [&] {
      calls_.push_back("clock");
      return LocalDateTime{2026, 12, 0, 6, 1, 20, 20, 5};
    };
    EXPECT_FALSE(RecordingSession(state_, *this, page, clock).Start());
  }
  std::filesystem::path Recorded() const { return folder_.Path() / "program/pois/recorded.asc"; }

  test::TempFolder folder_;
  ProcessState state_;
  std::vector<std::string> calls_;
};

using Calls = std::vector<std::string>;

TEST_F(RecordingSessionTest, WithoutAValidFixBeepsWarnsAndWritesNothing) {
  for (const std::string_view file : {"", "Lat = 48.1\nLon = 11.5\nValid = 0\n"}) {
    Run(file, kResultDone);
    EXPECT_EQ(calls_, (Calls{"beep", "Missing GPS-Signal !"})) << file;
    EXPECT_FALSE(std::filesystem::exists(Recorded()));
  }
}

TEST_F(RecordingSessionTest, OnlyAPageEndingDoneFilesTheFallbackRecord) {
  for (const int result : {kResultBack, 0, 3}) {
    Run(kValidFix, result);
    EXPECT_EQ(calls_, (Calls{"beep", "clock", "page"}));
    EXPECT_FALSE(std::filesystem::exists(Recorded())) << result;
  }
  Run(kValidFix, kResultDone);
  EXPECT_EQ(test::ReadBytes(Recorded()), kFallbackRecord);
  // A later run appends; consecutive records are parted by an empty line.
  Run(kValidFix, kResultDone);
  EXPECT_EQ(test::ReadBytes(Recorded()), std::string(kFallbackRecord) + std::string(kFallbackRecord));
}

TEST_F(RecordingSessionTest, AFallbackRecordThatCannotBeWrittenIsReportedAndLeavesNoTrace) {
  const std::string before = "\n1.0000000, 2.0000000, \"earlier\"\n";
  folder_.Write("program/pois/recorded.asc", before);
  folder_.Write("documents/QXPosition.txt", kValidFix);
  {
    const test::FileSizeLimit diskFull(before.size() + 20);
    Run("", kResultDone);
  }
  EXPECT_EQ(calls_, (Calls{"beep", "clock", "page", "File could not be created !"}));
  EXPECT_EQ(test::ReadBytes(Recorded()), before);

  std::filesystem::remove_all(folder_.Path() / "program/pois");
  Run(kValidFix, kResultDone);
  EXPECT_EQ(calls_.back(), "File could not be created !");
}

TEST_F(RecordingSessionTest, WritesTheSameBytesUnderAGermanLocale) {
  const std::string previous = std::setlocale(LC_ALL, nullptr);
  if (std::setlocale(LC_ALL, "de_DE.UTF-8") == nullptr) {
    GTEST_SKIP() << "the de_DE.UTF-8 locale is not installed";
  }
  Run(kValidFix, kResultDone);
  std::setlocale(LC_ALL, previous.c_str());
  EXPECT_EQ(test::ReadBytes(Recorded()), kFallbackRecord);
}

}  // namespace
}  // namespace poirec
