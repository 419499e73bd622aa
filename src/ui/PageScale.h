#pragma once
// How much a page grows beyond the handheld's 240 x 320: everything it draws at a fixed
// size (captions, pictures, frames, the focus mark, the pressed offset) grows by the same
// factor, so a page reads at a glance on a car's or a desktop's screen as on the handheld.
#include <QSize>
#include <algorithm>
#include <cmath>

namespace poirec {

// max(1, min(width / 240, height / 320)) of the page's size in logical pixels; the device
// pixel ratio comes on top.
inline double PageScale(QSize page) {
  return std::max(1.0, std::min(page.width() / 240.0, page.height() / 320.0));
}

// A length of the handheld's page on a page of that scale: rounded, at least one pixel.
inline int Scaled(int pixels, double scale) {
  return std::max(1, static_cast<int>(std::lround(pixels * scale)));
}

}  // namespace poirec
