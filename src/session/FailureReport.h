#pragma once
// What a run says on standard error when it shows a failure: which file, and why.
#include <string>

#include "poi/RecordText.h"
#include "position/PositionFile.h"
#include "session/Shell.h"

namespace poirec {

// Why a run has no valid fix: the position file is missing, could not be read (and the
// system's reason), has no line "Valid = 1", or its fix is old (and how old). UTF-8.
std::string NoFixExplanation(const PositionFileRead& read);

// Why a record could not be appended: the file and the system's reason. UTF-8.
std::string AppendFailureExplanation(AppendResult result, const AppendError& error);

// Why a deletion did not happen: the lines it would remove could not be kept. UTF-8.
std::string KeepFailureExplanation(const AppendError& error);

// Says on standard error why the record could not be appended, then shows
// "File could not be created !".
void ReportAppendFailure(Shell& shell, AppendResult result, const AppendError& error);

}  // namespace poirec
