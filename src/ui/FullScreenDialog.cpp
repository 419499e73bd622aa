#include "ui/FullScreenDialog.h"

#include <QAbstractButton>
#include <QFont>
#include <QKeyEvent>
#include <QPushButton>
#include <QShortcut>
#include <algorithm>
#include <utility>

#include "session/DialogResult.h"
#include "ui/PageScale.h"
#include "ui/PlaceFullScreen.h"
#include "ui/widgets/ImageButton.h"

namespace poirec {
namespace {

QFont DialogFont(const DialogTemplate& dialog, double scale) {
  QFont font(dialog.fontFace);
  font.setPointSizeF(dialog.fontPoints * scale);
  return font;
}

// Return, or Enter on the keypad, with no other modifier: the keys that press the default.
bool IsEnterKey(const QKeyEvent& event) {
  const Qt::KeyboardModifiers modifiers = event.modifiers();
  return (event.key() == Qt::Key_Return && modifiers == Qt::NoModifier) ||
         (event.key() == Qt::Key_Enter &&
          (modifiers == Qt::NoModifier || modifiers == Qt::KeypadModifier));
}

}  // namespace

FullScreenDialog::FullScreenDialog(int templateId, std::set<int> imageButtons)
    : QDialog(nullptr, Qt::Dialog | Qt::FramelessWindowHint),
      template_(LoadDialogTemplate(templateId)),
      layout_(template_, *this, std::move(imageButtons)) {
  setWindowTitle(template_.title);
  setFont(DialogFont(template_, scale_));
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

void FullScreenDialog::keyPressEvent(QKeyEvent* event) {
  // Qt acts on Return only through a default button. A page without one (the category page
  // until a button has the focus) takes Return as its OK and ends with "back".
  if (IsEnterKey(*event)) {
    const QList<QPushButton*> buttons = findChildren<QPushButton*>();
    const bool hasDefault = std::any_of(buttons.begin(), buttons.end(), [](QPushButton* button) {
      return button->isDefault() && button->isVisible();
    });
    if (!hasDefault) {
      accept();
      return;
    }
  }
  QDialog::keyPressEvent(event);
}

void FullScreenDialog::OnKey(int key, std::function<void()> action) {
  auto* shortcut = new QShortcut(QKeySequence(key), this);
  // A key held down presses once: a page that ends must not press on the page behind it.
  shortcut->setAutoRepeat(false);
  connect(shortcut, &QShortcut::activated, this, std::move(action));
}

void FullScreenDialog::PressOnKey(int key, QAbstractButton& button) {
  OnKey(key, [&button] { button.click(); });
}

void FullScreenDialog::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  PlaceFullScreen(*this);
}

void FullScreenDialog::resizeEvent(QResizeEvent* event) {
  QDialog::resizeEvent(event);
  layout_.LayOut(size());
  const double scale = PageScale(size());
  if (scale == scale_) return;
  scale_ = scale;
  setFont(DialogFont(template_, scale_));
  for (ImageButton* button : findChildren<ImageButton*>()) button->SetScale(scale_);
  ApplyScale();
}

int FullScreenDialog::Px(int pixels) const { return Scaled(pixels, scale_); }

}  // namespace poirec
