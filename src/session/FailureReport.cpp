#include "session/FailureReport.h"

#include <cstring>

#include "platform/NumberText.h"
#include "platform/Path.h"
#include "platform/TextEncoding.h"

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
    case PositionFileStatus::OldFix:
      return text + " says \"Valid = 1\", but its fix is " + FormatFixed(read.stampAge, 1) +
             " s old (none older than " + std::to_string(kStampLifetime.count()) +
             " s is taken): the program that keeps it current has stopped or cannot write it";
    case PositionFileStatus::EarlierBoot:
      return text + " says \"Valid = 1\", but it was written before the system last started";
    case PositionFileStatus::BadStamp:
      return text + " says \"Valid = 1\", but its lines \"Boot id =\" and \"Uptime =\" " +
             "do not tell when it was written";
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

std::string DeleteFailureExplanation(DeleteResult result, const DeleteFailure& failure) {
  if (result == DeleteResult::NotKept) {
    return "the POI was not deleted: its line could not be kept in " + QuotedPath(failure.path) +
           ": " + failure.reason;
  }
  const std::string verb =
      result == DeleteResult::NotOpened ? " could not be read" : " could not be changed";
  return "the POI was not deleted: " + QuotedPath(failure.path) + verb + ": " + failure.reason +
         "; the file is as it was";
}

void ReportDeleteFailure(Shell& shell, DeleteResult result, const DeleteFailure& failure) {
  if (result == DeleteResult::NotOpened || result == DeleteResult::NotWritten ||
      result == DeleteResult::NotKept) {
    shell.Explain(DeleteFailureExplanation(result, failure));
  }
}

}  // namespace poirec
