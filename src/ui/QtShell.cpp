#include "ui/QtShell.h"

#include <QApplication>
#include <QFontMetrics>
#include <QGuiApplication>
#include <QIcon>
#include <QMessageBox>
#include <QScreen>
#include <algorithm>

namespace poirec {

void QtShell::Beep() { QApplication::beep(); }

void QtShell::ShowMessage(std::u16string_view text) {
  const QString message = ToQString(text);
  QMessageBox box(QMessageBox::NoIcon, kProgramTitle, message, QMessageBox::Ok);
  // The warning triangle marks the program's messages; the pages carry the program's icon.
  box.setWindowIcon(QIcon(QStringLiteral(":/icons/128.svg")));
  // The box would wrap a short message on a narrow handheld screen ("Missing GPS-" above
  // "Signal !"); it keeps the message on one line as long as the screen is wide enough.
  const int screenWidth = QGuiApplication::primaryScreen()->availableGeometry().width();
  const int textWidth = QFontMetrics(box.font()).horizontalAdvance(message) + 4;
  box.setStyleSheet(
      QStringLiteral("QLabel { min-width: %1px; }").arg(std::min(textWidth, screenWidth - 60)));
  box.exec();
}

QString ToQString(std::u16string_view text) {
  return QString::fromUtf16(text.data(), static_cast<qsizetype>(text.size()));
}

}  // namespace poirec
