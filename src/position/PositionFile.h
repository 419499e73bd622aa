#pragma once
// The navigation program (or poirecorder-gpsd) keeps the current position in "QXPosition.txt"
// in the user's documents folder: lines "Lat =", "Lon =", "Course =" and "Valid =".
#include <cstdint>
#include <string>
#include <string_view>

namespace poirec {

struct PositionFix {
  std::int32_t lon = 0;     // millionths of a degree
  std::int32_t lat = 0;     // millionths of a degree
  std::int32_t course = 0;  // whole degrees clockwise from north
  std::uint8_t valid = 0;   // 1 for a valid fix
};

// The position file of a documents folder (given without a final "/"): the one name the
// recorder reads and the position feeder writes.
std::u16string PositionFilePath(std::u16string_view documentsFolder);

// Reads the position file of the documents folder (given without a final "/") into fix.
// valid is cleared first and set only by a "Valid =" line whose value is "1"; the other
// fields change only when their key is read. True when the file was opened and the fix
// is valid.
bool ReadPositionFile(PositionFix& fix, std::u16string_view documentsFolder);

// The same for a position file given by its own path.
bool ReadPositionFileAt(PositionFix& fix, std::u16string_view path);

}  // namespace poirec
