#pragma once
// One POI on its way from a category file into a GPX document.
#include <cstdint>
#include <optional>
#include <string>

#include "position/GeoPoint.h"

namespace poirec {

// A local date and time of day, to the second, as a record's name gives it.
struct RecordTime {
  std::uint16_t year = 0;
  std::uint16_t month = 0;
  std::uint16_t day = 0;
  std::uint16_t hour = 0;
  std::uint16_t minute = 0;
  std::uint16_t second = 0;
  friend bool operator==(const RecordTime&, const RecordTime&) = default;
};

struct Waypoint {
  GeoPoint position;                   // as the recorder reads it
  std::u16string name;                 // empty when the line has none
  std::u16string type;                 // the category, as the pages show its name
  std::optional<RecordTime> recorded;  // the local time a record's name gives
  friend bool operator==(const Waypoint&, const Waypoint&) = default;
};

// Where waypoints go, one at a time in file order.
class WaypointSink {
 public:
  virtual ~WaypointSink() = default;
  // False when the waypoint could not be written; the export then stops.
  virtual bool Add(const Waypoint& waypoint) = 0;
};

}  // namespace poirec
