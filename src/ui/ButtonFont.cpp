#include "ui/ButtonFont.h"

#include "ui/ScreenText.h"

namespace poirec {

void CreateButtonFont(FontDescription& font) { font = FontDescription{u"Arial", 12, 400}; }

QFont ButtonFont(const FontDescription& font) {
  if (font.IsEmpty()) return {};
  QFont result(ToQString(font.face));
  result.setPixelSize(font.pixelHeight);
  result.setWeight(static_cast<QFont::Weight>(font.weight));
  return result;
}

}  // namespace poirec
