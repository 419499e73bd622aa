#pragma once
// Everything a run keeps from its start to its end, in one object. The members that
// need construction are declared in the order the run builds them; C++ destroys them in
// the reverse order, which is the order the run tears them down. The application object,
// the last of them, is built by main after this state.
#include <cstdint>
#include <string>

#include "platform/LocalTime.h"
#include "position/PositionFile.h"

namespace poirec {

// Where the run's files are. main fills them from the platform; tests point them at
// folders of their own.
struct RunFolders {
  std::u16string program;    // the program's folder, ending with "/"; "pois/" lies in it
  std::u16string documents;  // the documents folder, without a final "/"
};

struct ProcessState {
  // Plain data, all zero at start.
  PositionFix positionFix{};
  LocalDateTime recordingTime{};
  RunFolders folders;
};

}  // namespace poirec
