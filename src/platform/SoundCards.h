#pragma once
// Whether the machine has a sound card of its own, for the sound library's choice of how
// to play: without one, only a sound service can.

namespace poirec {

// Whether the kernel offers a sound card's playback or capture device (/dev/snd/pcm*).
bool SoundCardPresent();

}  // namespace poirec
