#include "session/RecordingSession.h"

#include <utility>

#include "position/PositionFile.h"
#include "session/DialogResult.h"
#include "session/FallbackRecord.h"

namespace poirec {

RecordingSession::RecordingSession(ProcessState& state, Shell& shell, PageRunner runCategoryPage,
                                   Clock clock)
    : state_(state),
      shell_(shell),
      runCategoryPage_(std::move(runCategoryPage)),
      clock_(std::move(clock)) {}

bool RecordingSession::Start() {
  ReadPositionFile(*state_.files, state_.positionFix, state_.folders.documents);
  shell_.Beep();  // in every run, with or without a fix
  if (state_.positionFix.valid != 1) {
    shell_.ShowMessage(kMissingGpsSignal);
    return false;
  }
  // Taken once: every record of the run carries the moment before the page opened.
  state_.recordingTime = clock_();
  if (runCategoryPage_() == kResultDone && AppendFallbackRecord(state_) != AppendResult::Appended) {
    shell_.ShowMessage(kFileCouldNotBeCreated);
  }
  return false;
}

}  // namespace poirec
