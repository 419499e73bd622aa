#include "ui/TemplateLayout.h"

#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <cmath>
#include <utility>

#include "ui/widgets/ImageButton.h"

namespace poirec {
namespace {

QWidget* MakeButton(const ControlTemplate& control, QWidget& page, bool isImageButton) {
  QPushButton* button = isImageButton ? new ImageButton(&page) : new QPushButton(&page);
  button->setText(control.text);
  button->setFocusPolicy(control.tabStop ? Qt::StrongFocus : Qt::ClickFocus);
  // Every push button becomes the default while it has the focus, so Enter presses the
  // focused button; the template's default button is the default otherwise.
  button->setAutoDefault(true);
  button->setDefault(control.isDefault);
  return button;
}

QWidget* MakeControl(const ControlTemplate& control, QWidget& page, bool isImageButton) {
  switch (control.kind) {
    case ControlKind::Button: return MakeButton(control, page, isImageButton);
    case ControlKind::Text: {
      auto* label = new QLabel(control.text, &page);
      label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
      label->setWordWrap(true);
      label->setTextFormat(Qt::PlainText);
      return label;
    }
    case ControlKind::Picture: {
      auto* picture = new QLabel(&page);
      picture->setAlignment(Qt::AlignLeft | Qt::AlignTop);
      return picture;
    }
    case ControlKind::GroupBox: {
      auto* group = new QGroupBox(control.text, &page);
      group->lower();  // a frame around other controls, never over them
      return group;
    }
  }
  return nullptr;
}

int ScaleEdge(int units, int pageUnits, int pixels) {
  return static_cast<int>(std::lround(static_cast<double>(units) * pixels / pageUnits));
}

}  // namespace

TemplateLayout::TemplateLayout(const DialogTemplate& dialog, QWidget& page,
                               std::set<int> imageButtons)
    : units_(dialog.units) {
  for (const ControlTemplate& control : dialog.controls) {
    QWidget* widget = MakeControl(control, page, imageButtons.count(control.id) != 0);
    widget->setObjectName(QStringLiteral("control%1").arg(control.id));
    controls_.push_back({control.id, widget, control.units});
  }
  LayOut(page.size());
}

QWidget* TemplateLayout::Control(int id) const {
  for (const Placed& placed : controls_) {
    if (placed.id == id) return placed.widget;
  }
  return nullptr;
}

void TemplateLayout::LayOut(QSize page) {
  for (const Placed& placed : controls_) placed.widget->setGeometry(Scale(placed.units, page));
}

QRect TemplateLayout::Scale(const QRect& units, QSize page) const {
  const int left = ScaleEdge(units.x(), units_.width(), page.width());
  const int top = ScaleEdge(units.y(), units_.height(), page.height());
  const int right = ScaleEdge(units.x() + units.width(), units_.width(), page.width());
  const int bottom = ScaleEdge(units.y() + units.height(), units_.height(), page.height());
  return {left, top, right - left, bottom - top};
}

}  // namespace poirec
