#pragma once
// The insert and delete pages, as the category page runs them.
#include "session/ProcessState.h"
#include "session/Shell.h"
#include "ui/CategoryDialog.h"

namespace poirec {

// Each runner builds its page, runs it modally and returns its result.
CategoryDialog::NestedPages RecordingPages(ProcessState& state, Shell& shell);

}  // namespace poirec
