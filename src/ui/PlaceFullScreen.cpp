#include "ui/PlaceFullScreen.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

namespace poirec {

void PlaceFullScreen(QWidget& page) {
  const QScreen* screen = QGuiApplication::primaryScreen();
  const QSize size = screen ? screen->geometry().size() : QSize();
  page.setGeometry(0, 0, size.width(), size.height() - kBottomStripHeight);
  page.update();
  page.raise();
  page.activateWindow();
}

}  // namespace poirec
