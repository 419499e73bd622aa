#pragma once
// The rules that turn gpsd's reports into what the position file says. A recording must
// never take an old position for a valid fix: the file says Valid = 1 only while the last
// 2D or 3D fix with a latitude and a longitude is fresh, and Valid = 0 with the last known
// position as soon as the fix is lost, grows stale, gpsd goes away or the feeder stops.
#include <chrono>
#include <optional>

#include "feeder/GpsSource.h"
#include "feeder/PositionText.h"

namespace poirec {

class PositionFeed {
 public:
  // lastKnown is what the file said before (its position and course are kept until a fix
  // replaces them); the feed starts without a valid fix.
  PositionFeed(std::chrono::nanoseconds staleAfter, const PositionFileContents& lastKnown);

  // A report that arrived at the given time.
  void OnReport(const GpsReport& report, TimePoint now);
  // The connection to gpsd ended, or the feeder stops: no fix until the next report.
  void DropFix();
  // Drops the fix once it is stale: staleAfter has passed since it arrived.
  void Expire(TimePoint now);

  // What the file should say now (after Expire).
  const PositionFileContents& Contents() const { return contents_; }
  // When the current fix grows stale; empty without a valid fix.
  std::optional<TimePoint> StaleAt() const;

 private:
  std::chrono::nanoseconds staleAfter_;
  PositionFileContents contents_;
  TimePoint fixArrived_{};
};

// A report's position, when it is a usable fix: a 2D or 3D fix with a finite latitude in
// [-90, 90] and a finite longitude in [-180, 180].
bool HasUsableFix(const GpsReport& report);

}  // namespace poirec
