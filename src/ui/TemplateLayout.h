#pragma once
// The one builder of pages: it turns a dialog template into child widgets of a page, in
// template order (so the tab order follows the template), and keeps them placed with
// dialog units scaled to the page's size, so the template's page fills the page.
#include <QRect>
#include <QSize>
#include <set>
#include <vector>

#include "ui/DialogTemplate.h"

class QWidget;

namespace poirec {

class TemplateLayout {
 public:
  // Buttons whose ids are in imageButtons become ImageButtons, the others QPushButtons;
  // texts become word-wrapped QLabels, pictures QLabels, group boxes QGroupBoxes.
  TemplateLayout(const DialogTemplate& dialog, QWidget& page, std::set<int> imageButtons);

  // The control with the given id, or nullptr when the template has none.
  QWidget* Control(int id) const;
  // Scales every control's rectangle from dialog units to a page of the given size.
  void LayOut(QSize page);
  // One dialog-unit rectangle scaled to a page of the given size. Edges are scaled, not
  // sizes, so controls that touch in the template touch on the screen.
  QRect Scale(const QRect& units, QSize page) const;

 private:
  struct Placed {
    int id;
    QWidget* widget;
    QRect units;
  };
  QSize units_;
  std::vector<Placed> controls_;
};

}  // namespace poirec
