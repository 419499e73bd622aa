#include "ui/ScreenText.h"

#include "platform/TextEncoding.h"

namespace poirec {

QString ToQString(std::u16string_view text) {
  return QString::fromUtf16(text.data(), static_cast<qsizetype>(text.size()));
}

QString DisplayName(std::u16string_view name) {
  QString shown = ToQString(name);
  for (QChar& c : shown) c = QChar(c.unicode() == 0x00B0 ? u' ' : ShownNameCharacter(c.unicode()));
  return shown;
}

QString SlotCaption(std::u16string_view name) {
  const QString shown = DisplayName(name);
  if (shown.size() <= kMaxSlotCaptionLength) return shown;
  const QString ellipsis = QStringLiteral("..");
  return ellipsis + shown.right(kMaxSlotCaptionLength - ellipsis.size());
}

}  // namespace poirec
