#include "session/FailureReport.h"

#include <cstring>

#include "platform/Path.h"

namespace poirec {
namespace {

// ": " and the system's text for the error number; nothing when no call failed.
std::string Reason(int number) {
  if (number == 0) return {};
  return std::string(": ") + std::strerror(number);
}

}  // namespace

std::string NoFixExplanation(const PositionFileRead& read) {
  std::string text = "no valid GPS fix: the position file " + QuotedPath(read.path);
  switch (read.status) {
    case PositionFileStatus::Missing: return text + " is missing";
    case PositionFileStatus::Unreadable:
      return text + " could not be read" + (read.error != 0 ? Reason(read.error) : " to its end");
    case PositionFileStatus::NoValidFix: return text + " has no line \"Valid = 1\"";
    case PositionFileStatus::ValidFix: break;
  }
  return text + " has a valid fix";
}

std::string AppendFailureExplanation(AppendResult result, const AppendError& error) {
  if (error.path.empty()) return "the record could not be written: no category is selected";
  switch (result) {
    case AppendResult::NotOpened:
      return QuotedPath(error.path) + " could not be opened for the record" + Reason(error.number);
    case AppendResult::NotWritten:
      return "the record could not be written to " + QuotedPath(error.path) + Reason(error.number) +
             "; the file is as it was";
    case AppendResult::Appended: break;
  }
  return "the record was written to " + QuotedPath(error.path);
}

void ReportAppendFailure(Shell& shell, AppendResult result, const AppendError& error) {
  shell.Explain(AppendFailureExplanation(result, error));
  shell.ShowMessage(kFileCouldNotBeCreated);
}

}  // namespace poirec
