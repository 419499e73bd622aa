#pragma once
// A recorded POI filed into its category's file.
#include <string_view>

#include "poi/RecordText.h"
#include "position/GeoPoint.h"

namespace poirec {

// Appends the record text (its line break first, no line break after it) for the position
// and the name (without quotes) to the category file at path, creating the file when it
// is missing. The caller tells the user "File could not be created !" unless the result
// is Appended; a record that could not be written completely has been taken off again.
// When it fails and error is given, error says why.
AppendResult AppendCategoryRecord(FileSystem& files, std::u16string_view path, GeoPoint position,
                                  std::u16string_view name, AppendError* error = nullptr);

}  // namespace poirec
