#include "session/RecordingSession.h"

#include <utility>

#include "position/PositionFile.h"
#include "session/DialogResult.h"
#include "session/FailureReport.h"
#include "session/FallbackRecord.h"

namespace poirec {

RecordingSession::RecordingSession(ProcessState& state, Shell& shell, PageRunner runCategoryPage,
                                   Clock clock)
    : state_(state),
      shell_(shell),
      runCategoryPage_(std::move(runCategoryPage)),
      clock_(std::move(clock)) {}

bool RecordingSession::Start() {
  const PositionFileRead read =
      ReadPositionFile(*state_.files, state_.positionFix, state_.folders.documents);
  shell_.PlaySound(SoundEvent::Start);  // in every run, with or without a fix
  if (state_.positionFix.valid != 1) {
    shell_.Explain(NoFixExplanation(read));
    shell_.ShowMessage(kMissingGpsSignal);
    return false;
  }
  // Taken once: every record of the run carries the moment before the page opened.
  state_.recordingTime = clock_();
  if (runCategoryPage_() == kResultDone) FileFallbackRecord(state_, shell_);
  return false;
}

}  // namespace poirec
