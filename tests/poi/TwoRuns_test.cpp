// Two runs of the program meet in one category file: a double tap, a script, the position
// feeder beside the recorder. Each run is a real process here, and the file must hold
// every record that a run reported written, whole, and nothing else.
#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <memory>
#include <random>
#include <string>
#include <thread>
#include <vector>

#include "platform/PosixFileSystem.h"
#include "platform/TextEncoding.h"
#include "poi/CategoryRecord.h"
#include "poi/NearestPoi.h"
#include "poi/PoiLine.h"
#include "support/CategoryFolder.h"
#include "support/ChildProcess.h"
#include "support/FaultyFileSystem.h"

namespace poirec {
namespace {

using test::ChildProcess;
using test::StartGate;

// A record as the program writes it, line break first.
std::string Record(GeoPoint position, const std::string& name) {
  return Utf16ToUtf8(FormatRecordText(position, Utf8ToUtf16(name)));
}

// The file's lines, each with the line break before it.
std::vector<std::string> Records(const std::string& bytes) {
  std::vector<std::string> records;
  for (std::size_t at = 0; at < bytes.size();) {
    const std::size_t next = std::min(bytes.find('\n', at + 1), bytes.size());
    records.push_back(bytes.substr(at, next - at));
    at = next;
  }
  return records;
}

class TwoRunsTest : public ::testing::Test {
 protected:
  TwoRunsTest() { pois.Add("Cafe", std::nullopt); }
  // count records named "r<k>-<i>", the i-th at longitude 1 + 10 k + i / 1000 degrees.
  static std::vector<std::string> Made(int k, int count) {
    std::vector<std::string> records;
    for (int i = 0; i < count; ++i) {
      records.push_back(Record({1000000 + 10000000 * k + 1000 * i, 1000000},
                               "r" + std::to_string(k) + '-' + std::to_string(i)));
    }
    return records;
  }
  static std::string Joined(const std::vector<std::string>& records) {
    std::string bytes;
    for (const std::string& record : records) bytes += record;
    return bytes;
  }
  // Deletes the POI of a record, at the position the search reads from it (1.025 reads as
  // 1.024999); 0 when it was deleted.
  int Delete(const std::string& record) const {
    const NearestPoiMatch match{0, ParsePoiLine(DecodeCodePage(record))->position, u"", true};
    return DeleteNearestPoi(RealFileSystem(), pois.table, match) == DeleteResult::Deleted ? 0 : 1;
  }
  // Appends Made(k, count) in a run of its own once the gate opens, pausing between the
  // records; the run ends with how many it reported appended.
  std::unique_ptr<ChildProcess> Appender(FileSystem& files, int k, int count,
                                         std::chrono::microseconds pause) {
    return std::make_unique<ChildProcess>([=, this, &files] {
      gate.WaitUntilOpen();
      int appended = 0;
      for (const std::string& record : Made(k, count)) {
        appended += AppendPoiText(files, PoiFilePath(pois.table.rows[0]), Utf8ToUtf16(record)) ==
                    AppendResult::Appended;
        std::this_thread::sleep_for(pause);
      }
      return appended;
    });
  }

  test::CategoryFolder pois;
  StartGate gate;
};

// Two deletions in one file both happen, records appended meanwhile are kept, and an append
// that fails takes back its own bytes and nothing another run appended.
TEST_F(TwoRunsTest, DeletionsAndAppendsInOneFileAllHappen) {
  const std::vector<std::string> cafes = Made(0, 2000);
  pois.Write("Cafe.asc", Joined(cafes));
  // Each deletes every 50th cafe, the two taking turns: every 25th goes.
  const auto deleter = [&](int first) {
    return std::make_unique<ChildProcess>([&, first] {
      gate.WaitUntilOpen();
      int failed = 0;
      for (int i = first; i < 2000; i += 50) failed += Delete(cafes[static_cast<std::size_t>(i)]);
      return failed;
    });
  };
  const auto one = deleter(0), other = deleter(25);
  test::FaultyFileSystem failing;  // each record reaches the file, then its sync fails
  failing.Fail(test::FaultyFileSystem::Call::Sync, EIO)
      .Times(-1)
      .Pausing(std::chrono::milliseconds(2));
  const auto pause = std::chrono::microseconds(500);
  const auto first = Appender(RealFileSystem(), 1, 200, pause),
             second = Appender(RealFileSystem(), 2, 200, pause),
             failer = Appender(failing, 3, 50, std::chrono::microseconds(0));
  gate.Open();
  EXPECT_EQ(one->Wait() + other->Wait(), 0);
  EXPECT_EQ(first->Wait() + second->Wait(), 400) << "appends failed";
  EXPECT_EQ(failer->Wait(), 0);

  // Every record is whole and where it belongs: the survivors in their order, and each
  // appender's records in theirs, interleaved in any way; and nothing else.
  std::vector<std::string> records = Records(pois.Read("Cafe.asc"));
  std::ranges::stable_sort(records, {}, [](const std::string& r) { return r[r.find("\"r") + 2]; });
  std::string survivors;
  for (std::size_t i = 0; i < cafes.size(); ++i) {
    if (i % 25 != 0) survivors += cafes[i];
  }
  EXPECT_EQ(Joined(records), survivors + Joined(Made(1, 200)) + Joined(Made(2, 200)));
  EXPECT_FALSE(pois.Exists("Cafe.asc2"));
}

TEST_F(TwoRunsTest, ADeletionKilledAnywhereLeavesTheOldOrTheNewFile) {
  const std::vector<std::string> cafes = Made(0, 1000);
  const std::string before = Joined(cafes), after = before.substr(cafes[0].size());
  pois.Write("Cafe.asc", before);
  const auto run = [&] { return std::make_unique<ChildProcess>([&] { return Delete(cafes[0]); }); };
  // How long a whole run takes here, so that the kills fall before, during and after
  // its work.
  const auto start = std::chrono::steady_clock::now();
  ASSERT_EQ(run()->Wait(), 0);
  const auto span = std::chrono::duration_cast<std::chrono::microseconds>(
      std::chrono::steady_clock::now() - start);
  std::mt19937 random(8);
  std::uniform_int_distribution<long> delay(0, span.count() * 5 / 4);

  int temporaryLeft = 0;
  for (int round = 0; round < 200; ++round) {
    pois.Write("Cafe.asc", before);
    auto deletion = run();
    std::this_thread::sleep_for(std::chrono::microseconds(delay(random)));
    deletion->Kill();
    deletion->Wait();
    const std::string bytes = pois.Read("Cafe.asc");
    ASSERT_TRUE(bytes == before || bytes == after) << "round " << round << ": " << bytes.size();
    temporaryLeft += pois.Exists("Cafe.asc2") ? 1 : 0;
  }
  // Kills fell inside the rewrite, not only before or after it.
  EXPECT_GT(temporaryLeft, 0);
  // What a killed run left in the way does not keep the next one from its work.
  pois.Write("Cafe.asc", before);
  ASSERT_EQ(run()->Wait(), 0);
  EXPECT_EQ(pois.Read("Cafe.asc"), after);
  EXPECT_FALSE(pois.Exists("Cafe.asc2"));
}

}  // namespace
}  // namespace poirec
