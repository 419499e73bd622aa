#pragma once
// One start of the program is one recording: read the position, sound the start, and with
// a valid fix show the category page; when it ends with "done", file the fallback record.
// A failure the user is shown is explained on standard error.
#include <functional>

#include "platform/LocalTime.h"
#include "session/ProcessState.h"
#include "session/Shell.h"

namespace poirec {

class RecordingSession {
 public:
  using PageRunner = std::function<int()>;
  using Clock = std::function<LocalDateTime()>;

  // runCategoryPage shows the category page modally and returns its result.
  RecordingSession(ProcessState& state, Shell& shell, PageRunner runCategoryPage,
                   Clock clock = CurrentLocalTime);

  // Runs the whole recording. Always false: the process ends when the run is over.
  bool Start();

 private:
  ProcessState& state_;
  Shell& shell_;
  PageRunner runCategoryPage_;
  Clock clock_;
};

}  // namespace poirec
