#pragma once
// The frame shared by the recording's pages: a frameless modal page built from a dialog
// template, placed over the screen whenever it is shown, whose controls follow its size.
// Cancel, Escape and closing the window end it with "done" (2); accept() gives "back" (1).
#include <QDialog>
#include <set>

#include "ui/TemplateLayout.h"

namespace poirec {

// Every page's "Cancel" button has this id; it ends the page with "done".
inline constexpr int kCancelControl = 2;

class FullScreenDialog : public QDialog {
  Q_OBJECT
 public:
  void reject() override;
  void setVisible(bool visible) override;

  // The control with the given id in the page's template (never null for a template id).
  QWidget& Control(int id) const;
  template <typename Widget>
  Widget& ControlAs(int id) const {
    return *qobject_cast<Widget*>(&Control(id));
  }

 protected:
  // Builds the template's controls; buttons with an id in imageButtons are ImageButtons.
  FullScreenDialog(int templateId, std::set<int> imageButtons);

  // The page's name: its window title (the desktop adds the program's name) and the name
  // screen readers announce.
  void SetPageName(const QString& name);

  void showEvent(QShowEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;

 private:
  DialogTemplate template_;
  TemplateLayout layout_;
};

}  // namespace poirec
