#include "session/RecordingSession.h"

#include <gtest/gtest.h>

#include <clocale>
#include <cstdio>
#include <string>
#include <tuple>
#include <vector>

#include "platform/TextEncoding.h"
#include "session/DialogResult.h"
#include "session/OnePress.h"
#include "support/FaultyFileSystem.h"
#include "support/TempFolder.h"

namespace poirec {
namespace {

using Calls = std::vector<std::string>;

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
  void PlaySound(SoundEvent sound) override {
    constexpr const char* kNames[] = {"start sound", "message sound", "complete sound",
                                      "failed sound"};
    calls_.push_back(kNames[static_cast<int>(sound)]);
  }
  void Explain(std::string_view why) override { calls_.push_back("why: " + std::string(why)); }
  void ShowMessageBox(std::u16string_view text) override { calls_.push_back(Utf16ToUtf8(text)); }

  void Run(std::string_view positionFile, int pageResult) {
    if (!positionFile.empty()) folder_.Write("documents/QXPosition.txt", positionFile);
    calls_.clear();
    const auto page = [&] { return calls_.push_back("page"), pageResult; };
    const auto clock = [&] {
      return calls_.push_back("clock"), LocalDateTime{2026, 12, 0, 6, 1, 20, 20, 5};
    };
    EXPECT_FALSE(RecordingSession(state_, *this, page, clock).Start());
  }
  std::filesystem::path Recorded() const { return folder_.Path() / "program/pois/recorded.asc"; }
  std::string Quoted(const char* file) const {
    return '"' + (folder_.Path() / file).string() + '"';
  }

  test::TempFolder folder_;
  ProcessState state_;
  std::vector<std::string> calls_;
};

TEST_F(RecordingSessionTest, OnlyAValidFixAndAPageEndingDoneFileTheFallbackRecordOrSayWhyNot) {
  const std::string position =
      "why: no valid GPS fix: the position file " + Quoted("documents/QXPosition.txt");
  const Calls missing{"start sound", position + " is missing", "message sound",
                      "Missing GPS-Signal !"};
  const Calls notValid{"start sound", position + " has no line \"Valid = 1\"", "message sound",
                       "Missing GPS-Signal !"};
  const Calls page{"start sound", "clock", "page"};
  const std::tuple<std::string_view, int, Calls> runs[] = {
      // the first with no position file
      {"", kResultDone, missing},
      {"Lat = 48.1\nLon = 11.5\nValid = 0\n", kResultDone, notValid},
      {kValidFix, kResultBack, page},
      {kValidFix, 0, page},
      {kValidFix, 3, page}};
  for (const auto& [file, result, calls] : runs) {
    Run(file, result);
    EXPECT_EQ(calls_, calls) << file << result;
    EXPECT_FALSE(std::filesystem::exists(Recorded())) << file << result;
  }
  Run(kValidFix, kResultDone);
  EXPECT_EQ(test::ReadBytes(Recorded()), kFallbackRecord);
  // A later run appends; consecutive records are parted by an empty line.
  Run(kValidFix, kResultDone);
  EXPECT_EQ(test::ReadBytes(Recorded()),
            std::string(kFallbackRecord) + std::string(kFallbackRecord));

  // That a record which cannot be written leaves the file as it was, the file's own tests
  // show; here what the user is told when it cannot be opened. A full disk: OnePress below.
  std::filesystem::remove_all(folder_.Path() / "program/pois");
  Run(kValidFix, kResultDone);
  EXPECT_EQ(calls_, (Calls{"start sound", "clock", "page",
                           "why: " + Quoted("program/pois/recorded.asc") +
                               " could not be opened for the record: No such file or directory",
                           "message sound", "File could not be created !"}));
}

// One press says by its sound how it went, and why on standard error; the fallback record
// follows a POI tried. The bytes filed, no fix and an unknown category: tests/e2e/one_press.sh.
TEST_F(RecordingSessionTest, OnePressSoundsHowItWentAndFilesTheFallbackRecordAfterAPoiTried) {
  folder_.Write("program/pois/Blitzer.asc", "");
  const std::string notWritten = "why: the record could not be written to " +
                                 Quoted("program/pois/Blitzer.asc") +
                                 ": No space left on device; the file is as it was";
  const std::tuple<const char16_t*, OnePressOutcome, Calls> presses[] = {
      {u"BLITZER", OnePressOutcome::Filed, {"complete sound"}},
      {u"Blitzer",
       OnePressOutcome::NotWritten,
       {notWritten, "message sound", "File could not be created !", "failed sound"}}};
  test::FaultyFileSystem fullDisk;  // for the first write only: the fallback record's goes in
  fullDisk.Fail(test::FaultyFileSystem::Call::Write, ENOSPC).Times(1);
  folder_.Write("documents/QXPosition.txt", kValidFix);
  for (const auto& [category, outcome, calls] : presses) {
    if (outcome == OnePressOutcome::NotWritten) state_.files = &fullDisk;
    calls_.clear();
    const auto clock = [] { return LocalDateTime{2026, 12, 0, 6, 1, 20, 20, 5}; };
    EXPECT_EQ(RecordOnePress(state_, *this, {category, Placement::Exact}, clock), outcome);
    EXPECT_EQ(calls_, calls) << Utf16ToUtf8(category);
  }
  EXPECT_EQ(test::ReadBytes(Recorded()),
            std::string(kFallbackRecord) + std::string(kFallbackRecord));
}

// A position file that is there but cannot be read says so, with the system's reason: a
// folder, then the process's own memory, which opens as a file but fails at its first page.
TEST_F(RecordingSessionTest, APositionFileThatCannotBeReadIsExplained) {
  const std::filesystem::path file = folder_.Path() / "documents/QXPosition.txt";
  folder_.MakeFolder("documents/QXPosition.txt");
  for (const char* why : {"Is a directory", "Input/output error"}) {
    Run("", kResultDone);
    EXPECT_EQ(calls_, (Calls{"start sound",
                             "why: no valid GPS fix: the position file " +
                                 Quoted("documents/QXPosition.txt") + " could not be read: " + why,
                             "message sound", "Missing GPS-Signal !"}));
    std::filesystem::remove(file);
    std::filesystem::create_symlink("/proc/self/mem", file);
  }
  EXPECT_FALSE(std::filesystem::exists(Recorded()));
}

TEST_F(RecordingSessionTest, WritesTheSameBytesUnderAGermanLocale) {
  const std::string previous = std::setlocale(LC_ALL, nullptr);
  if (std::setlocale(LC_ALL, "de_DE.UTF-8") == nullptr)
    GTEST_SKIP() << "the de_DE.UTF-8 locale is not installed";
  Run(kValidFix, kResultDone);
  Run("Lat = 48\nLon = 11\nValid = 1\n", kResultDone);  // whole degrees, without a point
  char printed[8];
  std::snprintf(printed, sizeof printed, "%.1f", 1.5);
  std::setlocale(LC_ALL, previous.c_str());
  EXPECT_STREQ(printed, "1,5") << "the locale did not take effect";
  EXPECT_EQ(test::ReadBytes(Recorded()),
            std::string(kFallbackRecord) +
                "\n11.0000000, 48.0000000, \"Quillon RECORD (06.12.26 01:20:20)\"\n");
}

}  // namespace
}  // namespace poirec
