#include "poi/Placement.h"

#include <cmath>
#include <string>

#include "poi/CategoryRecord.h"
#include "position/CoordinateText.h"

namespace poirec {
namespace {

// Each constant is the exact double the stored positions were computed with.
constexpr double kOne360th = 0.002777777777777778;
constexpr double kPi = 3.1415926535;
constexpr double kTwo = 2.0;
constexpr double kOffsetKilometres = 0.02;
constexpr double kKilometresPerLongitudeDegree = 111.325;             // at the equator
constexpr double kLatitudeDegreesPerOffset = 0.00017979144192736428;  // 0.02 / 111.24

// The course plus the offset, brought into range by one turn at most: 0 and 360 stay.
// The sum is taken in 64 bits, so even a course read from a broken file cannot overflow.
std::int64_t DirectionOfShift(std::int32_t course, std::int32_t sideOffset) {
  std::int64_t angle = std::int64_t{course} + sideOffset;
  if (angle > 360) {
    angle -= 360;
  } else if (angle < 0) {
    angle += 360;
  }
  return angle;
}

AppendResult AppendToSelected(FileSystem& files, const CategoryTable& table,
                              std::int32_t selectedIndex, GeoPoint position,
                              const LocalDateTime& recordingTime, AppendError* error) {
  const CategoryEntry* row = RowAt(table, selectedIndex);
  if (!row) {
    if (error != nullptr) *error = {};
    return AppendResult::NotOpened;
  }
  const std::u16string name = RecordName(DateTimeText(recordingTime, true));
  return AppendCategoryRecord(files, PoiFilePath(*row), position, name, error);
}

}  // namespace

double DegreesToRadians(double degrees) { return ((degrees * kOne360th) * kPi) * kTwo; }

GeoPoint PlaceBesideStreet(const PositionFix& fix, std::int32_t sideOffset) {
  const double latitudeDegrees = ToDegrees(fix.position.lat);
  const double angle = static_cast<double>(DirectionOfShift(fix.course, sideOffset));
  const double sinA = std::sin(DegreesToRadians(angle));
  const double cosA = std::cos(DegreesToRadians(angle));
  const double cosLat = std::cos(DegreesToRadians(latitudeDegrees));
  const double longitudeShift =
      ((kOffsetKilometres / (cosLat * kKilometresPerLongitudeDegree)) * sinA) *
      kMicroDegreesPerDegree;
  const double latitudeShift = (cosA * kLatitudeDegreesPerOffset) * kMicroDegreesPerDegree;
  return {TruncateToInt32(longitudeShift + static_cast<double>(fix.position.lon)),
          TruncateToInt32(latitudeShift + static_cast<double>(fix.position.lat))};
}

AppendResult RecordExact(FileSystem& files, const CategoryTable& table, std::int32_t selectedIndex,
                         const PositionFix& fix, const LocalDateTime& recordingTime,
                         AppendError* error) {
  return AppendToSelected(files, table, selectedIndex, fix.position, recordingTime, error);
}

AppendResult RecordBesideStreet(FileSystem& files, const CategoryTable& table,
                                std::int32_t selectedIndex, const PositionFix& fix,
                                const LocalDateTime& recordingTime, std::int32_t sideOffset,
                                AppendError* error) {
  return AppendToSelected(files, table, selectedIndex, PlaceBesideStreet(fix, sideOffset),
                          recordingTime, error);
}

}  // namespace poirec
