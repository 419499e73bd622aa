#include "ui/ThemeSound.h"

#include <canberra.h>

namespace poirec {

ThemeSound::ThemeSound(const char* applicationName) {
  if (ca_context_create(&context_) != CA_SUCCESS) {
    context_ = nullptr;
    return;
  }
  ca_context_change_props(context_, CA_PROP_APPLICATION_NAME, applicationName, nullptr);
}

// A sound still playing stops here, so the context lives as long as the run.
ThemeSound::~ThemeSound() {
  if (context_ != nullptr) ca_context_destroy(context_);
}

bool ThemeSound::Play(const char* eventId, const char* description) {
  return context_ != nullptr &&
         ca_context_play(context_, 0, CA_PROP_EVENT_ID, eventId, CA_PROP_EVENT_DESCRIPTION,
                         description, nullptr) == CA_SUCCESS;
}

}  // namespace poirec
