#pragma once
// The first start of an installed program: the user's data folder gets a "pois" folder
// filled with the installed sample categories. Plain C++ through the file system seam, so
// that a start that fails or is killed half way can be tried.
#include <string>

#include "platform/FileSystem.h"

namespace poirec {

// Makes userFolder (a native path ending with "/") with the folders above it that are
// missing, removes what killed first starts left there, and, when nothing is named "pois"
// in it yet, fills userFolder/pois with the regular files of installedPois. The copies go
// into a new folder beside it that takes the name "pois" in one step once it is complete:
// an interrupted start leaves no half-filled folder that a later one would take for the
// user's own, and two programs starting at once do not mix their copies. Anything named
// "pois" already is the user's and is never filled again or replaced.
// Returns what failed, as "<folder>: <reason>", or nothing.
std::string SeedPoisFolder(FileSystem& files, const std::string& installedPois,
                           const std::string& userFolder);

}  // namespace poirec
