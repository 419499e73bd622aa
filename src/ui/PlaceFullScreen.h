#pragma once
// Puts a page over the whole screen but the bottom 11 pixels, frontmost and active.
class QWidget;

namespace poirec {

// The strip left free at the bottom of the screen, so that a desktop's panel or an
// on-screen keyboard's button stays within reach during a recording.
inline constexpr int kBottomStripHeight = 11;

void PlaceFullScreen(QWidget& page);

}  // namespace poirec
