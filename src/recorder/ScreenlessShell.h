#pragma once
// The desktop services of a run without a screen (one press of a key): the sound theme's
// sounds, and the reasons on standard error, which stand in for the message boxes.
#include "session/Shell.h"
#include "ui/ThemeSound.h"

namespace poirec {

class ScreenlessShell final : public Shell {
 public:
  ScreenlessShell();

  // The theme's sounds of a filed POI and of a failure; no others (a message box is not
  // shown, and there is no bell without a display).
  void PlaySound(SoundEvent sound) override;
  // "poirecorder: <why>" on a line of its own.
  void Explain(std::string_view why) override;

 protected:
  // Nothing: the reason is already on standard error.
  void ShowMessageBox(std::u16string_view text) override;

 private:
  ThemeSound sound_;
};

}  // namespace poirec
