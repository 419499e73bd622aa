#pragma once
// The desktop services the recording uses, through Qt: the sound theme's sounds (the
// bell where no sound service answers), the message box, and standard error.
#include <QString>
#include <string_view>

#include "session/Shell.h"
#include "ui/ThemeSound.h"

namespace poirec {

inline const QString kProgramTitle = QStringLiteral("POI Recorder");

// "<program>: <why>" on a line of standard error; what every page explains goes there.
void ExplainOnStandardError(std::string_view why);

class QtShell final : public Shell {
 public:
  QtShell();

  // The theme's sound (ThemeSound::Play); the start and a message box ring the X bell where
  // it cannot be played.
  void PlaySound(SoundEvent sound) override;
  // "<program>: <why>" on a line of its own.
  void Explain(std::string_view why) override;

 protected:
  void ShowMessageBox(std::u16string_view text) override;

 private:
  ThemeSound sound_;
};

}  // namespace poirec
