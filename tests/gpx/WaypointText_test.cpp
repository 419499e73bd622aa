// How a POI line's texts become a waypoint's name, time and type.
#include "gpx/WaypointText.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>

#include "platform/LocalTime.h"
#include "platform/TextEncoding.h"
#include "poi/RecordText.h"

namespace poirec {
namespace {

TEST(WaypointName, IsTheTextAfterTheSecondCommaWithoutItsQuotes) {
  const std::pair<std::string, std::string> cases[] = {
      {"\n8.1234560, 47.1234600, \"Quillon RECORD (05.12.26 14:03:59)\"",
       "Quillon RECORD (05.12.26 14:03:59)"},
      // Commas in the name stay: the recorder's own reading would cut it at the first.
      {"8.1, 47.2, \"Cafe, Bar, Grill\"", "Cafe, Bar, Grill"},
      {"  8.1,47.2,\t \"Zum \"Hirsch\" & <Sohn>\" \r\n", "Zum \"Hirsch\" & <Sohn>"},
      {"8.1, 47.2, a bare name ", "a bare name"},
      // Only a pair of quotes encloses a name.
      {"8.1, 47.2, \"unclosed", "\"unclosed"},
      {"8.1, 47.2, \"", "\""},
      {"8.1, 47.2, \"\"", ""},
      {"8.1, 47.2, ", ""},
      {"8.1, 47.2", ""},
  };
  for (const auto& [line, name] : cases) {
    EXPECT_EQ(WaypointName(DecodeCodePage(line)), DecodeCodePage(name)) << line;
  }
}

TEST(RecordedTime, ReadsTheLocalTimeOfARecordName) {
  // Whatever the recorder names a record reads back as its time.
  const RecordTime times[] = {{2026, 12, 5, 14, 3, 59},
                              {2000, 1, 1, 0, 0, 0},
                              {2099, 12, 31, 23, 59, 59},
                              {2024, 2, 29, 12, 0, 0}};
  for (const RecordTime& time : times) {
    const std::u16string name = RecordName(DateTimeText(
        {time.year, time.month, 0, time.day, time.hour, time.minute, time.second}, true));
    EXPECT_EQ(RecordedTime(name), time) << Utf16ToUtf8(name);
  }
  EXPECT_EQ(RecordedTime(u"Tour 3 RECORD (01.05.26 08:00:00)"), (RecordTime{2026, 5, 1, 8, 0, 0}));
  EXPECT_EQ(RecordedTime(u"RECORD (01.05.26 08:00:00)"), (RecordTime{2026, 5, 1, 8, 0, 0}));

  for (const char16_t* name :
       {u"Quillon RECORD (29.02.26 10:00:00)",  // 2026 is no leap year
        u"Quillon RECORD (31.04.26 10:00:00)", u"Quillon RECORD (00.04.26 10:00:00)",
        u"Quillon RECORD (01.13.26 10:00:00)", u"Quillon RECORD (01.00.26 10:00:00)",
        u"Quillon RECORD (01.01.26 24:00:00)", u"Quillon RECORD (01.01.26 10:60:00)",
        u"Quillon RECORD (01.01.26 10:00:60)", u"Quillon RECORD (1.01.26 10:00:00)",
        u"Quillon RECORD (01-01-26 10:00:00)", u"Quillon RECORD (01.01.26 10:00:0x)",
        u"Quillon RECORD (01.01.26 10:00:00) ", u"Quillon RECORD (01.01.26 10:00:00)x",
        u"QuillonRECORD (01.01.26 10:00:00)", u"Quillon record (01.01.26 10:00:00)",
        u"Quillon RECORD (01.01.26)", u""}) {
    EXPECT_FALSE(RecordedTime(name)) << Utf16ToUtf8(name);
  }
}

}  // namespace
}  // namespace poirec
