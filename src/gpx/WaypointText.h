#pragma once
// How the texts of a POI line become a waypoint's name, time, type and coordinates.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "gpx/Waypoint.h"

namespace poirec {

// The name of a POI line's text: everything after its second comma (commas in the name
// stay), trimmed, without the pair of double quotes the recorder writes around it. A line
// with fewer than three fields has no name.
std::u16string WaypointName(std::u16string line);

// The local time a record's name gives: a name of the form "... RECORD (dd.MM.yy
// HH:mm:ss)", as the recorder names every POI it records, with a date and a time of day
// that exist. The two-digit year is one of 2000 to 2099.
std::optional<RecordTime> RecordedTime(std::u16string_view name);

// A category's name as a waypoint type: as the pages show it, without white space at its
// ends.
std::u16string CategoryType(std::u16string_view categoryName);

// Millionths of a degree as decimal degrees with seven decimals, whatever the locale.
std::string DegreesText(std::int32_t microDegrees);

}  // namespace poirec
