#include "ui/QtShell.h"

#include <QApplication>
#include <QFontMetrics>
#include <QGuiApplication>
#include <QMessageBox>
#include <QScreen>
#include <algorithm>

#include "ui/ScreenText.h"

namespace poirec {

void QtShell::Beep() { QApplication::beep(); }

void QtShell::ShowMessage(std::u16string_view text) {
  const QString message = ToQString(text);
  QMessageBox box(QMessageBox::NoIcon, kProgramTitle, message, QMessageBox::Ok);
  // The box would wrap a short message on a narrow screen ("Missing GPS-" above
  // "Signal !"); it keeps the message on one line as long as the screen is wide enough.
  const int screenWidth = QGuiApplication::primaryScreen()->availableGeometry().width();
  const int textWidth = QFontMetrics(box.font()).horizontalAdvance(message) + 4;
  box.setStyleSheet(
      QStringLiteral("QLabel { min-width: %1px; }").arg(std::min(textWidth, screenWidth - 60)));
  box.exec();
}

}  // namespace poirec
