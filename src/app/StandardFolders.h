#pragma once
// The folders every program of the project works in, looked up the one way they all share:
// the recorder, the position feeder and the export must agree on where the files are.
#include <string>

namespace poirec {

// The user's documents folder, where the position file lies; without a final "/".
std::u16string DocumentsFolder();

// The folder that holds the "pois" folder, ending with "/".
std::u16string DataFolder();

}  // namespace poirec
