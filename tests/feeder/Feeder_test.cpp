#include "feeder/Feeder.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
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
  using Entry = std::pair<int, GpsEvent>;  // an event and its time
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
      const bool canHappen = connected_ || next.second.kind == Kind::Stop;
      if (canHappen && At(next.first) <= deadline) {
        events.pop_front();
        now = std::max(now, At(next.first));
        return next.second;
      }
    }
    // A feeder that waits for nothing, or asks again and again to wait until a moment
    // already past, would wait or spin for ever; the script ends it as a failure.
    stalledWaits_ = deadline <= now ? stalledWaits_ + 1 : 0;
    if (deadline == TimePoint::max() || stalledWaits_ > kMostStalledWaits) {
      ADD_FAILURE() << "the feeder waits for ever, or for a moment that has passed";
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

// Keeps every write the feeder tries as "1000=48.1,11.5,90+": its time, the position and
// course, + for a valid fix or - for none; a failed write is followed by "!", and then by "e"
// when the file was emptied or "E" when it could not be. The writes to come, in this form,
// are the script: the attempts marked so fail. Every write's stamp is checked.
class RecordingFile final : public PositionSink {
 public:
  RecordingFile(const ScriptedGps& clock, const std::string& expected)
      : clock_(clock), script_(expected) {}
  std::string attempts;

  bool Write(std::string_view text, std::string& reason) override {
    const std::string stamp = FormatFreshnessStamp(kBoot, clock_.now.time_since_epoch());
    EXPECT_TRUE(text.ends_with(stamp)) << text;
    double latitude = 0, longitude = 0, course = 0;
    std::sscanf(std::string(text).c_str(), "Lat = %lf\nLon = %lf\nCourse = %lf", &latitude,
                &longitude, &course);
    std::string expected;  // none once the script has ended: the write goes in
    script_ >> expected;
    mark_ = expected.substr(expected.find_last_of("+-") + 1);
    std::ostringstream line;
    line << (attempts.empty() ? "" : " ") << ScriptedGps::Ms(clock_.now) << '=' << latitude << ','
         << longitude << ',' << course << (text.find("Valid = 1\n") != text.npos ? "+" : "-")
         << (mark_.empty() ? "" : "!");
    attempts += line.str();
    reason = "No space left on device";
    return mark_.empty();
  }

  bool Empty(std::string& reason) override {
    attempts += mark_.ends_with('E') ? "E" : "e";
    reason = "Permission denied";
    return !mark_.ends_with('E');
  }

 private:
  const ScriptedGps& clock_;
  std::istringstream script_;  // the writes to come
  std::string mark_;           // of the latest write
};

// What gpsd does at a time: a report, the end of the connection, or the stop.
ScriptedGps::Entry Fix(int ms, double latitude, double longitude, std::optional<double> course,
                       FixMode mode = FixMode::ThreeD) {
  return {ms, {Kind::Report, {mode, latitude, longitude, course}}};
}
ScriptedGps::Entry Lost(int ms) { return {ms, {Kind::Lost, {}}}; }
ScriptedGps::Entry Stop(int ms) { return {ms, {Kind::Stop, {}}}; }

// A run from its start, on a file that said 47, 10, 45, Valid = 1, to its stop: what gpsd
// does, what the file gets, and what the log says after its first line.
struct Timeline {
  const char* name;
  std::deque<ScriptedGps::Entry> events;
  const char* writes;
  std::string log;
  std::deque<bool> connects = {};  // Connect's results; then true
  std::vector<int> connectAttempts = {0};
};

TEST(RunFeeder, FollowsItsTimelines) {
  const std::string kConnected = "poirecorder-gpsd: connected to gpsd at localhost:2947\n";
  const std::string kCannotWrite =
      "poirecorder-gpsd: cannot write QXPosition.txt: No space left on device; ";
  const std::string kNotEmptied =
      kCannotWrite + "cannot empty it either (Permission denied): it may still say Valid = 1";
  const std::string kAgain = "; trying again with the next report\n";
  const Timeline timelines[] = {
      {"not valid at once; then each change, at most five times a second (48.3 is never "
       "written), and a valid fix at least once a second (at 2000, for its stamp)",
       {Fix(1000, 48.1, 11.5, 90.0), Fix(2000, 48.1, 11.5, std::nullopt),
        Fix(2500, 48.2, 11.5, 90.0), Fix(2550, 48.3, 11.5, 90.0), Fix(2600, 48.4, 11.5, 90.0),
        Stop(3000)},
       "0=47,10,45- 1000=48.1,11.5,90+ 2000=48.1,11.5,90+ 2500=48.2,11.5,90+ 2700=48.4,11.5,90+ "
       "3000=48.4,11.5,90-",
       kConnected},
      {"not valid when the fix is lost or stale (3 s after its report), then only on a change",
       {Fix(1000, 48.1, 11.5, 90.0), Fix(2000, 48.1, 11.5, 90.0, FixMode::NoFix),
        Fix(3000, 48.2, 11.6, std::nullopt), Stop(9000)},
       "0=47,10,45- 1000=48.1,11.5,90+ 2000=48.1,11.5,90- 3000=48.2,11.6,90+ 4000=48.2,11.6,90+ "
       "5000=48.2,11.6,90+ 6000=48.2,11.6,90- 9000=48.2,11.6,90-",
       kConnected},
      {"says once that gpsd cannot be reached and keeps trying; when gpsd goes away, not valid "
       "at once; connects again after 0.5, 1, 2, 4, 4 s; the report of 3100 comes then",
       {Fix(2000, 48.1, 11.5, 90.0), Lost(3000), Fix(3100, 48.2, 11.6, 80.0), Stop(16000)},
       "0=47,10,45- 2000=48.1,11.5,90+ 3000=48.1,11.5,90- 14500=48.2,11.6,80+ "
       "15500=48.2,11.6,80+ 16000=48.2,11.6,80-",
       "poirecorder-gpsd: cannot reach gpsd at localhost:2947 (Connection refused); trying again\n"
       "poirecorder-gpsd: connected to gpsd at localhost:2947\n"
       "poirecorder-gpsd: lost the connection to gpsd at localhost:2947; trying again\n"
       "poirecorder-gpsd: connected to gpsd at localhost:2947\n",
       {false, false, true, false, false, false, false, true},
       {0, 500, 1500, 3500, 4500, 6500, 10500, 14500}},
      {"a failed write empties the file, is reported once, and is tried again with the next "
       "report or a second later",
       {Fix(1000, 48.1, 11.5, 90.0), Fix(1300, 48.2, 11.5, 90.0), Stop(2500)},
       "0=47,10,45- 1000=48.1,11.5,90+!e 1300=48.2,11.5,90+!e 2300=48.2,11.5,90+ "
       "2500=48.2,11.5,90-",
       kConnected + kCannotWrite + "emptied it, so that it gives no fix" + kAgain +
           "poirecorder-gpsd: QXPosition.txt written again\n"},
      {"a failed write at the stop is reported again, and ends the run with 1",
       {Fix(1000, 48.1, 11.5, 90.0), Stop(1500)},
       "0=47,10,45- 1000=48.1,11.5,90+!E 1500=48.1,11.5,90-!E",
       kConnected + kNotEmptied + kAgain + kNotEmptied + "\n"}};
  for (const Timeline& timeline : timelines) {
    SCOPED_TRACE(timeline.name);
    ScriptedGps gps;
    gps.events = timeline.events;
    gps.connectResults = timeline.connects;
    RecordingFile file(gps, timeline.writes);
    const FeederSettings settings{.fileName = "QXPosition.txt", .bootId = kBoot};
    std::ostringstream log;
    const int status = RunFeeder(gps, gps, file, settings, {47.0, 10.0, 45.0, true}, log);
    EXPECT_EQ(status, std::isalpha(file.attempts.back()) ? 1 : 0);
    EXPECT_TRUE(gps.events.empty()) << "the run ended before the script";
    EXPECT_EQ(file.attempts, timeline.writes);
    EXPECT_EQ(gps.connectAttempts, timeline.connectAttempts);
    const std::string said = log.str();
    EXPECT_EQ(said.substr(said.find('\n') + 1), timeline.log);
  }
}

}  // namespace
}  // namespace poirec
