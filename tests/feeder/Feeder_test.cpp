#include "feeder/Feeder.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
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

const std::string kBoot = "5c1b7a8e-0f7e-4bd5-9d0b-3d2a6f1c9e42";

// One write the feeder tried: when, what the four keys said, whether it was written.
struct Attempt {
  int ms;
  double latitude, longitude, course;
  bool valid;
  bool written = true;
  bool operator==(const Attempt&) const = default;
  friend std::ostream& operator<<(std::ostream& out, const Attempt& a) {
    return out << a.ms << " ms: " << a.latitude << ", " << a.longitude << ", " << a.course
               << (a.valid ? " valid" : " not valid") << (a.written ? "" : " (failed)");
  }
};

// Keeps every text the feeder writes, with its time, and checks its stamp; fails the
// attempts it is told to, and empties the file when asked.
class RecordingFile final : public PositionSink {
 public:
  explicit RecordingFile(const ScriptedGps& clock) : clock_(clock) {}
  std::vector<Attempt> attempts;
  std::vector<int> failing;  // the numbers (from 0) of the attempts that fail
  bool emptyFails = false;
  int empties = 0;

  bool Write(std::string_view text, std::string& reason) override {
    const std::string stamp = FormatFreshnessStamp(kBoot, clock_.now.time_since_epoch());
    EXPECT_TRUE(text.ends_with(stamp)) << text;
    text.remove_suffix(std::min(stamp.size(), text.size()));
    const int ms = ScriptedGps::Ms(clock_.now);
    const bool fails = std::ranges::count(failing, static_cast<int>(attempts.size())) > 0;
    attempts.push_back({ms, 0, 0, 0, text.ends_with("Valid = 1\n"), !fails});
    std::sscanf(std::string(text).c_str(), "Lat = %lf\nLon = %lf\nCourse = %lf",
                &attempts.back().latitude, &attempts.back().longitude, &attempts.back().course);
    if (fails) reason = "No space left on device";
    return !fails;
  }

  bool Empty(std::string& reason) override {
    ++empties;
    if (emptyFails) reason = "Permission denied";
    return !emptyFails;
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

int Count(const std::string& text, std::string_view part) {
  int count = 0;
  for (auto at = text.find(part); at != std::string::npos; at = text.find(part, at + 1)) ++count;
  return count;
}

// A run from its start to its stop: what gpsd does, and what the file and the log get.
struct Timeline {
  const char* name;
  std::deque<ScriptedGps::Entry> events;
  std::vector<Attempt> writes;
  std::vector<std::pair<std::string, int>> logCounts;  // parts of the log, and how often
  std::deque<bool> connects = {};                      // Connect's results; then true
  std::vector<int> connectAttempts = {0};
  std::vector<int> failing = {};
  bool emptyFails = false;
  int status = 0;
  PositionFileContents lastKnown = {};
};

TEST(RunFeeder, FollowsItsTimelines) {
  const std::string kCannotWrite =
      "poirecorder-gpsd: cannot write QXPosition.txt: No space "
      "left on device; ";
  const Timeline timelines[] = {
      {"writes not valid at once, then every change at most five times a second, and a valid "
       "fix at least once a second",
       {{1000, Report(48.1, 11.5, 90.0)},
        {2000, Report(48.1, 11.5, std::nullopt)},  // says the same: written for its stamp
        {2500, Report(48.2, 11.5, 90.0)},
        {2550, Report(48.3, 11.5, 90.0)},  // within 200 ms of the last write
        {2600, Report(48.4, 11.5, 90.0)},  // the latest is written when the time comes
        {3000, kStop}},
       {{0, 47.0, 10.0, 45.0, false},
        {1000, 48.1, 11.5, 90.0, true},
        {2000, 48.1, 11.5, 90.0, true},
        {2500, 48.2, 11.5, 90.0, true},
        {2700, 48.4, 11.5, 90.0, true},
        {3000, 48.4, 11.5, 90.0, false}},
       {{"cannot", 0}},
       {},
       {0},
       {},
       false,
       0,
       {47.0, 10.0, 45.0, true}},
      {"not valid when the fix is lost or stale, and then written only when it changes",
       {{1000, Report(48.1, 11.5, 90.0)},
        {2000, Report(48.1, 11.5, 90.0, FixMode::NoFix)},
        {3000, Report(48.2, 11.6, std::nullopt)},
        // silence: stale 3 s after the last report, at 6000
        {9000, kStop}},
       {{0, 0.0, 0.0, 0.0, false},
        {1000, 48.1, 11.5, 90.0, true},
        {2000, 48.1, 11.5, 90.0, false},
        {3000, 48.2, 11.6, 90.0, true},
        {4000, 48.2, 11.6, 90.0, true},
        {5000, 48.2, 11.6, 90.0, true},
        {6000, 48.2, 11.6, 90.0, false},
        {9000, 48.2, 11.6, 90.0, false}},
       {}},
      {"when gpsd goes away, not valid at once, and connects again with growing waits",
       {{1000, Report(48.1, 11.5, 90.0)},
        {2000, kLost},
        {2100, Report(48.2, 11.6, 80.0)},  // comes once connected again
        {16000, kStop}},
       {{0, 0.0, 0.0, 0.0, false},
        {1000, 48.1, 11.5, 90.0, true},
        {2000, 48.1, 11.5, 90.0, false},
        {13500, 48.2, 11.6, 80.0, true},
        {14500, 48.2, 11.6, 80.0, true},
        {15500, 48.2, 11.6, 80.0, true},
        {16000, 48.2, 11.6, 80.0, false}},
       {{"lost the connection to gpsd at localhost:2947; trying again", 1},
        {"connected to gpsd", 2},
        {"cannot reach", 0}},
       {true, false, false, false, false, true},
       // Waits of 0.5, 1, 2 and 4 seconds, and no more than 4.
       {0, 2500, 3500, 5500, 9500, 13500}},
      {"says once that gpsd cannot be reached, and keeps trying",
       {{4000, Report(48.1, 11.5, 90.0)}, {4100, kStop}},
       {{0, 0.0, 0.0, 0.0, false}, {4000, 48.1, 11.5, 90.0, true}, {4100, 48.1, 11.5, 90.0, false}},
       {{"poirecorder-gpsd: cannot reach gpsd at localhost:2947 (Connection refused); trying "
         "again\n",
         1}},
       {false, false, false, true},
       {0, 500, 1500, 3500}},
      {"a failed write empties the file, is reported once and tried again with the next report",
       {{1000, Report(48.1, 11.5, 90.0)},
        {1300, Report(48.2, 11.5, 90.0)},
        // no report after 1300: the next try comes a second after the failure
        {2500, kStop}},
       {{0, 0.0, 0.0, 0.0, false},
        {1000, 48.1, 11.5, 90.0, true, false},
        {1300, 48.2, 11.5, 90.0, true, false},
        {2300, 48.2, 11.5, 90.0, true},
        {2500, 48.2, 11.5, 90.0, false}},
       {{kCannotWrite + "emptied it, so that it gives no fix; trying again with the next report\n",
         1},
        {"cannot write", 1},
        {"QXPosition.txt written again", 1}},
       {},
       {0},
       {1, 2}},
      {"ends with 1 when not valid cannot be written at the stop",
       {{1000, Report(48.1, 11.5, 90.0)}, {1500, kStop}},
       {{0, 0.0, 0.0, 0.0, false},
        {1000, 48.1, 11.5, 90.0, true},
        {1500, 48.1, 11.5, 90.0, false, false}},
       {{kCannotWrite + "cannot empty it either (Permission denied): it may still say Valid = 1\n",
         1}},
       {},
       {0},
       {2},
       true,
       1}};
  for (const Timeline& timeline : timelines) {
    SCOPED_TRACE(timeline.name);
    ScriptedGps gps;
    gps.events = timeline.events;
    gps.connectResults = timeline.connects;
    RecordingFile file(gps);
    file.failing = timeline.failing;
    file.emptyFails = timeline.emptyFails;
    FeederSettings settings;
    settings.fileName = "QXPosition.txt";
    settings.bootId = kBoot;
    std::ostringstream log;
    EXPECT_EQ(RunFeeder(gps, gps, file, settings, timeline.lastKnown, log), timeline.status);
    EXPECT_TRUE(gps.events.empty()) << "the run ended before the script";
    EXPECT_EQ(file.attempts, timeline.writes);
    EXPECT_EQ(file.empties, std::ranges::count(timeline.writes, false, &Attempt::written));
    EXPECT_EQ(gps.connectAttempts, timeline.connectAttempts);
    for (const auto& [part, count] : timeline.logCounts) {
      EXPECT_EQ(Count(log.str(), part), count) << part << " in:\n" << log.str();
    }
  }
}

}  // namespace
}  // namespace poirec
