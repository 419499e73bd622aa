#include "gpx/WaypointText.h"

#include "platform/NumberText.h"
#include "platform/TextCharacters.h"
#include "poi/CategoryDisplayName.h"
#include "position/CoordinateText.h"

namespace poirec {
namespace {

constexpr std::u16string_view kRecordMark = u"RECORD (";
// "dd.MM.yy HH:mm:ss": a digit where the pattern has one, the separators as they stand.
constexpr std::u16string_view kDateTimePattern = u"00.00.00 00:00:00";

bool IsLeapYear(unsigned year) { return year % 4 == 0 && (year % 100 != 0 || year % 400 == 0); }

unsigned DaysInMonth(unsigned year, unsigned month) {
  constexpr unsigned kDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  return month == 2 && IsLeapYear(year) ? 29 : kDays[month - 1];
}

}  // namespace

std::u16string WaypointName(std::u16string line) {
  // Cut in place: a name may be as long as the file, and a copy would double it.
  const std::u16string_view text = TrimLeft(line);
  const std::size_t firstComma = text.find(u',');
  if (firstComma == std::u16string_view::npos) return {};
  const std::size_t secondComma = text.find(u',', firstComma + 1);
  if (secondComma == std::u16string_view::npos) return {};
  std::u16string_view name = Trim(text.substr(secondComma + 1));
  if (name.size() >= 2 && name.front() == u'"' && name.back() == u'"') {
    name = name.substr(1, name.size() - 2);
  }
  const auto start = static_cast<std::size_t>(name.data() - line.data());
  line.erase(start + name.size());
  line.erase(0, start);
  return line;
}

std::optional<RecordTime> RecordedTime(std::u16string_view name) {
  // The mark, the date and time, ")": at the very start or after a blank.
  const std::size_t length = kRecordMark.size() + kDateTimePattern.size() + 1;
  if (name.size() < length || name.back() != u')') return std::nullopt;
  const std::size_t markAt = name.size() - length;
  if (name.substr(markAt, kRecordMark.size()) != kRecordMark) return std::nullopt;
  if (markAt > 0 && name[markAt - 1] != u' ') return std::nullopt;
  const std::u16string_view text =
      name.substr(markAt + kRecordMark.size(), kDateTimePattern.size());
  for (std::size_t i = 0; i < text.size(); ++i) {
    const bool digitWanted = kDateTimePattern[i] == u'0';
    const bool digit = text[i] >= u'0' && text[i] <= u'9';
    if (digitWanted ? !digit : text[i] != kDateTimePattern[i]) return std::nullopt;
  }
  const auto number = [text](std::size_t at) {
    return static_cast<std::uint16_t>((text[at] - u'0') * 10 + (text[at + 1] - u'0'));
  };
  RecordTime time;
  time.day = number(0);
  time.month = number(3);
  time.year = static_cast<std::uint16_t>(2000 + number(6));
  time.hour = number(9);
  time.minute = number(12);
  time.second = number(15);
  if (time.month < 1 || time.month > 12 || time.day < 1 ||
      time.day > DaysInMonth(time.year, time.month) || time.hour > 23 || time.minute > 59 ||
      time.second > 59) {
    return std::nullopt;
  }
  return time;
}

std::u16string CategoryType(std::u16string_view categoryName) {
  const std::u16string shown = CategoryDisplayName(categoryName);
  return std::u16string(Trim(shown));
}

std::string DegreesText(std::int32_t microDegrees) {
  // As every coordinate the recorder writes, rounded to seven decimals, so a waypoint shows
  // the very digits of a rewritten POI line.
  return FormatFixed(ToDegrees(microDegrees), 7);
}

}  // namespace poirec
