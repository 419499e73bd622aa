#pragma once
// A deletion loses nothing: the lines it removes from a category file are kept first in the
// folder "deleted" beside the category files, in a file of the category's own name, so a
// wrong press can be undone by hand (and the export reads that folder as any other).
#include <string_view>

#include "platform/FileSystem.h"
#include "poi/RecordText.h"

namespace poirec {

// Appends lines (their bytes as read, each after its line break) to "deleted/<file name>"
// in the folder of the category file at categoryPath, making that folder when it is
// missing. All or nothing, under that file's lock, as every append.
AppendResult KeepDeletedLines(FileSystem& files, std::u16string_view categoryPath,
                              std::string_view lines, AppendError* error = nullptr);

}  // namespace poirec
