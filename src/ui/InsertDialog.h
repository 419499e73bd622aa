#pragma once
// The page that files the recorded POI into the category chosen on the category page: the
// category's picture and name under "Insert recorded POI into", three tall buttons
// "Left from Street", "Exakt recorded" and "Right from Street", "Cancel" on top and "Back"
// at the bottom. A placement button appends the record and ends the page with "done"
// (2), also when the record could not be written; "Back" ends it with "back" (1). The keys
// Left, Down and Right press the three placement buttons.
#include <QString>

#include "session/PoiChanges.h"
#include "session/ProcessState.h"
#include "session/Shell.h"
#include "ui/NestedPage.h"

class QLabel;

namespace poirec {

class ImageButton;

class InsertDialog final : public NestedPage {
  Q_OBJECT
 public:
  // Builds the page for the category of row state.selectedCategoryIndex and runs its
  // initialisation.
  InsertDialog(ProcessState& state, Shell& shell);

  // Button font, the icon (60 x 80 on the handheld) above the caption; the caption is
  // shown as given.
  void SetPlacementButton(ImageButton& button, const QString& caption, int iconId);

  void OnExact();
  void OnLeft();
  void OnRight();

  ImageButton& LeftButton() const;
  ImageButton& ExactButton() const;
  ImageButton& RightButton() const;
  QLabel& CategoryName() const;

 protected:
  void ApplyScale() override;

 private:
  void Place(Placement placement);

  ProcessState& state_;
  Shell& shell_;
};

}  // namespace poirec
