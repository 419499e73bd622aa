#pragma once
#include "poi/RecordText.h"
#include "session/ProcessState.h"
#include "session/Shell.h"

namespace poirec {

// Appends the fix's own position, named after the recording time, to "pois/recorded.asc"
// in the program's folder: the record text followed by one line break. When it fails and
// error is given, error says why.
AppendResult AppendFallbackRecord(const ProcessState& state, AppendError* error = nullptr);

// Appends the fallback record at the end of a run; one that is not in the file is explained
// and reported with "File could not be created !". Returns whether it was appended.
bool FileFallbackRecord(const ProcessState& state, Shell& shell);

}  // namespace poirec
