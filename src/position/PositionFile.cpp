#include "position/PositionFile.h"

#include <algorithm>
#include <cerrno>
#include <optional>
#include <string>

#include "platform/NumberText.h"
#include "platform/TextCharacters.h"
#include "position/CoordinateText.h"
#include "position/TextLineReader.h"

namespace poirec {
namespace {

// The navigation program may be rewriting the file at this moment; it is tried again
// at once a few times.
constexpr int kOpenAttempts = 6;

bool StartsWith(std::u16string_view line, std::string_view key) {
  return line.size() >= key.size() && std::equal(key.begin(), key.end(), line.begin());
}

bool IsAscii(std::u16string_view text, std::string_view ascii) {
  return text.size() == ascii.size() && StartsWith(text, ascii);
}

// The stamp's seconds: digits with an optional point and decimals, nothing else.
std::optional<double> ParseUptime(std::u16string_view text) {
  std::string digits;
  for (const char16_t c : text) {
    if ((c < u'0' || c > u'9') && c != u'.') return std::nullopt;
    digits += static_cast<char>(c);
  }
  if (digits.empty() || digits.front() == '.' || std::ranges::count(digits, '.') > 1) {
    return std::nullopt;
  }
  return ParseDecimalPrefix(digits);
}

// The freshness stamp as read: each key's value, when the key was there.
struct Stamp {
  std::optional<std::u16string> bootId;
  std::optional<std::u16string> uptime;
};

// What a valid fix with a stamp comes to.
PositionFileStatus JudgeStamp(const Stamp& stamp, const BootMomentSource& now, double& age) {
  const std::optional<double> uptime = stamp.uptime ? ParseUptime(*stamp.uptime) : std::nullopt;
  if (!stamp.bootId || !uptime) return PositionFileStatus::BadStamp;
  const BootMoment moment = now();
  if (!IsAscii(*stamp.bootId, moment.bootId)) return PositionFileStatus::EarlierBoot;
  age = std::chrono::duration<double>(moment.sinceBoot).count() - *uptime;
  // The feeder writes its time cut to the millisecond, and now is taken after the read.
  if (age < 0) return PositionFileStatus::BadStamp;
  if (age >= std::chrono::duration<double>(kStampLifetime).count()) {
    return PositionFileStatus::OldFix;
  }
  return PositionFileStatus::ValidFix;
}

}  // namespace

std::u16string PositionFilePath(std::u16string_view documentsFolder) {
  std::u16string path(documentsFolder);
  path += u"/QXPosition.txt";
  return path;
}

PositionFileRead ReadPositionFile(FileSystem& files, PositionFix& fix,
                                  std::u16string_view documentsFolder,
                                  const BootMomentSource& now) {
  return ReadPositionFileAt(files, fix, PositionFilePath(documentsFolder), now);
}

PositionFileRead ReadPositionFileAt(FileSystem& files, PositionFix& fix, std::u16string_view path,
                                    const BootMomentSource& now) {
  TextLineReader reader(files);
  fix.valid = 0;
  PositionFileRead read;
  read.path = path;

  bool opened = false;
  for (int attempt = 0; attempt < kOpenAttempts && !opened; ++attempt) {
    opened = reader.Open(read.path);
    if (!opened) read.error = errno;
  }
  if (!opened) {
    const bool missing = read.error == ENOENT || read.error == ENOTDIR;
    read.status = missing ? PositionFileStatus::Missing : PositionFileStatus::Unreadable;
    return read;
  }

  reader.SeekToBegin();
  // Reading stops at the end of the file or at a read that failed; only the failure sets
  // errno, so it is cleared first.
  errno = 0;
  std::u16string text;
  Stamp stamp;
  while (reader.ReadString(text)) {
    const std::u16string_view line = TrimLeft(text);
    if (StartsWith(line, "Lat =")) {
      fix.position.lat = ToMicroDegrees(ParseCoordinate(line.substr(5)));
    } else if (StartsWith(line, "Lon =")) {
      fix.position.lon = ToMicroDegrees(ParseCoordinate(line.substr(5)));
    } else if (StartsWith(line, "Course =")) {
      fix.course = TruncateToInt32(ParseCoordinate(line.substr(8)));
    } else if (StartsWith(line, "Valid =")) {
      if (Trim(line.substr(7)) == u"1") fix.valid = 1;
    } else if (StartsWith(line, kBootIdKey)) {
      stamp.bootId = Trim(line.substr(kBootIdKey.size()));
    } else if (StartsWith(line, kUptimeKey)) {
      stamp.uptime = Trim(line.substr(kUptimeKey.size()));
    }
  }
  read.error = errno;
  const bool stamped = fix.valid != 0 && (stamp.bootId || stamp.uptime);
  if (stamped) read.status = JudgeStamp(stamp, now, read.stampAge);
  if (stamped && read.status != PositionFileStatus::ValidFix) {
    fix.valid = 0;
    read.error = 0;
  } else if (fix.valid != 0) {
    read.status = PositionFileStatus::ValidFix;
    read.error = 0;
  } else if (read.error != 0 || !reader.ReadWholeFile()) {
    read.status = PositionFileStatus::Unreadable;
  } else {
    read.status = PositionFileStatus::NoValidFix;
  }
  reader.Close();
  return read;
}

}  // namespace poirec
