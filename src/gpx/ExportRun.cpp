#include "gpx/ExportRun.h"

#include "gpx/PoiFileWaypoints.h"
#include "platform/TextEncoding.h"

namespace poirec {
namespace {

std::string Counted(std::size_t count, const char* one, const char* many) {
  return std::to_string(count) + " " + (count == 1 ? one : many);
}

// What the user should know of one file, or nothing when it went over whole.
std::string Problems(const PoiFileReport& file) {
  if (!file.opened) return "cannot be read";
  std::string text;
  const auto add = [&text](const std::string& part) { text += (text.empty() ? "" : "; ") + part; };
  if (file.notPoiLines > 0) {
    add(Counted(file.notPoiLines, "line that is not a POI skipped",
                "lines that are not POIs skipped"));
  }
  if (file.offEarth > 0) {
    add(Counted(file.offEarth, "POI", "POIs") +
        " beyond latitude -90 to 90 or longitude -180 to 180 skipped");
  }
  if (!file.readWhole && !file.stopped) add("could not be read to its end");
  return text;
}

}  // namespace

ExportOutcome ExportWaypoints(FileSystem& files, const std::vector<SourceFile>& sources,
                              WaypointSink& sink,
                              const std::function<void(const std::string&)>& report) {
  ExportOutcome outcome;
  for (const SourceFile& source : sources) {
    const PoiFileReport file = ReadPoiFileWaypoints(files, source.path, source.type, sink);
    outcome.waypoints += file.waypoints;
    if (const std::string problems = Problems(file); !problems.empty()) {
      outcome.skippedAny = true;
      report(Utf16ToUtf8(source.path) + ": " + problems);
    }
    if (file.stopped) {
      outcome.sinkFailed = true;
      break;
    }
  }
  return outcome;
}

}  // namespace poirec
