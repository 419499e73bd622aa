#pragma once
// The font of the category buttons and the placement buttons: Arial with lines 12 pixels
// high, normal weight. The run keeps its description; the buttons get a QFont made from it.
#include <QFont>

#include "session/FontDescription.h"

namespace poirec {

// Makes the description hold the button font.
void CreateButtonFont(FontDescription& font);

// The font described, its cell height grown by the page's scale; with no font held, a
// font that takes everything from the page.
QFont ButtonFont(const FontDescription& font, double scale = 1);

}  // namespace poirec
