#pragma once
// The text of a recorded POI and how it is written. Every record begins with its line
// break: "\n", the longitude with seven decimals, ", ", the latitude with five decimals
// and "00", ", \"", the name, "\"". Text is stored one byte per character.
#include <cstdint>
#include <string>
#include <string_view>

#include "platform/File.h"
#include "platform/LocalTime.h"
#include "position/GeoPoint.h"

namespace poirec {

// "dd.MM.yy", and with the time of day " HH:mm:ss" after it.
std::u16string DateTimeText(const LocalDateTime& time, bool withTimeOfDay);

// "Quillon RECORD (" + dateTime + ")".
std::u16string RecordName(std::u16string_view dateTime);

// The record text for a position and a name without quotes.
std::u16string FormatRecordText(GeoPoint position, std::u16string_view name);

enum class AppendResult {
  Appended,   // the whole text is in the file
  NotOpened,  // the file could not be opened or created; nothing was written
  NotWritten  // locking or writing failed; the file was cut back to the length it had
};

// Why an append failed, for a line on standard error: the file and the system's reason.
struct AppendError {
  std::u16string path;
  int number = 0;  // errno of the call that failed; 0 when no call was made
};

// Appends text, each character as one byte (its low 8 bits), to the file at path ("a+t":
// created when missing), holding the file's lock, so a deletion in another run never misses
// the record and two records never mix. A record is never left half written: when a write,
// the sync or the close fails, the file is cut back to its length before, which holds only
// this record's bytes. A lock not granted in time fails as a failed write does. When it
// fails and error is given, error says why.
AppendResult AppendPoiText(FileSystem& files, std::u16string_view path, std::u16string_view text,
                           AppendError* error = nullptr);
// The same for bytes, such as lines read from a POI file, written as they are.
AppendResult AppendPoiBytes(FileSystem& files, std::u16string_view path, std::string_view bytes,
                            AppendError* error = nullptr);

}  // namespace poirec
