#pragma once
// Puts a page over the whole screen but the bottom 11 pixels, frontmost and active.
class QWidget;

namespace poirec {

// The strip left free at the bottom of the screen, where the handheld keeps its keyboard
// button and where a desktop keeps its panel.
inline constexpr int kBottomStripHeight = 11;

void PlaceFullScreen(QWidget& page);

}  // namespace poirec
