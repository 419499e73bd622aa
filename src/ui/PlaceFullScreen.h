#pragma once
// Puts a page over the screen, frontmost and active: where a window manager runs, it is
// asked for full screen; on a bare display the page covers all but the bottom 11 pixels.
class QWidget;

namespace poirec {

// The strip left free at the bottom of a display without a window manager, so that an
// on-screen keyboard's button stays within reach during a recording.
inline constexpr int kBottomStripHeight = 11;

void PlaceFullScreen(QWidget& page);

}  // namespace poirec
