#pragma once
// One press of a key files one POI, without the pages: the fix is read as a run reads it, the
// POI is filed into the named category as the insert page's button files it, and the fallback
// record follows as after the pages. No screen: the reasons go to standard error, and a
// sound says how it went.
#include <functional>
#include <string>

#include "platform/LocalTime.h"
#include "session/PoiChanges.h"
#include "session/ProcessState.h"
#include "session/Shell.h"

namespace poirec {

struct OnePressRequest {
  std::u16string category;  // as the pages show its name, letter case aside
  Placement placement = Placement::Exact;
};

enum class OnePressOutcome {
  Filed,           // the POI is in its category's file
  NoFix,           // no valid fix: nothing written
  NoSuchCategory,  // no category is shown by that name: nothing written
  NotWritten,      // the POI could not be written to its category's file
};

// Files the POI and then the fallback record (also when the POI could not be written, as the
// page does; a fallback record that cannot be written is explained, and the POI stays filed).
// The "complete" sound when the POI was filed, the "failed" sound otherwise.
OnePressOutcome RecordOnePress(ProcessState& state, Shell& shell, const OnePressRequest& request,
                               const std::function<LocalDateTime()>& clock = CurrentLocalTime);

}  // namespace poirec
