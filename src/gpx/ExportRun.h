#pragma once
// One export: every source file's waypoints into one sink, and a word on each file that
// did not go over whole.
#include <cstddef>
#include <functional>
#include <string>
#include <vector>

#include "gpx/ExportSources.h"
#include "gpx/Waypoint.h"
#include "platform/FileSystem.h"

namespace poirec {

struct ExportOutcome {
  std::size_t waypoints = 0;
  bool skippedAny = false;  // a file could not be read whole, or some lines were left out
  bool sinkFailed = false;  // the sink refused a waypoint; the export stopped there
};

// Reads the sources in order into the sink. Each file that cannot be read, cannot be read
// to its end, or has lines that are not POIs or POIs off the earth gets one message (UTF-8,
// beginning with the file's path) through report; the other files are exported all the same.
ExportOutcome ExportWaypoints(FileSystem& files, const std::vector<SourceFile>& sources,
                              WaypointSink& sink,
                              const std::function<void(const std::string&)>& report);

}  // namespace poirec
