// The desktop services of the real shell, where no desktop is around them.
#include "ui/QtShell.h"

#include <QtGlobal>

#include "ui/UiTestSupport.h"

namespace poirec {
namespace {

// Without a sound service the theme's sounds cannot be played: the sound says so at once, and
// the shell rings the bell instead. Neither fails nor waits for a service.
TEST(QtShellOnItsOwn, WithoutASoundServiceTheSoundsFallBackToTheBell) {
  // The one sound service libcanberra may use here, at an address where none listens.
  qputenv("CANBERRA_DRIVER", "pulse");
  qputenv("PULSE_SERVER", "unix:/nonexistent/poirecorder-test-sound");
  {
    ThemeSound sound("POI Recorder tests");
    EXPECT_FALSE(sound.Play("dialog-warning", "a test"));
    QtShell shell;
    shell.PlaySound(SoundEvent::Start);
    shell.PlaySound(SoundEvent::Message);
  }
  qunsetenv("CANBERRA_DRIVER");
  qunsetenv("PULSE_SERVER");
}

}  // namespace
}  // namespace poirec
