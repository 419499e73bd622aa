#include "gpx/GpxWriter.h"

#include <QDateTime>
#include <QIODevice>
#include <algorithm>
#include <optional>

#include "gpx/WaypointText.h"

namespace poirec {
namespace {

const QString kGpxNamespace = QStringLiteral("http://www.topografix.com/GPX/1/1");
const QString kSchemaNamespace = QStringLiteral("http://www.w3.org/2001/XMLSchema-instance");

// XML 1.0 holds no control characters but tab, line feed and carriage return, no U+FFFE
// or U+FFFF and no half of a surrogate pair; a name may hold any of them. The writer would
// drop them and flag an error; the replacement character keeps the user aware that
// something stood there.
QString XmlText(std::u16string_view text) {
  QString result = QString::fromUtf16(text.data(), static_cast<qsizetype>(text.size()));
  const qsizetype size = result.size();
  for (qsizetype i = 0; i < size; ++i) {
    const char16_t unit = result.at(i).unicode();
    const bool pairStart = QChar::isHighSurrogate(unit) && i + 1 < size &&
                           QChar::isLowSurrogate(result.at(i + 1).unicode());
    if (pairStart) {
      ++i;  // a whole pair: a character beyond the 16-bit ones, which XML holds
    } else if ((unit < 0x20 && unit != u'\t' && unit != u'\n' && unit != u'\r') ||
               QChar::isSurrogate(unit) || unit == 0xFFFE || unit == 0xFFFF) {
      result[i] = QChar(0xFFFD);
    }
  }
  return result;
}

constexpr qsizetype kFlushSize = 64 * 1024;
constexpr std::size_t kPieceSize = 16 * 1024;

}  // namespace

GpxWriter::GpxWriter(QIODevice& device, const QString& creator, const QTimeZone& localZone)
    : device_(device), creator_(creator), localZone_(localZone) {
  pending_.reserve(kFlushSize + 4096);
  pendingDevice_.open(QIODevice::WriteOnly);
  xml_.setAutoFormatting(true);
  xml_.setAutoFormattingIndent(2);
}

void GpxWriter::Begin() {
  xml_.writeStartDocument();
  xml_.writeDefaultNamespace(kGpxNamespace);
  xml_.writeNamespace(kSchemaNamespace, QStringLiteral("xsi"));
  xml_.writeStartElement(kGpxNamespace, QStringLiteral("gpx"));
  xml_.writeAttribute(QStringLiteral("version"), QStringLiteral("1.1"));
  xml_.writeAttribute(QStringLiteral("creator"), creator_);
  xml_.writeAttribute(
      kSchemaNamespace, QStringLiteral("schemaLocation"),
      kGpxNamespace + QStringLiteral(" ") + kGpxNamespace + QStringLiteral("/gpx.xsd"));
}

bool GpxWriter::Add(const Waypoint& waypoint) {
  xml_.writeStartElement(kGpxNamespace, QStringLiteral("wpt"));
  xml_.writeAttribute(QStringLiteral("lat"),
                      QString::fromStdString(DegreesText(waypoint.position.lat)));
  xml_.writeAttribute(QStringLiteral("lon"),
                      QString::fromStdString(DegreesText(waypoint.position.lon)));
  // The schema's order: time, name, type.
  if (waypoint.recorded) {
    if (const QString time = UtcDateTimeText(*waypoint.recorded, localZone_); !time.isEmpty()) {
      xml_.writeTextElement(kGpxNamespace, QStringLiteral("time"), time);
    }
  }
  if (!waypoint.name.empty()) WriteTextElement(QStringLiteral("name"), waypoint.name);
  WriteTextElement(QStringLiteral("type"), waypoint.type);
  xml_.writeEndElement();
  return pending_.size() < kFlushSize ? written_ : Flush();
}

void GpxWriter::WriteTextElement(const QString& element, std::u16string_view text) {
  // In pieces, each one handed to the device once it is large enough: a name as long as
  // the file then needs no more memory than a piece.
  xml_.writeStartElement(kGpxNamespace, element);
  do {
    std::size_t size = std::min(text.size(), kPieceSize);
    if (size < text.size() && QChar::isHighSurrogate(text[size - 1])) ++size;  // a whole pair
    xml_.writeCharacters(XmlText(text.substr(0, size)));
    text.remove_prefix(size);
    if (pending_.size() >= kFlushSize) Flush();
  } while (!text.empty());
  xml_.writeEndElement();
}

bool GpxWriter::Finish() {
  xml_.writeEndDocument();
  return Flush() && !xml_.hasError();
}

bool GpxWriter::Flush() {
  written_ = written_ && device_.write(pending_) == pending_.size();
  pending_.resize(0);  // keeps the memory for the next piece
  pendingDevice_.seek(0);
  return written_;
}

QString UtcDateTimeText(const RecordTime& time, const QTimeZone& zone) {
  // The moments whose local time it is: the time taken as UTC, less each offset the zone
  // has around that day, where the zone indeed has that offset at that moment.
  const QDateTime asUtc(QDate(time.year, time.month, time.day),
                        QTime(time.hour, time.minute, time.second), QTimeZone::utc());
  if (!asUtc.isValid()) return {};
  std::optional<QDateTime> first;
  for (const int offset :
       {zone.offsetFromUtc(asUtc.addDays(-1)), zone.offsetFromUtc(asUtc.addDays(1))}) {
    const QDateTime moment = asUtc.addSecs(-offset);
    if (zone.offsetFromUtc(moment) != offset) continue;
    // A time the clocks showed twice (the hour repeated in autumn) is its first moment, still
    // in summer time: the recorder noted the clock as it stood, and the earlier reading is
    // the one the day had first.
    if (!first || moment < *first) first = moment;
  }
  // A time the clocks skipped (in spring) was never shown: no moment.
  return first ? first->toUTC().toString(Qt::ISODate) : QString();
}

}  // namespace poirec
