#include "ui/ButtonFont.h"

#include <QFontMetrics>
#include <algorithm>

#include "ui/PageScale.h"
#include "ui/ScreenText.h"

namespace poirec {

void CreateButtonFont(FontDescription& font) { font = FontDescription{u"Arial", 12, 400}; }

QFont ButtonFont(const FontDescription& font, double scale) {
  if (font.IsEmpty()) return {};
  QFont result(ToQString(font.face));
  result.setWeight(static_cast<QFont::Weight>(font.weight));
  // Qt sizes a font by its em, which is smaller than the cell: the largest pixel size whose
  // lines are no taller than the cell, so that captions wrap where the description has them.
  const int cellHeight = Scaled(font.cellHeight, scale);
  int pixelSize = cellHeight;
  result.setPixelSize(pixelSize);
  while (pixelSize > 1 && QFontMetrics(result).height() > cellHeight) {
    result.setPixelSize(--pixelSize);
  }
  return result;
}

}  // namespace poirec
