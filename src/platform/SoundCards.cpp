#include "platform/SoundCards.h"

#include <filesystem>
#include <system_error>

namespace poirec {

bool SoundCardPresent() {
  std::error_code error;
  for (const auto& entry : std::filesystem::directory_iterator("/dev/snd", error)) {
    if (entry.path().filename().string().starts_with("pcm")) return true;
  }
  return false;
}

}  // namespace poirec
