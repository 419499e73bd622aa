#pragma once
// The navigation program (or poirecorder-gpsd) keeps the current position in "QXPosition.txt"
// in the user's documents folder: lines "Lat =", "Lon =", "Course =" and "Valid =", and
// from poirecorder-gpsd a freshness stamp after them: "Boot id =" (the start of the system
// it was written in) and "Uptime =" (the seconds since that start when it was written).
#include <array>
#include <chrono>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

#include "platform/BootClock.h"
#include "platform/FileSystem.h"
#include "position/GeoPoint.h"

namespace poirec {

inline constexpr std::string_view kBootIdKey = "Boot id =";
inline constexpr std::string_view kUptimeKey = "Uptime =";
// Every key of the position file, as a line begins with it after white space.
inline constexpr std::array<std::string_view, 6> kPositionFileKeys{
    "Lat =", "Lon =", "Course =", "Valid =", kBootIdKey, kUptimeKey};

// A stamped fix is taken only while its stamp is younger than this. The feeder stamps the
// file anew at least once a second while the fix is valid, and drops a fix 3 s after its
// last report unless told otherwise; a stamp older than this was left by a feeder that was
// killed, frozen or cannot write.
inline constexpr std::chrono::seconds kStampLifetime{6};

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
  // "Valid = 1" with a freshness stamp that does not make it a fix now:
  OldFix,       // the stamp is kStampLifetime old or older
  EarlierBoot,  // the stamp is from another start of the system
  BadStamp,     // the stamp lacks a key, its time is no number or lies ahead of now
};

struct PositionFileRead {
  PositionFileStatus status = PositionFileStatus::Missing;
  std::u16string path;  // the position file
  int error = 0;        // errno of the open or read that failed; 0 when none did
  double stampAge = 0;  // seconds since the stamp, for OldFix
};

// This start of the system and the time since it, asked for only when a stamp is read.
using BootMomentSource = std::function<BootMoment()>;

// The position file of a documents folder (given without a final "/"): the one name the
// recorder reads and the position feeder writes.
std::u16string PositionFilePath(std::u16string_view documentsFolder);

// Reads the position file of the documents folder (given without a final "/") into fix.
// valid is cleared first and set only by a "Valid =" line whose value is "1"; the other
// fields change only when their key is read. Only a regular file is read: anything else in
// its place counts as missing. A file with a freshness stamp is a valid fix only when the
// stamp is from this start of the system (as now says, after the file is read) and younger
// than kStampLifetime; a file without one is taken as it is.
PositionFileRead ReadPositionFile(FileSystem& files, PositionFix& fix,
                                  std::u16string_view documentsFolder,
                                  const BootMomentSource& now = CurrentBootMoment);

// The same for a position file given by its own path.
PositionFileRead ReadPositionFileAt(FileSystem& files, PositionFix& fix, std::u16string_view path,
                                    const BootMomentSource& now = CurrentBootMoment);

}  // namespace poirec
