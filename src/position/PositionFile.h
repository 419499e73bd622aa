#pragma once
// The navigation program (or poirecorder-gpsd) keeps the current position in "QXPosition.txt"
// in the user's documents folder: lines "Lat =", "Lon =", "Course =" and "Valid =".
#include <cstdint>
#include <string>
#include <string_view>

#include "platform/FileSystem.h"
#include "position/GeoPoint.h"

namespace poirec {

struct PositionFix {
  GeoPoint position;
  std::int32_t course = 0;  // whole degrees clockwise from north
  std::uint8_t valid = 0;   // 1 for a valid fix
};

// What reading the position file came to, so that a run without a fix can say why.
enum class PositionFileStatus {
  ValidFix,    // a line "Valid = 1" was read
  Missing,     // there is no file at the path (or no folder above it)
  Unreadable,  // it could not be opened (a folder, no permission) or not read to its end
  NoValidFix,  // it was read whole, and no line "Valid =" has the value "1"
};

struct PositionFileRead {
  PositionFileStatus status = PositionFileStatus::Missing;
  std::u16string path;  // the position file
  int error = 0;        // errno of the open or read that failed; 0 when none did
};

// The position file of a documents folder (given without a final "/"): the one name the
// recorder reads and the position feeder writes.
std::u16string PositionFilePath(std::u16string_view documentsFolder);

// Reads the position file of the documents folder (given without a final "/") into fix.
// valid is cleared first and set only by a "Valid =" line whose value is "1"; the other
// fields change only when their key is read. Only a regular file is read: anything else in
// its place counts as missing.
PositionFileRead ReadPositionFile(FileSystem& files, PositionFix& fix,
                                  std::u16string_view documentsFolder);

// The same for a position file given by its own path.
PositionFileRead ReadPositionFileAt(FileSystem& files, PositionFix& fix, std::u16string_view path);

}  // namespace poirec
