#include "ui/DeleteDialog.h"

#include <QLabel>
#include <QPushButton>
#include <string>

#include "poi/NearestPoi.h"
#include "session/PoiChanges.h"
#include "ui/PlaceFullScreen.h"
#include "ui/ScreenText.h"
#include "ui/WaitCursor.h"

namespace poirec {
namespace {

constexpr int kDeleteDialogTemplate = 139;
constexpr int kConfirmControl = 5;

}  // namespace

QString MatchText(const CategoryTable& table, const NearestPoiMatch& match) {
  const CategoryEntry* row = RowAt(table, match.fileIndex);
  return DisplayName((row ? row->name : std::u16string()) + u": " + match.name);
}

DeleteDialog::DeleteDialog(ProcessState& state, Shell& shell)
    : NestedPage(kDeleteDialogTemplate, {}, state), state_(state), shell_(shell) {
  connect(&ConfirmButton(), &QPushButton::clicked, this, &DeleteDialog::OnConfirm);

  SetPageName(QStringLiteral("Delete POI"));
  SetFrameTexts(QStringLiteral("Delete this POI"));
  ConfirmButton().setText(QStringLiteral("Confirm Deletion"));
  PressOnKey(Qt::Key_Down, ConfirmButton());  // the button lies below the POI it deletes

  WaitCursor waitCursor;
  // A search that finds no POI leaves the match as it was, and the page shows that.
  FindNearestPoi(*state_.files, state_.categoryTable, state_.positionFix.position,
                 state_.nearestPoiMatch);
  waitCursor.Restore();

  // Picture and text always come from the same row; without a row there is no picture.
  ShowPicture(RowAt(state_.categoryTable, state_.nearestPoiMatch.fileIndex));
  MatchLine().setText(MatchText(state_.categoryTable, state_.nearestPoiMatch));
  PlaceFullScreen(*this);
  waitCursor.End();
  // The first tab stop, which is also the default button.
  ConfirmButton().setFocus();
}

void DeleteDialog::OnConfirm() {
  // The deletion either happened, or every file is as it was (also when the search found no
  // POI), and the page ends the same way.
  DeleteMatchedPoi(state_, shell_);
  reject();
}

QPushButton& DeleteDialog::ConfirmButton() const { return ControlAs<QPushButton>(kConfirmControl); }
QLabel& DeleteDialog::MatchLine() const { return TextLine(); }

}  // namespace poirec
