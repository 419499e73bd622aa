// The waypoints of category files: every line the recorder's search reads as a POI, and a
// word on every file that did not go over whole.
#include "gpx/PoiFileWaypoints.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "gpx/ExportRun.h"
#include "platform/PosixFileSystem.h"
#include "platform/TextEncoding.h"
#include "support/TempFolder.h"

namespace poirec {

namespace {

using namespace std::string_literals;

// Keeps what it is given; refuses once it holds `room` waypoints.
class Collector final : public WaypointSink {
 public:
  explicit Collector(std::size_t room = SIZE_MAX) : room_(room) {}
  bool Add(const Waypoint& waypoint) override {
    if (waypoints.size() >= room_) return false;
    waypoints.push_back(waypoint);
    return true;
  }
  std::vector<Waypoint> waypoints;

 private:
  std::size_t room_;
};

Waypoint Point(std::int32_t longitude, std::int32_t latitude, std::u16string name,
               std::optional<RecordTime> recorded = std::nullopt) {
  return {{longitude, latitude}, std::move(name), u"Type", recorded};
}

TEST(ReadPoiFileWaypoints, ReadsEveryPoiLineOfAHostileFile) {
  test::TempFolder folder;
  // A name that runs over the reader's 2000-byte pieces, with commas and numbers in the
  // piece after the first: still one waypoint, with its whole name.
  const std::string longName = std::string(2100, 'L') + ", 5.0, 6.0, tail";
  const std::string bytes =
      "\r\n8.1234560, 47.1234600, \"Quillon RECORD (05.12.26 14:03:59)\"\r\n"
      "   ; a comment, with, commas\r\n"
      "\r\n"
      "  \t \n"
      "-0.1275,-51.5,\"Caf\xE9 \x80 \x93"
      "Zum \"Hirsch\", Bar & <Grill>\x94\"\n"
      "2.0, 3.0, \"Caf\xC3\xA9 M\xC3\xBCller\"\n"
      "not a poi\n"
      "1.0, 95.0, \"beyond the pole\"\n"
      "180.0, 10.0, \"on the date line\"\n"
      "-180.0, -90.0, \"the other side\"\n"
      "1.0, 2.0, \"ends\0here\"\n"
      "3.0, 4.0, \""s +
      longName +
      "\"\n"
      "7.5, 8.5, last line without its line break";
  folder.Write("Type.asc", bytes);
  Collector sink;
  const PoiFileReport report =
      ReadPoiFileWaypoints(RealFileSystem(), folder.File("Type.asc"), u"Type", sink);

  const std::vector<Waypoint> expected = {
      Point(8123455, 47123460, u"Quillon RECORD (05.12.26 14:03:59)",
            RecordTime{2026, 12, 5, 14, 3, 59}),
      Point(-127500, -51500000, u"Caf\u00E9 \u20AC \u201CZum \"Hirsch\", Bar & <Grill>\u201D"),
      Point(2000000, 3000000, u"Caf\u00E9 M\u00FCller"),  // UTF-8 as written
      Point(-180000000, 10000000, u"on the date line"),   // the same meridian as 180
      Point(-180000000, -90000000, u"the other side"),
      Point(1000000, 2000000,
            u"\"ends"),  // the text ends at a zero byte, as it does for the recorder
      Point(3000000, 4000000, DecodeCodePage(longName)),
      Point(7500000, 8500000, u"last line without its line break"),
  };
  EXPECT_EQ(sink.waypoints, expected);
  EXPECT_TRUE(report.opened);
  EXPECT_TRUE(report.readWhole);
  EXPECT_EQ(report.notPoiLines, 1u);  // "not a poi"
  EXPECT_EQ(report.offEarth, 1u);
}

TEST(ExportWaypoints, ExportsWhatItCanAndNamesEveryFileThatDidNotGoOverWhole) {
  test::TempFolder folder;
  folder.Write("Clean.asc", "\n1.0, 2.0, \"A\"\n; a comment\n\n");
  folder.Write("OneBad.asc", "\n1.0, 2.0, \"B\"\nno comma\n");
  folder.Write("Mixed.asc", "\nno comma\nnor here\n1.0, 95.0, \"C\"\n3.0, 4.0, \"D\"\n");
  const std::vector<SourceFile> sources = {
      {folder.File("Clean.asc"), u"Clean"},
      {folder.File("Missing.asc"), u"Missing"},
      {folder.File("OneBad.asc"), u"OneBad"},
      {folder.File("Mixed.asc"), u"Mixed"},
  };
  Collector sink;
  std::vector<std::string> messages;
  const auto say = [&](const std::string& text) { messages.push_back(text); };
  const ExportOutcome outcome = ExportWaypoints(RealFileSystem(), sources, sink, say);

  const std::string path = folder.Path().string() + "/";
  EXPECT_EQ(messages, (std::vector<std::string>{
                          path + "Missing.asc: cannot be read",
                          path + "OneBad.asc: 1 line that is not a POI skipped",
                          path + "Mixed.asc: 2 lines that are not POIs skipped; 1 POI beyond "
                                 "latitude -90 to 90 or longitude -180 to 180 skipped",
                      }));
  std::vector<std::u16string> exported;
  for (const Waypoint& waypoint : sink.waypoints) exported.push_back(waypoint.name + waypoint.type);
  EXPECT_EQ(exported, (std::vector<std::u16string>{u"AClean", u"BOneBad", u"DMixed"}));
  EXPECT_EQ(outcome.waypoints, 3u);
  EXPECT_TRUE(outcome.skippedAny);
  EXPECT_FALSE(outcome.sinkFailed);

  // A refusing sink ends the export at once; every file read whole is no skip.
  Collector full(0);
  messages.clear();
  const ExportOutcome stopped = ExportWaypoints(RealFileSystem(), sources, full, say);
  EXPECT_TRUE(stopped.sinkFailed);
  EXPECT_FALSE(stopped.skippedAny);
  EXPECT_TRUE(messages.empty());
}

}  // namespace
}  // namespace poirec
