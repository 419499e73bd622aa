#pragma once
// What the driver changes in the category files, the same whether a page's button or one
// press of a key asks for it: a POI filed into the chosen category, the matched POI deleted.
// Each says when it is done with the "complete" sound, and explains a failure.
#include "session/ProcessState.h"
#include "session/Shell.h"

namespace poirec {

enum class Placement { Left, Exact, Right };

// Files the fix into the category of row state.selectedCategoryIndex: at the fix, or 20 m
// to the left or right of the course, named after the recording time. A record that is not
// in the file is explained and reported with "File could not be created !". Returns whether
// the record was filed.
bool FilePoi(ProcessState& state, Shell& shell, Placement placement);

// Deletes the POI of state.nearestPoiMatch from its file, its lines kept in
// "pois/deleted/" first. Lines that could not be kept are explained, and nothing is deleted.
// Returns whether the POI was deleted.
bool DeleteMatchedPoi(ProcessState& state, Shell& shell);

}  // namespace poirec
