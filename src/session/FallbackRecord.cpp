#include "session/FallbackRecord.h"

#include <string>

namespace poirec {

AppendResult AppendFallbackRecord(const ProcessState& state, AppendError* error) {
  const std::u16string path = state.folders.program + u"pois/recorded.asc";
  const std::u16string name = RecordName(DateTimeText(state.recordingTime, true));
  return AppendPoiText(*state.files, path,
                       FormatRecordText(state.positionFix.position, name) + u"\n", error);
}

}  // namespace poirec
