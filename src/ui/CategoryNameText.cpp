#include "ui/CategoryNameText.h"

#include "poi/CategoryDisplayName.h"
#include "ui/QtShell.h"

namespace poirec {

QString DisplayName(std::u16string_view name) { return ToQString(CategoryDisplayName(name)); }

QString SlotCaption(std::u16string_view name) {
  const QString shown = DisplayName(name);
  if (shown.size() <= kMaxSlotCaptionLength) return shown;
  const QString ellipsis = QStringLiteral("..");
  return ellipsis + shown.right(kMaxSlotCaptionLength - ellipsis.size());
}

}  // namespace poirec
