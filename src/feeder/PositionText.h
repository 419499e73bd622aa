#pragma once
// The position file as the feeder writes it, for the recorder and any other reader:
//   Lat = 48.1371540
//   Lon = 11.5761240
//   Course = 245.7
//   Valid = 1
// Each line ends with LF; numbers always have a decimal point and never depend on the locale.
#include <string>
#include <string_view>

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

// Whether text already written at the position file's path may be replaced by the feeder:
// it is empty or holds at least one line that starts, after white space, with one of the
// four keys. Anything else is some other file the user named by mistake.
bool IsPositionFileText(std::string_view bytes);

}  // namespace poirec
