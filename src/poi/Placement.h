#pragma once
// Where a recorded POI goes: exactly at the fix, or 20 m to the left or to the right of
// the course, so that it lies beside the road rather than on it.
#include <cstdint>

#include "platform/LocalTime.h"
#include "poi/CategoryTable.h"
#include "poi/RecordText.h"
#include "position/GeoPoint.h"
#include "position/PositionFile.h"

namespace poirec {

// Degrees added to the course to get the direction the POI is moved in.
inline constexpr std::int32_t kLeftOfStreet = -90;
inline constexpr std::int32_t kRightOfStreet = 90;

// ((degrees * one 360th) * pi) * 2, in this order and with pi to ten decimals: the
// stored positions depend on every bit of it.
double DegreesToRadians(double degrees);

// The fix moved 20 m in the direction course + sideOffset on a flat earth, each
// coordinate truncated toward zero after the shift is added.
GeoPoint PlaceBesideStreet(const PositionFix& fix, std::int32_t sideOffset);

// Appends the fix itself, named after the recording time, to the file of the selected
// category. A selected index that is no row of the table writes nothing and gives
// NotOpened, as a file that cannot be opened does (with no path and no error number).
// When it fails and error is given, error says why.
AppendResult RecordExact(FileSystem& files, const CategoryTable& table, std::int32_t selectedIndex,
                         const PositionFix& fix, const LocalDateTime& recordingTime,
                         AppendError* error = nullptr);

// The same for the fix moved beside the street (kLeftOfStreet or kRightOfStreet).
AppendResult RecordBesideStreet(FileSystem& files, const CategoryTable& table,
                                std::int32_t selectedIndex, const PositionFix& fix,
                                const LocalDateTime& recordingTime, std::int32_t sideOffset,
                                AppendError* error = nullptr);

}  // namespace poirec
