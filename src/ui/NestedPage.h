#pragma once
// What the insert and the delete page share: a category's picture and a line of text in a
// titled frame, "Cancel" on top (ends the page with "done") and "Back" at the bottom (ends
// it with "back", returning to the category page; the key Backspace presses it).
#include <QString>
#include <set>

#include "ui/FullScreenDialog.h"

class QGroupBox;
class QLabel;
class QPushButton;

namespace poirec {

class DibImage;

class NestedPage : public FullScreenDialog {
  Q_OBJECT
 public:
  void OnBack();

  QPushButton& CancelButton() const;
  QPushButton& BackButton() const;
  QLabel& Picture() const;
  QGroupBox& Frame() const;

 protected:
  NestedPage(int templateId, std::set<int> imageButtons);

  // "Cancel", the frame's title and "Back", in this order.
  void SetFrameTexts(const QString& frameTitle);
  // Shows the image's bitmap as it holds it: after a failed load, what the load left.
  void ShowPicture(const DibImage& image);
  // The line beside the picture.
  QLabel& TextLine() const;
};

}  // namespace poirec
