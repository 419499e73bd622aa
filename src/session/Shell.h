#pragma once
// What the recording needs from the desktop around it: sounds, a modal message box and a
// line on standard error. The screens provide the real one; tests record what was asked.
#include <string_view>

namespace poirec {

inline constexpr std::u16string_view kMissingGpsSignal = u"Missing GPS-Signal !";
inline constexpr std::u16string_view kFileCouldNotBeCreated = u"File could not be created !";

// The sounds of a run: a driver hears them without looking at the screen.
enum class SoundEvent {
  Start,     // every run on the pages starts with it, with or without a fix
  Message,   // a message box opens
  Complete,  // a POI was filed or deleted
  Failed,    // one press filed nothing
};

class Shell {
 public:
  virtual ~Shell() = default;

  virtual void PlaySound(SoundEvent sound) = 0;

  // A modal message box with the program's title and an OK button, opened with its sound.
  void ShowMessage(std::u16string_view text) {
    PlaySound(SoundEvent::Message);
    ShowMessageBox(text);
  }

  // One line on standard error saying why something the user sees failed, for whoever
  // looks into it later; the message boxes keep their fixed texts. why is UTF-8.
  virtual void Explain(std::string_view why) = 0;

 protected:
  virtual void ShowMessageBox(std::u16string_view text) = 0;
};

}  // namespace poirec
