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
  std::u16string Cafe() const { return PoiFilePath(pois.table.rows[0]); }
  // count records, the i-th at longitude 1 + i / 1000 degrees; returns them and writes them.
  std::vector<std::string> WriteCafes(int count) const {
    std::vector<std::string> records;
    for (int i = 0; i < count; ++i)
      records.push_back(Record({1000000 + 1000 * i, 1000000}, "cafe " + std::to_string(i)));
    pois.Write("Cafe.asc", Joined(records));
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
  // Appends count records named "A<k>-<i>" in a run of its own, pausing between them, and
  // notes in "outcome-<k>" which were appended (A) and which failed (F).
  std::unique_ptr<ChildProcess> Appender(FileSystem& files, int k, int count,
                                         std::chrono::microseconds pause, StartGate& gate) const {
    return std::make_unique<ChildProcess>([this, &files, k, count, pause, &gate] {
      gate.WaitUntilOpen();
      std::string outcome;
      for (int i = 0; i < count; ++i) {
        const AppendResult result = AppendPoiText(files, Cafe(), Utf8ToUtf16(Appended(k, i)));
        outcome += result == AppendResult::Appended ? 'A' : 'F';
        std::this_thread::sleep_for(pause);
      }
      pois.folder.Write("outcome-" + std::to_string(k), outcome);
      return 0;
    });
  }
  static std::string Appended(int k, int i) {
    return Record({50000000 + 100000 * k + i, 2000000},
                  "A" + std::to_string(k) + '-' + std::to_string(i));
  }
  // The records appender k reported appended, in its order.
  std::vector<std::string> AppendedBy(int k) const {
    const std::string outcome =
        test::ReadBytes(pois.folder.Path() / ("outcome-" + std::to_string(k)));
    std::vector<std::string> records;
    for (std::size_t i = 0; i < outcome.size(); ++i) {
      if (outcome[i] == 'A') records.push_back(Appended(k, static_cast<int>(i)));
    }
    return records;
  }
  bool TemporaryLeft() const { return pois.Exists("Cafe.asc2"); }

  test::CategoryFolder pois;
};

// Two deletions in one file both happen, and records appended meanwhile are kept.
TEST_F(TwoRunsTest, DeletionsAndAppendsInOneFileAllHappen) {
  const std::vector<std::string> cafes = WriteCafes(2000);
  StartGate gate;
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
  constexpr int kAppenders = 2, kRecords = 200;
  std::vector<std::unique_ptr<ChildProcess>> appenders;
  for (int k = 0; k < kAppenders; ++k) {
    appenders.push_back(
        Appender(RealFileSystem(), k, kRecords, std::chrono::microseconds(500), gate));
  }
  gate.Open();
  EXPECT_EQ(one->Wait() + other->Wait(), 0);
  for (const auto& appender : appenders) ASSERT_EQ(appender->Wait(), 0);

  // Every record is whole and where it belongs: the survivors in their order, then each
  // appender's records in theirs, interleaved in any way.
  const std::vector<std::string> records = Records(pois.Read("Cafe.asc"));
  std::vector<std::string> expected;
  for (std::size_t i = 0; i < cafes.size(); ++i) {
    if (i % 25 != 0) expected.push_back(cafes[i]);
  }
  std::size_t appended = 0;
  for (int k = 0; k < kAppenders; ++k) {
    const std::vector<std::string> own = AppendedBy(k);
    appended += own.size();
    std::vector<std::string> found;
    std::copy_if(records.begin(), records.end(), std::back_inserter(found),
                 [&](const std::string& r) { return std::count(own.begin(), own.end(), r) > 0; });
    EXPECT_EQ(found, own) << "appender " << k;
    expected.insert(expected.end(), own.begin(), own.end());
  }
  EXPECT_EQ(appended, std::size_t{kAppenders * kRecords}) << "appends failed";
  std::vector<std::string> sorted = records;
  std::sort(sorted.begin(), sorted.end());
  std::sort(expected.begin(), expected.end());
  EXPECT_EQ(sorted, expected);
  EXPECT_FALSE(TemporaryLeft());
}

// An append that fails takes back its own bytes and nothing another run appended.
TEST_F(TwoRunsTest, AFailingAppendTakesBackOnlyItsOwnRecord) {
  const std::vector<std::string> cafes = WriteCafes(10);
  test::FaultyFileSystem failing;  // each record reaches the file, then its sync fails
  failing.Fail(test::FaultyFileSystem::Call::Sync, EIO)
      .Times(-1)
      .Pausing(std::chrono::milliseconds(2));
  StartGate gate;
  auto failer = Appender(failing, 0, 50, std::chrono::microseconds(0), gate);
  auto worker = Appender(RealFileSystem(), 1, 200, std::chrono::microseconds(200), gate);
  gate.Open();
  ASSERT_EQ(failer->Wait(), 0);
  ASSERT_EQ(worker->Wait(), 0);
  EXPECT_EQ(AppendedBy(0), std::vector<std::string>());
  EXPECT_EQ(AppendedBy(1).size(), 200u);
  EXPECT_EQ(pois.Read("Cafe.asc"), Joined(cafes) + Joined(AppendedBy(1)));
}

TEST_F(TwoRunsTest, ADeletionKilledAnywhereLeavesTheOldOrTheNewFile) {
  const std::vector<std::string> cafes = WriteCafes(1000);
  const std::string before = Joined(cafes), after = before.substr(cafes[0].size());
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
    temporaryLeft += TemporaryLeft() ? 1 : 0;
  }
  // Kills fell inside the rewrite, not only before or after it.
  EXPECT_GT(temporaryLeft, 0);
  // What a killed run left in the way does not keep the next one from its work.
  pois.Write("Cafe.asc", before);
  ASSERT_EQ(run()->Wait(), 0);
  EXPECT_EQ(pois.Read("Cafe.asc"), after);
  EXPECT_FALSE(TemporaryLeft());
}

}  // namespace
}  // namespace poirec
