#include "gpx/PoiFileWaypoints.h"

#include <algorithm>
#include <cstdlib>
#include <string>
#include <utility>

#include "gpx/WaypointText.h"
#include "platform/TextCharacters.h"
#include "platform/TextEncoding.h"
#include "poi/PoiLine.h"
#include "position/CoordinateText.h"
#include "position/TextLineReader.h"

namespace poirec {
namespace {

constexpr std::int32_t kMaxLatitude = 90'000'000;
constexpr std::size_t kKeptLineCapacity = 64 * 1024;
constexpr std::int32_t kMaxLongitude = 180'000'000;

// Blank lines and comments hold no POI by intent; any other line that is not one is
// worth a word to the user.
bool IsBlankOrComment(std::string_view bytes) {
  const auto first =
      std::find_if_not(bytes.begin(), bytes.end(), [](char c) { return IsTrimmedSpace(c); });
  return first == bytes.end() || *first == ';';
}

// One line, gathered from the reader's pieces: a line longer than a piece comes in
// several, and only its first is a POI line to the search.
struct LineInProgress {
  bool isPoi = false;
  GeoPoint position;
  std::string text;        // the line's bytes up to its first zero byte
  bool textEnded = false;  // a zero byte was met: the text, as the code page reads it, ends
};

}  // namespace

PoiFileReport ReadPoiFileWaypoints(FileSystem& files, std::u16string_view path,
                                   std::u16string_view type, WaypointSink& sink) {
  PoiFileReport report;
  TextLineReader reader(files);
  if (!reader.Open(path)) return report;
  report.opened = true;

  LineInProgress line;
  const auto endLine = [&] {
    if (!line.isPoi) return true;
    Waypoint waypoint;
    waypoint.position = line.position;
    if (std::abs(std::int64_t{waypoint.position.lat}) > kMaxLatitude ||
        std::abs(std::int64_t{waypoint.position.lon}) > kMaxLongitude) {
      ++report.offEarth;
      return true;
    }
    if (waypoint.position.lon == kMaxLongitude) waypoint.position.lon = -kMaxLongitude;
    std::u16string text = DecodeFileText(line.text);
    // A line as long as the file is not kept twice over.
    if (line.text.capacity() > kKeptLineCapacity) std::string().swap(line.text);
    waypoint.name = WaypointName(std::move(text));
    waypoint.recorded = RecordedTime(waypoint.name);
    waypoint.type = type;
    report.stopped = !sink.Add(waypoint);
    if (!report.stopped) ++report.waypoints;
    return !report.stopped;
  };
  const auto addPiece = [&](const TextLineReader::Piece& piece, bool startsLine) {
    if (startsLine) {
      line.isPoi = ParsePoiPosition(piece.text, line.position);
      if (!line.isPoi && !IsBlankOrComment(piece.bytes)) ++report.notPoiLines;
      line.text.clear();
      line.textEnded = false;
    }
    if (line.isPoi && !line.textEnded) {
      line.text.append(piece.text);
      line.textEnded = piece.text.size() < piece.bytes.size();
    }
    return true;
  };
  ReadLinePieces(reader, addPiece, endLine);
  report.readWhole = !report.stopped && reader.ReadWholeFile();
  reader.Close();
  return report;
}

}  // namespace poirec
