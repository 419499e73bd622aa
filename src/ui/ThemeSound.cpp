#include "ui/ThemeSound.h"

#include <canberra.h>

#include <chrono>

#include "platform/SoundCards.h"

namespace poirec {
namespace {

// Long enough for any event sound of a theme, short enough not to hold up a key binding
// whose sound service hangs.
constexpr auto kLongestSound = std::chrono::seconds(3);

}  // namespace

ThemeSound::ThemeSound(const char* applicationName) {
  if (ca_context_create(&context_) != CA_SUCCESS) {
    context_ = nullptr;
    return;
  }
  ca_context_change_props(context_, CA_PROP_APPLICATION_NAME, applicationName, nullptr);
  // The library tries the sound service first and then the sound card directly. Without a
  // card, ALSA can only fail, and it would say so in lines of its own on standard error,
  // where the program's reasons go: so there only the sound service is asked.
  if (!SoundCardPresent()) ca_context_set_driver(context_, "pulse");
}

// A sound still playing stops when the context goes.
ThemeSound::~ThemeSound() {
  if (context_ == nullptr) return;
  {
    std::unique_lock lock(mutex_);
    ended_.wait_for(lock, kLongestSound, [this] { return playing_ <= 0; });
  }
  ca_context_destroy(context_);
}

bool ThemeSound::Play(const char* eventId, const char* description) {
  if (context_ == nullptr) return false;
  ca_proplist* properties = nullptr;
  if (ca_proplist_create(&properties) != CA_SUCCESS) return false;
  ca_proplist_sets(properties, CA_PROP_EVENT_ID, eventId);
  ca_proplist_sets(properties, CA_PROP_EVENT_DESCRIPTION, description);
  {
    std::lock_guard lock(mutex_);
    ++playing_;
  }
  const int result = ca_context_play_full(context_, 0, properties, &ThemeSound::Finished, this);
  ca_proplist_destroy(properties);
  if (result != CA_SUCCESS) {
    std::lock_guard lock(mutex_);
    --playing_;  // no end will be reported for a sound that did not start
  }
  return result == CA_SUCCESS;
}

bool ThemeSound::Play(SoundEvent sound) {
  switch (sound) {
    case SoundEvent::Start: return Play("dialog-warning", "Recording started");
    case SoundEvent::Message: return Play("bell", "Message");
    case SoundEvent::Complete: return Play("complete", "Saved");
    case SoundEvent::Failed: return Play("dialog-error", "Not saved");
  }
  return false;
}

void ThemeSound::Finished(ca_context*, unsigned, int, void* self) {
  auto& sound = *static_cast<ThemeSound*>(self);
  std::lock_guard lock(sound.mutex_);
  --sound.playing_;
  sound.ended_.notify_all();
}

}  // namespace poirec
