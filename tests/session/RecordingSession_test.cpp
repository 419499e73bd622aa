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

using test::ReadBytes;
using test::TempFolder;

// Records what the session asks of the desktop, in order.
class RecordingShell final : public Shell {
 public:
  void Beep() override { calls.push_back("beep"); }
  void ShowMessage(std::u16string_view text) override {
    calls.push_back("message: " + Utf16ToUtf8(text));
  }
  std::vector<std::string> calls;
};

constexpr LocalDateTime kRecordingTime{.year = 2026, .month = 12, .dayOfWeek = 0, .day = 6,
                                       .hour = 1, .minute = 20, .second = 20, .millisecond = 5};

// A program folder with "pois", a documents folder with a position file, and a page
// that ends with a chosen result.
class RecordingSessionTest : public ::testing::Test {
 protected:
  RecordingSessionTest() {
    folder_.MakeFolder("program/pois");
    state_.folders.program = folder_.File("program/");
    state_.folders.documents = folder_.File("documents");
  }

  void WritePosition(std::string_view text) { folder_.Write("documents/QXPosition.txt", text); }

  bool Run(int pageResult) {
    RecordingSession session(
        state_, shell_,
        [this, pageResult] {
          ++pagesShown_;
          shell_.calls.push_back("page");
          return pageResult;
        },
        [this] {
          ++clockReads_;
          return kRecordingTime;
        });
    return session.Start();
  }

  std::string Recorded() const { return ReadBytes(folder_.Path() / "program/pois/recorded.asc"); }
  bool RecordedExists() const {
    return std::filesystem::exists(folder_.Path() / "program/pois/recorded.asc");
  }

  TempFolder folder_;
  ProcessState state_;
  RecordingShell shell_;
  int pagesShown_ = 0;
  int clockReads_ = 0;
};

constexpr std::string_view kValidFix =
    "Lat = 48.137154\r\nLon = 11.576124\r\nCourse = 245.7\r\nValid = 1\r\n";
constexpr std::string_view kFallbackRecord =
    "\n11.5761240, 48.1371500, \"Quillon RECORD (06.12.26 01:20:20)\"\n";

TEST_F(RecordingSessionTest, WithoutAFixBeepsWarnsAndWritesNothing) {
  EXPECT_FALSE(Run(kResultDone));
  EXPECT_EQ(shell_.calls, (std::vector<std::string>{"beep", "message: Missing GPS-Signal !"}));
  EXPECT_EQ(pagesShown_, 0);
  EXPECT_EQ(clockReads_, 0);
  EXPECT_FALSE(RecordedExists());

  WritePosition("Lat = 48.1\nLon = 11.5\nValid = 0\n");
  EXPECT_FALSE(Run(kResultDone));
  EXPECT_EQ(pagesShown_, 0);
  EXPECT_FALSE(RecordedExists());
}

TEST_F(RecordingSessionTest, APageEndingDoneFilesTheFallbackRecord) {
  WritePosition(kValidFix);
  EXPECT_FALSE(Run(kResultDone));
  EXPECT_EQ(shell_.calls, (std::vector<std::string>{"beep", "page"}));
  EXPECT_EQ(clockReads_, 1);
  EXPECT_EQ(Recorded(), kFallbackRecord);

  // A second run appends; consecutive records are parted by an empty line.
  EXPECT_FALSE(Run(kResultDone));
  EXPECT_EQ(Recorded(), std::string(kFallbackRecord) + std::string(kFallbackRecord));
}

TEST_F(RecordingSessionTest, AnyOtherPageResultWritesNothing) {
  WritePosition(kValidFix);
  for (const int result : {kResultBack, 0, -1, 3}) {
    EXPECT_FALSE(Run(result));
    EXPECT_FALSE(RecordedExists()) << result;
  }
  EXPECT_EQ(pagesShown_, 4);
}

TEST_F(RecordingSessionTest, AMissingPoisFolderIsReported) {
  WritePosition(kValidFix);
  std::filesystem::remove(folder_.Path() / "program/pois");
  EXPECT_FALSE(Run(kResultDone));
  EXPECT_EQ(shell_.calls,
            (std::vector<std::string>{"beep", "page", "message: File could not be created !"}));
}

TEST_F(RecordingSessionTest, AFailedWriteIsReportedAndLeavesTheFileAsItWas) {
  WritePosition(kValidFix);
  const std::string before = "\n1.0000000, 2.0000000, \"earlier\"\n";
  folder_.Write("program/pois/recorded.asc", before);
  {
    const test::FileSizeLimit diskFull(before.size() + 20);
    EXPECT_FALSE(Run(kResultDone));
  }
  EXPECT_EQ(shell_.calls.back(), "message: File could not be created !");
  EXPECT_EQ(Recorded(), before);
}

TEST_F(RecordingSessionTest, WritesTheSameBytesUnderAGermanLocale) {
  const std::string previous = std::setlocale(LC_ALL, nullptr);
  if (std::setlocale(LC_ALL, "de_DE.UTF-8") == nullptr) {
    GTEST_SKIP() << "the de_DE.UTF-8 locale is not installed";
  }
  WritePosition(kValidFix);
  Run(kResultDone);
  std::setlocale(LC_ALL, previous.c_str());
  EXPECT_EQ(Recorded(), kFallbackRecord);
}

}  // namespace
}  // namespace poirec
