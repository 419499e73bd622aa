#pragma once
// The waypoints of one category file: every line the recorder's search reads as a POI.
#include <cstddef>
#include <string_view>

#include "gpx/Waypoint.h"
#include "platform/FileSystem.h"

namespace poirec {

struct PoiFileReport {
  bool opened = false;
  // Every byte was read: false after a read error, or when the file grew while it was read.
  bool readWhole = false;
  // The sink refused a waypoint, and reading stopped there.
  bool stopped = false;
  std::size_t waypoints = 0;
  // Lines that are neither POIs, nor blank, nor comments (first non-blank character ";").
  std::size_t notPoiLines = 0;
  // POI lines whose coordinates lie beyond latitude -90 to 90 or longitude -180 to 180,
  // which no GPX document can hold.
  std::size_t offEarth = 0;
};

// Reads the file's lines as the search does and hands each POI to the sink as a waypoint of
// the given type, in file order. A line is a POI when the search reads a position from it
// (ParsePoiPosition); the waypoint's name is the whole line's (WaypointName), however long
// the line is. A longitude of exactly 180 degrees is given as -180, the same meridian, as
// GPX wants longitudes below 180.
PoiFileReport ReadPoiFileWaypoints(FileSystem& files, std::u16string_view path,
                                   std::u16string_view type, WaypointSink& sink);

}  // namespace poirec
