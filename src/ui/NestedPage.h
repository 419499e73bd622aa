#pragma once
// What the insert and the delete page share: a category's picture and a line of text in a
// titled frame, "Cancel" on top (ends the page with "done") and "Back" at the bottom (ends
// it with "back", returning to the category page; the key Backspace presses it).
#include <QString>
#include <optional>
#include <set>

#include "poi/CategoryTable.h"
#include "session/ProcessState.h"
#include "ui/CategoryPictures.h"
#include "ui/FullScreenDialog.h"

class QGroupBox;
class QLabel;
class QPushButton;

namespace poirec {

class NestedPage : public FullScreenDialog {
  Q_OBJECT
 public:
  void OnBack();

  QPushButton& CancelButton() const;
  QPushButton& BackButton() const;
  QLabel& Picture() const;
  QGroupBox& Frame() const;

 protected:
  NestedPage(int templateId, std::set<int> imageButtons, ProcessState& state);

  // "Cancel", the frame's title and "Back", in this order.
  void SetFrameTexts(const QString& frameTitle);
  // Shows the category's picture as the category page shows it, at the page's scale;
  // nothing for no category.
  void ShowPicture(const CategoryEntry* category);
  // The line beside the picture.
  QLabel& TextLine() const;
  void ApplyScale() override;

 private:
  CategoryPictures pictures_;
  std::optional<CategoryEntry> category_;  // the one whose picture is shown
};

}  // namespace poirec
