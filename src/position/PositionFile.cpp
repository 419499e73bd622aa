#include "position/PositionFile.h"

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

bool ReadPositionFile(FileSystem& files, PositionFix& fix, std::u16string_view documentsFolder) {
  TextLineReader reader(files);
  fix.valid = 0;

  bool opened = false;
  for (int attempt = 0; attempt < kOpenAttempts && !opened; ++attempt) {
    std::u16string path(documentsFolder);
    path += u"/QXPosition.txt";
    opened = reader.Open(path, TextLineReader::kReadShared);
  }
  if (!opened) return false;

  reader.SeekToBegin();
  std::u16string text;
  while (reader.ReadString(text, false)) {
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
  reader.Close();
  return fix.valid != 0;
}

}  // namespace poirec
