#pragma once
// A position on the earth as every file of the program stores it: longitude and latitude
// in millionths of a degree, east and north positive.
#include <cstdint>

namespace poirec {

struct GeoPoint {
  std::int32_t lon = 0;
  std::int32_t lat = 0;
  friend bool operator==(const GeoPoint&, const GeoPoint&) = default;
};

}  // namespace poirec
