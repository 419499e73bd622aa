#include "ui/QtShell.h"

#include <QApplication>
#include <QFileInfo>
#include <QFontMetrics>
#include <QGuiApplication>
#include <QIcon>
#include <QMessageBox>
#include <QScreen>
#include <algorithm>
#include <cstdio>

#include "ui/ScreenText.h"

namespace poirec {

QtShell::QtShell() : sound_(kProgramTitle.toUtf8().constData()) {}

void QtShell::PlaySound(SoundEvent sound) {
  const bool played = sound_.Play(sound);
  // The X bell: a desktop may mute it, but without a sound service it is all there is for
  // the start and a message. A POI filed without a sound shows on the page closing.
  if (!played && (sound == SoundEvent::Start || sound == SoundEvent::Message)) {
    QApplication::beep();
  }
}

void QtShell::Explain(std::string_view why) { ExplainOnStandardError(why); }

void ExplainOnStandardError(std::string_view why) {
  const QString path = QCoreApplication::applicationFilePath();
  const QByteArray program =
      path.isEmpty() ? QByteArrayLiteral("poirecorder") : QFileInfo(path).fileName().toLocal8Bit();
  std::fprintf(stderr, "%s: %.*s\n", program.constData(), static_cast<int>(why.size()), why.data());
  std::fflush(stderr);
}

void QtShell::ShowMessageBox(std::u16string_view text) {
  const QString message = ToQString(text);
  QMessageBox box(QMessageBox::NoIcon, kProgramTitle, message, QMessageBox::Ok);
  // The warning triangle marks the program's messages; the pages carry the program's icon.
  box.setWindowIcon(QIcon(QStringLiteral(":/icons/128.svg")));
  // The box would wrap a short message on a narrow screen ("Missing GPS-" above
  // "Signal !"); it keeps the message on one line as long as the screen is wide enough.
  const int screenWidth = QGuiApplication::primaryScreen()->availableGeometry().width();
  const int textWidth = QFontMetrics(box.font()).horizontalAdvance(message) + 4;
  box.setStyleSheet(
      QStringLiteral("QLabel { min-width: %1px; }").arg(std::min(textWidth, screenWidth - 60)));
  box.exec();
}

}  // namespace poirec
