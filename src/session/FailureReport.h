#pragma once
// What a run says on standard error when it shows a failure: which file, and why.
#include <string>

#include "poi/NearestPoi.h"
#include "poi/RecordText.h"
#include "position/PositionFile.h"
#include "session/Shell.h"

namespace poirec {

// Why a run has no valid fix: the position file is missing, could not be read (and the
// system's reason), has no line "Valid = 1", or its fix is old (and how old). UTF-8.
std::string NoFixExplanation(const PositionFileRead& read);

// Why a record could not be appended: the file and the system's reason. UTF-8.
std::string AppendFailureExplanation(AppendResult result, const AppendError& error);

// Says on standard error why the record could not be appended, then shows
// "File could not be created !".
void ReportAppendFailure(Shell& shell, AppendResult result, const AppendError& error);

// Why a deletion could not be done: the file and the reason. UTF-8.
std::string DeleteFailureExplanation(DeleteResult result, const DeleteFailure& failure);

// Says on standard error why a deletion that was asked for could not be done; a deletion
// that happened, or found nothing to delete, says nothing. The pages stay as they are.
void ReportDeleteFailure(Shell& shell, DeleteResult result, const DeleteFailure& failure);

}  // namespace poirec
