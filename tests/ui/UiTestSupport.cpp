#include "ui/UiTestSupport.h"

#include <QApplication>
#include <QWidget>

namespace poirec::test {

QPalette ClassicPalette() {
  QPalette palette(kText, kFace);
  palette.setColor(QPalette::Button, kFace);
  palette.setColor(QPalette::ButtonText, kText);
  palette.setColor(QPalette::Light, kHighlight);
  palette.setColor(QPalette::Dark, kShadow);
  palette.setColor(QPalette::Window, kFace);
  return palette;
}

QImage Grab(QWidget& widget) {
  return widget.grab().toImage().convertToFormat(QImage::Format_RGB32);
}

QRect Bounds(const QImage& image, const std::function<bool(QRgb)>& matches, QRect area) {
  area = area.isNull() ? image.rect() : area & image.rect();
  QRect found;
  for (int y = area.top(); y <= area.bottom(); ++y) {
    for (int x = area.left(); x <= area.right(); ++x) {
      if (matches(image.pixel(x, y))) found |= QRect(x, y, 1, 1);
    }
  }
  return found;
}

QRect BoundsOf(const QImage& image, const QColor& colour, QRect area) {
  const QRgb wanted = colour.rgb();
  return Bounds(image, [wanted](QRgb pixel) { return pixel == wanted; }, area);
}

void Activate(QWidget& window) {
  window.show();
  QApplication::setActiveWindow(&window);
  QApplication::processEvents();
}

}  // namespace poirec::test
