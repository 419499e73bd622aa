#include "position/PositionFile.h"

#include <cerrno>
#include <string>

#include "platform/TextCharacters.h"
#include "position/CoordinateText.h"
#include "position/TextLineReader.h"

namespace poirec {
namespace {

// The navigation program may be rewriting the file at this moment; it is tried again
// at once a few times.
constexpr int kOpenAttempts = 6;

bool StartsWith(std::u16string_view line, std::u16string_view key) {
  return line.substr(0, key.size()) == key;
}

}  // namespace

std::u16string PositionFilePath(std::u16string_view documentsFolder) {
  std::u16string path(documentsFolder);
  path += u"/QXPosition.txt";
  return path;
}

PositionFileRead ReadPositionFile(FileSystem& files, PositionFix& fix,
                                  std::u16string_view documentsFolder) {
  return ReadPositionFileAt(files, fix, PositionFilePath(documentsFolder));
}

PositionFileRead ReadPositionFileAt(FileSystem& files, PositionFix& fix, std::u16string_view path) {
  TextLineReader reader(files);
  fix.valid = 0;
  PositionFileRead read;
  read.path = path;

  bool opened = false;
  for (int attempt = 0; attempt < kOpenAttempts && !opened; ++attempt) {
    opened = reader.Open(read.path);
    if (!opened) read.error = errno;
  }
  if (!opened) {
    const bool missing = read.error == ENOENT || read.error == ENOTDIR;
    read.status = missing ? PositionFileStatus::Missing : PositionFileStatus::Unreadable;
    return read;
  }

  reader.SeekToBegin();
  // Reading stops at the end of the file or at a read that failed; only the failure sets
  // errno, so it is cleared first.
  errno = 0;
  std::u16string text;
  while (reader.ReadString(text)) {
    const std::u16string_view line = TrimLeft(text);
    if (StartsWith(line, u"Lat =")) {
      fix.position.lat = ToMicroDegrees(ParseCoordinate(line.substr(5)));
    } else if (StartsWith(line, u"Lon =")) {
      fix.position.lon = ToMicroDegrees(ParseCoordinate(line.substr(5)));
    } else if (StartsWith(line, u"Course =")) {
      fix.course = TruncateToInt32(ParseCoordinate(line.substr(8)));
    } else if (StartsWith(line, u"Valid =")) {
      if (Trim(line.substr(7)) == u"1") fix.valid = 1;
    }
  }
  read.error = errno;
  if (fix.valid != 0) {
    read.status = PositionFileStatus::ValidFix;
    read.error = 0;
  } else if (read.error != 0 || !reader.ReadWholeFile()) {
    read.status = PositionFileStatus::Unreadable;
  } else {
    read.status = PositionFileStatus::NoValidFix;
  }
  reader.Close();
  return read;
}

}  // namespace poirec
