#include "position/PositionFile.h"

#include <string>

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

bool ReadPositionFile(PositionFix& fix, std::u16string_view documentsFolder) {
  return ReadPositionFileAt(fix, PositionFilePath(documentsFolder));
}

bool ReadPositionFileAt(PositionFix& fix, std::u16string_view path) {
  TextLineReader reader;
  fix.valid = 0;

  bool opened = false;
  for (int attempt = 0; attempt < kOpenAttempts && !opened; ++attempt) {
    opened = reader.Open(path, TextLineReader::kReadShared);
  }
  if (!opened) return false;

  reader.SeekToBegin();
  std::u16string text;
  while (reader.ReadString(text, false)) {
    const std::u16string_view line = TrimLeft(text);
    if (StartsWith(line, u"Lat =")) {
      fix.lat = ToMicroDegrees(ParseCoordinate(line.substr(5)));
    } else if (StartsWith(line, u"Lon =")) {
      fix.lon = ToMicroDegrees(ParseCoordinate(line.substr(5)));
    } else if (StartsWith(line, u"Course =")) {
      fix.course = TruncateToInt32(ParseCoordinate(line.substr(8)));
    } else if (StartsWith(line, u"Valid =")) {
      if (Trim(line.substr(7)) == u"1") fix.valid = 1;
    }
  }
  reader.Close();
  return fix.valid != 0;
}

}  // namespace poirec
