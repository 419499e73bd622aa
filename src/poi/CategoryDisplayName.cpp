#include "poi/CategoryDisplayName.h"

#include <algorithm>

namespace poirec {

std::u16string CategoryDisplayName(std::u16string_view name) {
  std::u16string shown(name);
  std::replace(shown.begin(), shown.end(), u'\u00B0', u' ');
  return shown;
}

}  // namespace poirec
