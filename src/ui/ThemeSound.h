#pragma once
// The desktop's event sounds, from its sound theme (the freedesktop sound naming), played
// through libcanberra by the desktop's sound service or, where none runs, on the sound card.
// Needs no display.
#include <condition_variable>
#include <mutex>

#include "session/Shell.h"

struct ca_context;

namespace poirec {

class ThemeSound {
 public:
  // applicationName is what the sound service shows as the sounds' source.
  explicit ThemeSound(const char* applicationName);
  // Lets the sounds still playing end (a few seconds at most): the process usually ends
  // right after its last sound.
  ~ThemeSound();
  ThemeSound(const ThemeSound&) = delete;
  ThemeSound& operator=(const ThemeSound&) = delete;

  // Starts the sound of the event (e.g. "dialog-warning") and returns at once. False when
  // it cannot be played: no sound service answers, or the theme has no such sound.
  bool Play(const char* eventId, const char* description);
  // The theme's sound of a run's event: the start "dialog-warning" (the exclamation), a
  // message box "bell", a filed or deleted POI "complete", a failure "dialog-error".
  bool Play(SoundEvent sound);

 private:
  static void Finished(ca_context* context, unsigned id, int error, void* self);

  ca_context* context_ = nullptr;  // none when libcanberra could not make one
  std::mutex mutex_;               // the library reports ends from a thread of its own
  std::condition_variable ended_;
  int playing_ = 0;
};

}  // namespace poirec
