#pragma once
// Which files an export reads, and the waypoint type each one gives.
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/FileSystem.h"

namespace poirec {

struct SourceFile {
  std::u16string path;
  std::u16string type;
  friend bool operator==(const SourceFile&, const SourceFile&) = default;
};

// The type of the recorder's own file of recorded positions, "recorded.asc".
inline constexpr std::u16string_view kRecordedType = u"recorded";

// The category files of a folder (ending with "/") in the order of the category page, each
// typed with its category name; then, when asked for and present, "recorded.asc".
std::vector<SourceFile> FolderSources(FileSystem& files, std::u16string_view folder,
                                      bool includeRecorded);

// What a path named by the user stands for: a folder's sources (FolderSources), or the one
// file a path ending in ".asc" names, existing or not (it is typed "recorded" when it is
// "recorded.asc", else with its category name). Nothing for any other path.
std::optional<std::vector<SourceFile>> NamedSources(FileSystem& files, std::u16string_view path,
                                                    bool includeRecorded);

}  // namespace poirec
