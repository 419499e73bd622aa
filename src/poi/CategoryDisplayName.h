#pragma once
// How a category's name is shown to people: on the pages and wherever the recorder's
// categories leave the program (the GPX export's waypoint types).
#include <string>
#include <string_view>

namespace poirec {

// The name with every "°" (U+00B0) as a blank: the pages' font has no degree sign.
std::u16string CategoryDisplayName(std::u16string_view name);

}  // namespace poirec
