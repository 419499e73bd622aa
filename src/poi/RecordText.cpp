#include "poi/RecordText.h"

#include <cerrno>
#include <string>

#include "platform/NumberText.h"
#include "platform/TextEncoding.h"
#include "position/CoordinateText.h"

namespace poirec {
namespace {

void AppendTwoDigits(std::u16string& text, unsigned value) {
  text.push_back(static_cast<char16_t>(u'0' + (value / 10) % 10));
  text.push_back(static_cast<char16_t>(u'0' + value % 10));
}

void AppendAscii(std::u16string& text, std::string_view ascii) {
  text.append(ascii.begin(), ascii.end());
}

}  // namespace

std::u16string DateTimeText(const LocalDateTime& time, bool withTimeOfDay) {
  std::u16string text;
  AppendTwoDigits(text, time.day);
  text += u'.';
  AppendTwoDigits(text, time.month);
  text += u'.';
  AppendTwoDigits(text, time.year % 100u);
  if (withTimeOfDay) {
    text += u' ';
    AppendTwoDigits(text, time.hour);
    text += u':';
    AppendTwoDigits(text, time.minute);
    text += u':';
    AppendTwoDigits(text, time.second);
  }
  return text;
}

std::u16string RecordName(std::u16string_view dateTime) {
  std::u16string name = u"Quillon RECORD (";
  name += dateTime;
  name += u')';
  return name;
}

std::u16string FormatRecordText(GeoPoint position, std::u16string_view name) {
  std::u16string text = u"\n";
  AppendAscii(text, FormatFixed(ToDegrees(position.lon), 7));
  text += u", ";
  AppendAscii(text, FormatFixed(ToDegrees(position.lat), 5));
  text += u"00, \"";
  text += name;
  text += u'"';
  return text;
}

AppendResult AppendPoiText(FileSystem& files, std::u16string_view path, std::u16string_view text,
                           AppendError* error) {
  std::string bytes;
  bytes.reserve(text.size());
  for (const char16_t c : text) bytes.push_back(static_cast<char>(LowByte(c)));
  return AppendPoiBytes(files, path, bytes, error);
}

AppendResult AppendPoiBytes(FileSystem& files, std::u16string_view path, std::string_view bytes,
                            AppendError* error) {
  // errno is taken where the failing call returned, before the clean-up can change it.
  const auto failed = [&](AppendResult result) {
    const int number = errno;
    if (error != nullptr) *error = {std::u16string(path), number};
    return result;
  };
  File file(files);
  if (!file.Open(path, File::Mode::AppendText)) return failed(AppendResult::NotOpened);
  if (!file.Lock()) return failed(AppendResult::NotWritten);
  const std::int64_t lengthBefore = file.Length();
  if (lengthBefore < 0 || !file.Write(bytes.data(), bytes.size()) || !file.Sync()) {
    const AppendResult result = failed(AppendResult::NotWritten);
    if (lengthBefore >= 0) file.Truncate(lengthBefore);
    file.Close();
    return result;
  }
  return file.Close() ? AppendResult::Appended : failed(AppendResult::NotWritten);
}

}  // namespace poirec
