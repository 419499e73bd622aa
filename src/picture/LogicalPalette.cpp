#include "picture/LogicalPalette.h"

#include <utility>

namespace poirec {

std::optional<LogicalPalette> LogicalPalette::Create(std::uint16_t version,
                                                     std::vector<PaletteEntry> entries) {
  if (version != kVersion || entries.empty() || entries.size() > kMaxEntries) return std::nullopt;
  return LogicalPalette(version, std::move(entries));
}

}  // namespace poirec
