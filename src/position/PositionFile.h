#pragma once
// The navigation program keeps the current position in "QXPosition.txt" in the user's
// documents folder: lines "Lat =", "Lon =", "Course =" and "Valid =".
#include <cstdint>
#include <string_view>

#include "platform/FileSystem.h"
#include "position/GeoPoint.h"

namespace poirec {

struct PositionFix {
  GeoPoint position;
  std::int32_t course = 0;  // whole degrees clockwise from north
  std::uint8_t valid = 0;   // 1 for a valid fix
};

// Reads the position file of the documents folder (given without a final "/") into fix.
// valid is cleared first and set only by a "Valid =" line whose value is "1"; the other
// fields change only when their key is read. True when the file was opened and the fix
// is valid. Only a regular file is read: anything else in its place counts as missing.
bool ReadPositionFile(FileSystem& files, PositionFix& fix, std::u16string_view documentsFolder);

}  // namespace poirec
