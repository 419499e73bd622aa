#include "feeder/Feeder.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <deque>
#include <sstream>
#include <vector>

namespace poirec {
namespace {

using std::chrono::milliseconds;
using Kind = GpsEvent::Kind;

const TimePoint kStart{std::chrono::seconds(1000)};

TimePoint At(int ms) { return kStart + milliseconds(ms); }

// gpsd and the clock as a script: each event happens at its time, unless the feeder's
// deadline comes first; reports and losses wait until the feeder is connected. Time passes
// only while the feeder waits.
class ScriptedGps final : public GpsSource, public Clock {
 public:
  struct Entry {
    int ms;
    GpsEvent event;
  };
  std::deque<Entry> events;
  std::deque<bool> connectResults;  // true when empty
  std::vector<int> connectAttempts;
  TimePoint now = kStart;

  TimePoint Now() override { return now; }

  bool Connect(std::string& reason) override {
    connectAttempts.push_back(Ms(now));
    connected_ = connectResults.empty() || connectResults.front();
    if (!connectResults.empty()) connectResults.pop_front();
    if (!connected_) reason = "Connection refused";
    return connected_;
  }

  void Disconnect() override { connected_ = false; }

  GpsEvent Wait(TimePoint deadline) override {
    if (!events.empty()) {
      const Entry next = events.front();
      const bool canHappen = connected_ || next.event.kind == Kind::Stop;
      if (canHappen && At(next.ms) <= deadline) {
        events.pop_front();
        now = std::max(now, At(next.ms));
        return next.event;
      }
    }
    if (deadline == TimePoint::max()) {
      ADD_FAILURE() << "the feeder waits for ever";
      return {Kind::Stop, {}};
    }
    // A feeder that asks again and again to wait until a moment already past would spin
    // for ever; after many such waits in a row the script ends it as a failure.
    stalledWaits_ = deadline <= now ? stalledWaits_ + 1 : 0;
    if (stalledWaits_ > kMostStalledWaits) {
      ADD_FAILURE() << "the feeder keeps waiting for a moment that has passed";
      return {Kind::Stop, {}};
    }
    now = std::max(now, deadline);
    return {Kind::Quiet, {}};
  }

  static int Ms(TimePoint time) {
    return static_cast<int>(std::chrono::duration_cast<milliseconds>(time - kStart).count());
  }

 private:
  static constexpr int kMostStalledWaits = 1000;
  bool connected_ = false;
  int stalledWaits_ = 0;
};

// Keeps every text the feeder writes, with its time; fails the attempts it is told to.
class RecordingFile final : public PositionSink {
 public:
  struct Attempt {
    int ms;
    std::string text;
    bool written;
    bool operator==(const Attempt&) const = default;
  };
  explicit RecordingFile(const ScriptedGps& clock) : clock_(clock) {}
  std::vector<Attempt> attempts;
  std::vector<int> failing;  // the numbers (from 0) of the attempts that fail

  bool Write(std::string_view text, std::string& reason) override {
    const bool fails = std::ranges::count(failing, static_cast<int>(attempts.size())) > 0;
    attempts.push_back({ScriptedGps::Ms(clock_.now), std::string(text), !fails});
    if (fails) reason = "No space left on device";
    return !fails;
  }

 private:
  const ScriptedGps& clock_;
};

GpsEvent Report(double latitude, double longitude, std::optional<double> course,
                FixMode mode = FixMode::ThreeD) {
  return {Kind::Report, {mode, latitude, longitude, course}};
}
const GpsEvent kLost{Kind::Lost, {}};
const GpsEvent kStop{Kind::Stop, {}};

std::string Says(double latitude, double longitude, double course, bool valid) {
  return FormatPositionFile({latitude, longitude, course, valid});
}

struct Outcome {
  int status;
  std::string log;
};

Outcome RunScript(ScriptedGps& gps, RecordingFile& file, PositionFileContents lastKnown = {}) {
  FeederSettings settings;
  settings.fileName = "QXPosition.txt";
  std::ostringstream log;
  const int status = RunFeeder(gps, gps, file, settings, lastKnown, log);
  EXPECT_TRUE(gps.events.empty()) << "the run ended before the script";
  return {status, log.str()};
}

int Count(const std::string& text, std::string_view part) {
  int count = 0;
  for (auto at = text.find(part); at != std::string::npos; at = text.find(part, at + 1)) ++count;
  return count;
}

TEST(RunFeeder, WritesNotValidAtOnceThenEveryChangeAtMostFiveTimesASecond) {
  ScriptedGps gps;
  RecordingFile file(gps);
  gps.events = {{1000, Report(48.1, 11.5, 90.0)},
                {2000, Report(48.1, 11.5, std::nullopt)},  // says the same: not written
                {2500, Report(48.2, 11.5, 90.0)},
                {2550, Report(48.3, 11.5, 90.0)},  // within 200 ms of the last write
                {2600, Report(48.4, 11.5, 90.0)},  // the latest is written when the time comes
                {3000, kStop}};
  const Outcome run = RunScript(gps, file, {47.0, 10.0, 45.0, true});
  EXPECT_EQ(run.status, 0);
  EXPECT_EQ(file.attempts,
            (std::vector<RecordingFile::Attempt>{{0, Says(47.0, 10.0, 45.0, false), true},
                                                 {1000, Says(48.1, 11.5, 90.0, true), true},
                                                 {2500, Says(48.2, 11.5, 90.0, true), true},
                                                 {2700, Says(48.4, 11.5, 90.0, true), true},
                                                 {3000, Says(48.4, 11.5, 90.0, false), true}}));
  EXPECT_EQ(gps.connectAttempts, std::vector<int>{0});
}

TEST(RunFeeder, WritesNotValidWhenTheFixIsLostOrStale) {
  ScriptedGps gps;
  RecordingFile file(gps);
  gps.events = {{1000, Report(48.1, 11.5, 90.0)},
                {2000, Report(48.1, 11.5, 90.0, FixMode::NoFix)},
                {3000, Report(48.2, 11.6, std::nullopt)},
                // silence: stale 3 s after the last report, at 6000
                {9000, kStop}};
  RunScript(gps, file);
  EXPECT_EQ(file.attempts,
            (std::vector<RecordingFile::Attempt>{{0, Says(0.0, 0.0, 0.0, false), true},
                                                 {1000, Says(48.1, 11.5, 90.0, true), true},
                                                 {2000, Says(48.1, 11.5, 90.0, false), true},
                                                 {3000, Says(48.2, 11.6, 90.0, true), true},
                                                 {6000, Says(48.2, 11.6, 90.0, false), true},
                                                 {9000, Says(48.2, 11.6, 90.0, false), true}}));
}

TEST(RunFeeder, WhenGpsdGoesAwayWritesNotValidAndReconnectsWithGrowingWaits) {
  ScriptedGps gps;
  RecordingFile file(gps);
  gps.connectResults = {true, false, false, false, false, true};
  gps.events = {{1000, Report(48.1, 11.5, 90.0)},
                {2000, kLost},
                {2100, Report(48.2, 11.6, 80.0)},  // comes once connected again
                {16000, kStop}};
  const Outcome run = RunScript(gps, file);
  // Waits of 0.5, 1, 2 and 4 seconds, and no more than 4.
  EXPECT_EQ(gps.connectAttempts, (std::vector<int>{0, 2500, 3500, 5500, 9500, 13500}));
  EXPECT_EQ(file.attempts,
            (std::vector<RecordingFile::Attempt>{{0, Says(0.0, 0.0, 0.0, false), true},
                                                 {1000, Says(48.1, 11.5, 90.0, true), true},
                                                 {2000, Says(48.1, 11.5, 90.0, false), true},
                                                 {13500, Says(48.2, 11.6, 80.0, true), true},
                                                 {16000, Says(48.2, 11.6, 80.0, false), true}}));
  EXPECT_EQ(Count(run.log, "lost the connection to gpsd at localhost:2947; trying again"), 1);
  EXPECT_EQ(Count(run.log, "connected to gpsd"), 2);
  EXPECT_EQ(Count(run.log, "cannot reach"), 0) << run.log;
}

TEST(RunFeeder, SaysOnceThatGpsdCannotBeReachedAndKeepsTrying) {
  ScriptedGps gps;
  RecordingFile file(gps);
  gps.connectResults = {false, false, false, true};
  gps.events = {{4000, Report(48.1, 11.5, 90.0)}, {4100, kStop}};
  const Outcome run = RunScript(gps, file);
  EXPECT_EQ(gps.connectAttempts, (std::vector<int>{0, 500, 1500, 3500}));
  EXPECT_EQ(Count(run.log,
                  "poirecorder-gpsd: cannot reach gpsd at localhost:2947 (Connection refused); "
                  "trying again\n"),
            1)
      << run.log;
  EXPECT_EQ(file.attempts.size(), 3u);
  EXPECT_EQ(file.attempts[1], (RecordingFile::Attempt{4000, Says(48.1, 11.5, 90.0, true), true}));
}

TEST(RunFeeder, AFailedWriteIsReportedOnceAndTriedAgainWithTheNextReport) {
  ScriptedGps gps;
  RecordingFile file(gps);
  file.failing = {1, 2};
  gps.events = {{1000, Report(48.1, 11.5, 90.0)},
                {1300, Report(48.2, 11.5, 90.0)},
                // no report after 1300: the next try comes a second after the failure
                {2500, kStop}};
  const Outcome run = RunScript(gps, file);
  EXPECT_EQ(run.status, 0);
  EXPECT_EQ(file.attempts,
            (std::vector<RecordingFile::Attempt>{{0, Says(0.0, 0.0, 0.0, false), true},
                                                 {1000, Says(48.1, 11.5, 90.0, true), false},
                                                 {1300, Says(48.2, 11.5, 90.0, true), false},
                                                 {2300, Says(48.2, 11.5, 90.0, true), true},
                                                 {2500, Says(48.2, 11.5, 90.0, false), true}}));
  EXPECT_EQ(Count(run.log,
                  "poirecorder-gpsd: cannot write QXPosition.txt: No space left on "
                  "device; trying again with the next report\n"),
            1)
      << run.log;
  EXPECT_EQ(Count(run.log, "QXPosition.txt written again"), 1);
}

TEST(RunFeeder, EndsWithOneWhenNotValidCannotBeWrittenAtTheStop) {
  ScriptedGps gps;
  RecordingFile file(gps);
  file.failing = {2};
  gps.events = {{1000, Report(48.1, 11.5, 90.0)}, {1500, kStop}};
  const Outcome run = RunScript(gps, file);
  EXPECT_EQ(run.status, 1);
  EXPECT_EQ(file.attempts.back().text, Says(48.1, 11.5, 90.0, false));
  EXPECT_EQ(Count(run.log, "it may still say Valid = 1"), 1) << run.log;
}

}  // namespace
}  // namespace poirec
