#include "session/PoiChanges.h"

#include "poi/NearestPoi.h"
#include "poi/Placement.h"
#include "session/FailureReport.h"

namespace poirec {

bool FilePoi(ProcessState& state, Shell& shell, Placement placement) {
  AppendError error;
  const AppendResult result =
      placement == Placement::Exact
          ? RecordExact(*state.files, state.categoryTable, state.selectedCategoryIndex,
                        state.positionFix, state.recordingTime, &error)
          : RecordBesideStreet(*state.files, state.categoryTable, state.selectedCategoryIndex,
                               state.positionFix, state.recordingTime,
                               placement == Placement::Left ? kLeftOfStreet : kRightOfStreet,
                               &error);
  if (result != AppendResult::Appended) {
    ReportAppendFailure(shell, result, error);
    return false;
  }
  shell.PlaySound(SoundEvent::Complete);
  return true;
}

bool DeleteMatchedPoi(ProcessState& state, Shell& shell) {
  DeleteFailure failure;
  const DeleteResult result =
      DeleteNearestPoi(*state.files, state.categoryTable, state.nearestPoiMatch, &failure);
  ReportDeleteFailure(shell, result, failure);
  if (result == DeleteResult::Deleted) shell.PlaySound(SoundEvent::Complete);
  return result == DeleteResult::Deleted;
}

}  // namespace poirec
