#pragma once
// A font as the run keeps it: a face, a height and a weight. The screens make the real font
// from it; an empty face means that no font is held.
#include <string>

namespace poirec {

struct FontDescription {
  std::u16string face;
  // The height of the font's cell in pixels: ascent plus descent, the height of a line of
  // text, which is larger than the font's em.
  int cellHeight = 0;
  int weight = 0;  // 100 (thin) to 900 (black); 400 is normal

  bool IsEmpty() const { return face.empty(); }
};

}  // namespace poirec
