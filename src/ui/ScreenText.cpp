#include "ui/ScreenText.h"

#include "poi/CategoryDisplayName.h"

namespace poirec {

QString ToQString(std::u16string_view text) {
  return QString::fromUtf16(text.data(), static_cast<qsizetype>(text.size()));
}

QString DisplayName(std::u16string_view name) { return ToQString(CategoryDisplayName(name)); }

QString SlotCaption(std::u16string_view name) {
  const QString shown = DisplayName(name);
  if (shown.size() <= kMaxSlotCaptionLength) return shown;
  const QString ellipsis = QStringLiteral("..");
  return ellipsis + shown.right(kMaxSlotCaptionLength - ellipsis.size());
}

}  // namespace poirec
