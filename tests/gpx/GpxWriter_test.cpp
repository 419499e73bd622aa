// The GPX document: its bytes, the times of records in UTC, and a device that fails.
#include "gpx/GpxWriter.h"

#include <gtest/gtest.h>

#include <QBuffer>
#include <QByteArray>
#include <QTimeZone>
#include <string>
#include <tuple>

namespace poirec {
namespace {

const QTimeZone kBerlin("Europe/Berlin");

// The document of waypoints; on a device that cannot be written, Finish must say so.
QByteArray Document(const std::vector<Waypoint>& waypoints, bool writable = true) {
  QByteArray bytes;
  QBuffer device(&bytes);
  device.open(writable ? QIODevice::WriteOnly : QIODevice::ReadOnly);
  GpxWriter writer(device, QStringLiteral("poirecorder-gpx 1.0"), kBerlin);
  writer.Begin();
  for (const Waypoint& waypoint : waypoints) EXPECT_TRUE(writer.Add(waypoint));
  EXPECT_EQ(writer.Finish(), writable);
  return bytes;
}

TEST(GpxWriter, WritesOneWaypointPerPoiAndSaysWhenTheDeviceFails) {
  const std::vector<Waypoint> waypoints = {
      {8123455, 47123460, u"Quillon RECORD (05.12.26 14:03:59)", u"Blitzer",
       RecordTime{2026, 12, 5, 14, 3, 59}},
      // Escaped, and characters that XML cannot hold replaced; a tab and a pair stay.
      {-127500, -51500000,
       u"Caf\u00E9 \"Zum Hirsch\" & <Sohn>\u0001\u000B\tend\uFFFE\uFFFF\xD800.\U0001F600",
       u"Aussicht 360", RecordTime{2026, 7, 5, 14, 3, 59}},
      // No name; a local time that was skipped when the clocks went forward has no UTC.
      {-180000000, 90000000, u"", u"recorded", RecordTime{2026, 3, 29, 2, 30, 0}},
  };
  EXPECT_EQ(
      Document(waypoints).toStdString(),
      "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
      "<gpx xmlns=\"http://www.topografix.com/GPX/1/1\" "
      "xmlns:xsi=\"http://www.w3.org/2001/XMLSchema-instance\" version=\"1.1\" "
      "creator=\"poirecorder-gpx 1.0\" xsi:schemaLocation=\"http://www.topografix.com/GPX/1/1 "
      "http://www.topografix.com/GPX/1/1/gpx.xsd\">\n"
      "  <wpt lat=\"47.1234600\" lon=\"8.1234550\">\n"
      "    <time>2026-12-05T13:03:59Z</time>\n"
      "    <name>Quillon RECORD (05.12.26 14:03:59)</name>\n"
      "    <type>Blitzer</type>\n"
      "  </wpt>\n"
      "  <wpt lat=\"-51.5000000\" lon=\"-0.1275000\">\n"
      "    <time>2026-07-05T12:03:59Z</time>\n"
      "    <name>Caf\xC3\xA9 &quot;Zum Hirsch&quot; &amp; &lt;Sohn&gt;"
      "\xEF\xBF\xBD\xEF\xBF\xBD\tend\xEF\xBF\xBD\xEF\xBF\xBD\xEF\xBF\xBD.\xF0\x9F\x98\x80</name>\n"
      "    <type>Aussicht 360</type>\n"
      "  </wpt>\n"
      "  <wpt lat=\"90.0000000\" lon=\"-180.0000000\">\n"
      "    <type>recorded</type>\n"
      "  </wpt>\n"
      "</gpx>\n");
  // Large exports go to the device in pieces; the document is the same.
  const std::vector<Waypoint> many(5000, waypoints[1]);
  const QByteArray large = Document(many);
  EXPECT_EQ(large.count("<wpt "), 5000);
  EXPECT_TRUE(large.endsWith("  </wpt>\n</gpx>\n"));
  Document({waypoints[0]}, false);
}

TEST(UtcDateTimeText, UsesTheOffsetOfThatMoment) {
  const std::tuple<RecordTime, QTimeZone, const char*> cases[] = {
      {{2026, 1, 15, 0, 30, 0}, kBerlin, "2026-01-14T23:30:00Z"},  // winter: one hour
      {{2026, 3, 29, 1, 59, 59}, kBerlin, "2026-03-29T00:59:59Z"},
      {{2026, 3, 29, 3, 0, 0}, kBerlin, "2026-03-29T01:00:00Z"},    // summer: two hours
      {{2026, 3, 29, 2, 0, 0}, kBerlin, ""},                        // skipped by the clocks
      {{2026, 10, 25, 2, 30, 0}, kBerlin, "2026-10-25T00:30:00Z"},  // repeated: the first
      {{2026, 10, 25, 3, 0, 0}, kBerlin, "2026-10-25T02:00:00Z"},   // after the repeated hour
      {{2024, 2, 29, 20, 0, 0}, QTimeZone("America/New_York"), "2024-03-01T01:00:00Z"},
  };
  for (const auto& [time, zone, utc] : cases) {
    EXPECT_EQ(UtcDateTimeText(time, zone).toStdString(), utc) << zone.id().toStdString();
  }
}

}  // namespace
}  // namespace poirec
