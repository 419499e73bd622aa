#pragma once
// How a category's name is shown to people: on the pages and wherever the recorder's
// categories leave the program (the GPX export's waypoint types).
#include <string>
#include <string_view>

namespace poirec {

// The name with every "°" (U+00B0) as a blank, as the pages' font has no degree sign, and
// each byte of a file name that is not UTF-8 as its Windows-1252 character.
std::u16string CategoryDisplayName(std::u16string_view name);

}  // namespace poirec
