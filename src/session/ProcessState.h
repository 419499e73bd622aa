#pragma once
// Everything a run keeps from its start to its end, in one object. The members that
// need construction are declared in the order the run builds them; C++ destroys them in
// the reverse order, which is the order the run tears them down. The application object,
// the last of them, is built by main after this state.
#include <cstdint>
#include <string>

#include "platform/LocalTime.h"
#include "platform/PosixFileSystem.h"
#include "poi/CategoryTable.h"
#include "poi/NearestPoi.h"
#include "position/PositionFile.h"
#include "session/FontDescription.h"

namespace poirec {

// Where the run's files are. main fills them from the platform; tests point them at
// folders of their own.
struct RunFolders {
  std::u16string program;    // the folder "pois/" lies in, ending with "/": the program's own,
                             // or for an installed program the user's data folder
  std::u16string documents;  // the documents folder, without a final "/"
};

struct ProcessState {
  NearestPoiMatch nearestPoiMatch;  // the delete page's POI, kept until it is confirmed
  FontDescription buttonFont;       // the category and placement buttons' font; empty until made
  CategoryTable categoryTable;      // the categories found in the "pois" folder

  // Every file the run reads or writes goes through it; tests put in their own.
  FileSystem* files = &RealFileSystem();

  // Plain data, all zero at start.
  PositionFix positionFix{};
  LocalDateTime recordingTime{};
  RunFolders folders;
  std::int32_t selectedCategoryIndex = 0;  // the row whose category the user chose
  std::int32_t pageStart = 0;              // the first category the shown category page considers
  std::int32_t pageEnd = 0;                // where the next category page starts
};

}  // namespace poirec
