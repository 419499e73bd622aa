#pragma once
// Whether a window manager runs that a page can ask for the whole screen.

namespace poirec {

// True on Wayland (the compositor places every window) and on X11 when a window manager
// that follows the freedesktop window manager hints announces itself on the root window;
// false on a bare X server and on platforms without windows of their own (offscreen).
bool WindowManagerRuns();

}  // namespace poirec
