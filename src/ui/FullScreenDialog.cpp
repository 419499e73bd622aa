#include "ui/FullScreenDialog.h"

#include <QFont>
#include <QPushButton>
#include <utility>

#include "session/DialogResult.h"
#include "ui/PlaceFullScreen.h"

namespace poirec {
namespace {

QFont DialogFont(const DialogTemplate& dialog) {
  QFont font(dialog.fontFace);
  font.setPointSize(dialog.fontPoints);
  return font;
}

}  // namespace

FullScreenDialog::FullScreenDialog(int templateId, std::set<int> imageButtons)
    : QDialog(nullptr, Qt::Dialog | Qt::FramelessWindowHint),
      template_(LoadDialogTemplate(templateId)),
      layout_(template_, *this, std::move(imageButtons)) {
  setWindowTitle(template_.title);
  setFont(DialogFont(template_));
  connect(&ControlAs<QPushButton>(kCancelControl), &QPushButton::clicked, this,
          &FullScreenDialog::reject);
}

QWidget& FullScreenDialog::Control(int id) const {
  QWidget* control = layout_.Control(id);
  Q_ASSERT(control);
  return *control;
}

void FullScreenDialog::SetPageName(const QString& name) {
  setWindowTitle(name);
  setAccessibleName(name);
}

void FullScreenDialog::reject() { done(kResultDone); }

void FullScreenDialog::setVisible(bool visible) {
  QDialog::setVisible(visible);
  if (!visible) return;
  // On showing, Qt makes the first push button the default when the template names none;
  // a page without a default button keeps it that way until a button takes the focus.
  for (const ControlTemplate& control : template_.controls) {
    if (control.isDefault) return;
  }
  for (QPushButton* button : findChildren<QPushButton*>()) {
    if (button->isDefault() && !button->hasFocus()) button->setDefault(false);
  }
}

void FullScreenDialog::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  PlaceFullScreen(*this);
}

void FullScreenDialog::resizeEvent(QResizeEvent* event) {
  QDialog::resizeEvent(event);
  layout_.LayOut(size());
}

}  // namespace poirec
