#pragma once

namespace poirec {

// What a page returns when it ends: Back (the OK path) or done / cancelled.
inline constexpr int kResultBack = 1;
inline constexpr int kResultDone = 2;

}  // namespace poirec
