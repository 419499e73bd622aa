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

  // The start is the theme's "dialog-warning" (the exclamation), a message box its "bell".
  void PlaySound(SoundEvent sound) override;
  // "<program>: <why>" on a line of its own.
  void Explain(std::string_view why) override;

 protected:
  void ShowMessageBox(std::u16string_view text) override;

 private:
  ThemeSound sound_;
};

}  // namespace poirec
