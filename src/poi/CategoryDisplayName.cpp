#include "poi/CategoryDisplayName.h"

#include "platform/TextEncoding.h"

namespace poirec {

std::u16string CategoryDisplayName(std::u16string_view name) {
  std::u16string shown;
  shown.reserve(name.size());
  for (const char16_t c : name) shown.push_back(c == u'\u00B0' ? u' ' : ShownNameCharacter(c));
  return shown;
}

}  // namespace poirec
