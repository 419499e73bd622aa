#include "ui/PlaceFullScreen.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

#include "ui/WindowManager.h"

namespace poirec {

void PlaceFullScreen(QWidget& page) {
  if (WindowManagerRuns()) {
    // The window manager lays the page over every panel; on Wayland only it can place a
    // window at all.
    page.setWindowState(page.windowState() | Qt::WindowFullScreen);
  } else {
    const QScreen* screen = QGuiApplication::primaryScreen();
    const QSize size = screen ? screen->geometry().size() : QSize();
    page.setGeometry(0, 0, size.width(), size.height() - kBottomStripHeight);
  }
  page.update();
  page.raise();
  page.activateWindow();
}

}  // namespace poirec
