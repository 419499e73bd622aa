#pragma once
// The frame shared by the recording's pages: a frameless modal page built from a dialog
// template, placed over the screen whenever it is shown, whose controls follow its size and
// whose fonts, pictures and frames grow with it (PageScale).
// Cancel, Escape and closing the window end it with "done" (2); accept() gives "back" (1),
// and so does Return while the page has no default button.
#include <QDialog>
#include <functional>
#include <set>

#include "ui/TemplateLayout.h"

class QAbstractButton;

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

  void keyPressEvent(QKeyEvent* event) override;
  // While the page is the active window, the key runs the action; held down, it runs it
  // once. Keys reach it before the focused button, so the arrows act on the page.
  void OnKey(int key, std::function<void()> action);
  // The key presses the button, as a click does (nothing when the button is disabled).
  void PressOnKey(int key, QAbstractButton& button);
  // The page's name: its window title (the desktop adds the program's name) and the name
  // screen readers announce.
  void SetPageName(const QString& name);

  void showEvent(QShowEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;

  // The page's scale, PageScale of its size: 1 until it is laid out on a larger page.
  double Scale() const { return scale_; }
  // A length of the handheld's page at the page's scale.
  int Px(int pixels) const;
  // The scale has changed: the page gives its buttons fonts and pictures of the new size.
  virtual void ApplyScale() {}

 private:
  DialogTemplate template_;
  TemplateLayout layout_;
  double scale_ = 1;
};

}  // namespace poirec
