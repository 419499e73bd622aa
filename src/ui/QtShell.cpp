#include "ui/QtShell.h"

#include <QApplication>
#include <QMessageBox>
#include <QStandardPaths>

namespace poirec {

void QtShell::Beep() { QApplication::beep(); }

void QtShell::ShowMessage(std::u16string_view text) {
  QMessageBox box(QMessageBox::NoIcon, kProgramTitle, ToQString(text), QMessageBox::Ok);
  box.exec();
}

std::u16string DocumentsFolder() {
  QString folder = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
  while (folder.size() > 1 && folder.endsWith(u'/')) folder.chop(1);
  return folder.toStdU16String();
}

QString ToQString(std::u16string_view text) {
  return QString::fromUtf16(text.data(), static_cast<qsizetype>(text.size()));
}

}  // namespace poirec
