#pragma once
// The page that deletes the POI nearest to the fix: it searches every category file when
// it opens, shows the category's picture and "category: POI name" under "Delete this
// POI", and "Confirm Deletion" removes the POI from its file (keeping its line in
// "pois/deleted/") and ends the page with "done" (2), as does the key Down. "Back" ends it with
// "back" (1) and deletes nothing.
#include <QString>

#include "session/ProcessState.h"
#include "session/Shell.h"
#include "ui/NestedPage.h"

class QLabel;
class QPushButton;

namespace poirec {

// What the page says about the match: the category name of its row, ": " and the POI's
// name as read, every "°" shown as a blank. A row outside the table (there are no
// categories at all) has an empty name, so the line then begins with ": ".
QString MatchText(const CategoryTable& table, const NearestPoiMatch& match);

class DeleteDialog final : public NestedPage {
  Q_OBJECT
 public:
  // Builds the page and runs its initialisation: the search for the POI nearest to
  // state.positionFix (under the wait cursor) fills state.nearestPoiMatch, and its
  // category's picture is loaded into state.matchImage.
  DeleteDialog(ProcessState& state, Shell& shell);

  void OnConfirm();

  QPushButton& ConfirmButton() const;
  QLabel& MatchLine() const;

 private:
  ProcessState& state_;
  Shell& shell_;
};

}  // namespace poirec
