#pragma once
// The desktop's event sounds, from its sound theme (the freedesktop sound naming), played
// by the desktop's sound service through libcanberra.
struct ca_context;

namespace poirec {

class ThemeSound {
 public:
  // applicationName is what the sound service shows as the sounds' source.
  explicit ThemeSound(const char* applicationName);
  ~ThemeSound();
  ThemeSound(const ThemeSound&) = delete;
  ThemeSound& operator=(const ThemeSound&) = delete;

  // Starts the sound of the event (e.g. "dialog-warning") and returns at once. False when
  // it cannot be played: no sound service answers, or the theme has no such sound.
  bool Play(const char* eventId, const char* description);

 private:
  ca_context* context_ = nullptr;  // none when libcanberra could not make one
};

}  // namespace poirec
