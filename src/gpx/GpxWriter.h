#pragma once
// Waypoints as one GPX 1.1 document, written as they come.
#include <QBuffer>
#include <QByteArray>
#include <QTimeZone>
#include <QXmlStreamWriter>
#include <string_view>

#include "gpx/Waypoint.h"

namespace poirec {

class GpxWriter final : public WaypointSink {
 public:
  // creator names the program in the document, as GPX asks. Record times are local times
  // of the zone.
  GpxWriter(QIODevice& device, const QString& creator,
            const QTimeZone& localZone = QTimeZone::systemTimeZone());
  GpxWriter(const GpxWriter&) = delete;
  GpxWriter& operator=(const GpxWriter&) = delete;

  // The XML declaration and the opening of the <gpx> element.
  void Begin();
  // One <wpt>: lat and lon with seven decimals; <time> when the name gives a local time
  // that exists, written in UTC; <name> when the POI has one; <type>. Characters that
  // XML 1.0 cannot hold (controls, U+FFFE, U+FFFF, half a surrogate pair) become U+FFFD.
  bool Add(const Waypoint& waypoint) override;
  // Closes the document. False when anything could not be written to the device.
  bool Finish();

 private:
  // <element>text</element>, escaped as XML asks.
  void WriteTextElement(const QString& element, std::u16string_view text);
  // Hands what the XML writer wrote so far to the device.
  bool Flush();

  // The XML writer writes each name and value on its own; it writes into memory, which
  // goes to the device in large pieces.
  QIODevice& device_;
  QByteArray pending_;
  QBuffer pendingDevice_{&pending_};
  QXmlStreamWriter xml_{&pendingDevice_};
  QString creator_;
  bool written_ = true;
  // Read once: converting through the C library's local time would look at the zone
  // file again for every waypoint.
  QTimeZone localZone_;
};

// The UTC time of a time in the zone, as xsd:dateTime ("2026-12-05T13:03:59Z"), converted
// with the zone's offset from UTC at that moment; empty when the time does not exist there
// (it lies in the hour skipped when clocks go forward). A time that occurs twice (the hour
// repeated when clocks go back) is read as its first moment.
QString UtcDateTimeText(const RecordTime& time, const QTimeZone& zone);

}  // namespace poirec
