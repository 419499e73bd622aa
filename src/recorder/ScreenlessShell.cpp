#include "recorder/ScreenlessShell.h"

#include <cstdio>

namespace poirec {

ScreenlessShell::ScreenlessShell() : sound_("POI Recorder") {}

void ScreenlessShell::PlaySound(SoundEvent sound) {
  if (sound == SoundEvent::Complete || sound == SoundEvent::Failed) sound_.Play(sound);
}

void ScreenlessShell::Explain(std::string_view why) {
  std::fprintf(stderr, "poirecorder: %.*s\n", static_cast<int>(why.size()), why.data());
  std::fflush(stderr);
}

void ScreenlessShell::ShowMessageBox(std::u16string_view) {}

}  // namespace poirec
