#pragma once
// What the recording needs from the desktop around it: a beep and a modal message box.
// The screens provide the real one; tests record what was asked of it.
#include <string_view>

namespace poirec {

inline constexpr std::u16string_view kMissingGpsSignal = u"Missing GPS-Signal !";
inline constexpr std::u16string_view kFileCouldNotBeCreated = u"File could not be created !";

class Shell {
 public:
  virtual ~Shell() = default;
  // The exclamation sound.
  virtual void Beep() = 0;
  // A modal message box with the program's title and an OK button.
  virtual void ShowMessage(std::u16string_view text) = 0;
};

}  // namespace poirec
