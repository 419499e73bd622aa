#pragma once
#include "poi/RecordText.h"
#include "session/ProcessState.h"

namespace poirec {

// Appends the fix's own position, named after the recording time, to "pois/recorded.asc"
// in the program's folder: the record text followed by one line break. When it fails and
// error is given, error says why.
AppendResult AppendFallbackRecord(const ProcessState& state, AppendError* error = nullptr);

}  // namespace poirec
