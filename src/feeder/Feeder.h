#pragma once
// The position feeder's run: connects to gpsd (and again whenever it goes away), follows its
// reports with PositionFeed, and writes the position file whenever what it says changes, at
// most a few times a second, and at least once a second while the fix is valid, so that its
// freshness stamp stays young; until it is told to stop.
#include <chrono>
#include <ostream>
#include <string>

#include "feeder/GpsSource.h"
#include "feeder/PositionFileWriter.h"
#include "feeder/PositionText.h"

namespace poirec {

struct FeederSettings {
  std::string gpsdName = "localhost:2947";  // for messages
  std::string fileName;                     // for messages
  std::string bootId;                       // for the freshness stamp
  std::chrono::nanoseconds staleAfter = std::chrono::seconds(3);
  // Writes lie at least this far apart; the latest text is written once the time has come.
  std::chrono::nanoseconds writeInterval = std::chrono::milliseconds(200);
  // A valid fix is written again this long after its last write, with a new stamp.
  std::chrono::nanoseconds refreshInterval = std::chrono::seconds(1);
  // After a failed write the file is tried again with the next report, or after this long
  // when none comes, so that a Valid = 0 still reaches the file.
  std::chrono::nanoseconds retryAfter = std::chrono::seconds(1);
  // The waits between attempts to reach gpsd: doubled from the first up to the last.
  std::chrono::nanoseconds firstReconnect = std::chrono::milliseconds(500);
  std::chrono::nanoseconds lastReconnect = std::chrono::seconds(4);
};

// Runs until gps reports Stop, writes Valid = 0 and returns 0; returns 1 when that last
// write failed. A write that fails empties the file, so that it gives no fix; failures on
// the way are reported on log and never end the run. lastKnown is what the file said before
// the start.
int RunFeeder(GpsSource& gps, Clock& clock, PositionSink& file, const FeederSettings& settings,
              const PositionFileContents& lastKnown, std::ostream& log);

}  // namespace poirec
