#pragma once
// The folders every program of the project works in, looked up the one way they all share:
// the recorder, the position feeder and the export must agree on where the files are.
#include <string>

namespace poirec {

// The user's documents folder, where the position file lies; without a final "/".
std::u16string DocumentsFolder();

// The folder that holds the "pois" folder, ending with "/". A program that runs outside an
// installed tree (a build tree, the demo, a portable copy) keeps its categories beside
// itself. An installed program, one whose prefix holds the installed data (its own folder's
// ../share/poi-recorder), cannot write there, so it uses the user's data folder
// ($XDG_DATA_HOME/poi-recorder/); when that has no "pois" folder yet, it is made and filled
// with the installed sample categories.
std::u16string DataFolder();

}  // namespace poirec
