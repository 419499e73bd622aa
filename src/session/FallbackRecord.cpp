#include "session/FallbackRecord.h"

#include <string>

#include "session/FailureReport.h"

namespace poirec {

AppendResult AppendFallbackRecord(const ProcessState& state, AppendError* error) {
  const std::u16string path = state.folders.program + u"pois/recorded.asc";
  const std::u16string name = RecordName(DateTimeText(state.recordingTime, true));
  return AppendPoiText(*state.files, path,
                       FormatRecordText(state.positionFix.position, name) + u"\n", error);
}

bool FileFallbackRecord(const ProcessState& state, Shell& shell) {
  AppendError error;
  const AppendResult result = AppendFallbackRecord(state, &error);
  if (result != AppendResult::Appended) ReportAppendFailure(shell, result, error);
  return result == AppendResult::Appended;
}

}  // namespace poirec
