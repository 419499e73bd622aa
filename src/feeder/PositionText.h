#pragma once
// The position file as the feeder writes it, for the recorder and any other reader:
//   Lat = 48.1371540
//   Lon = 11.5761240
//   Course = 245.7
//   Valid = 1
//   Boot id = 5c1b7a8e-0f7e-4bd5-9d0b-3d2a6f1c9e42
//   Uptime = 5123.042
// Each line ends with LF; numbers always have a decimal point and never depend on the locale.
// The last two lines are the freshness stamp: which start of the system the file was written
// in, and how many seconds after it. With them the recorder can tell a fix that is kept
// current from one that a killed or frozen feeder left behind.
#include <string>
#include <string_view>

#include "platform/BootClock.h"

namespace poirec {

struct PositionFileContents {
  double latitude = 0.0;   // degrees
  double longitude = 0.0;  // degrees
  double course = 0.0;     // degrees clockwise from true north
  bool valid = false;

  bool operator==(const PositionFileContents&) const = default;
};

// Latitude and longitude with 7 decimals, the course with 1 decimal in [0, 360).
std::string FormatPositionFile(const PositionFileContents& contents);

// A course in [0, 360) for any finite angle.
double NormalizeCourse(double degrees);

// The freshness stamp: "Boot id =" and "Uptime =" with the seconds to the millisecond.
std::string FormatFreshnessStamp(std::string_view bootId, BootClock::duration sinceBoot);

// Whether text already written at the position file's path may be replaced by the feeder:
// each of its lines is blank or starts, after white space, with a key of the position file.
// Anything else is some other file the user named by mistake.
bool IsPositionFileText(std::string_view bytes);

}  // namespace poirec
