#include "platform/DirectorySearch.h"

#include "platform/Path.h"
#include "platform/TextEncoding.h"

namespace poirec {

bool MatchesWildcard(std::u16string_view name, std::u16string_view pattern) {
  // Greedy matching with one remembered star is enough for "*" and "?" alone.
  std::size_t n = 0;
  std::size_t p = 0;
  std::size_t starAt = std::u16string_view::npos;
  std::size_t nameAtStar = 0;
  while (n < name.size()) {
    if (p < pattern.size() && pattern[p] == u'*') {
      starAt = p++;
      nameAtStar = n;
    } else if (p < pattern.size() &&
               (pattern[p] == u'?' || FoldCase(pattern[p]) == FoldCase(name[n]))) {
      ++n;
      ++p;
    } else if (starAt != std::u16string_view::npos) {
      p = starAt + 1;
      n = ++nameAtStar;
    } else {
      return false;
    }
  }
  while (p < pattern.size() && pattern[p] == u'*') ++p;
  return p == pattern.size();
}

std::vector<std::u16string> FindFiles(FileSystem& files, std::u16string_view folderAndPattern) {
  const std::u16string_view folder = FolderOf(folderAndPattern);
  const std::u16string_view pattern = folderAndPattern.substr(folder.size());

  std::vector<std::u16string> names;
  const std::string nativeFolder = folder.empty() ? std::string(".") : ResolvePath(files, folder);
  std::vector<std::string> entries;
  if (!files.List(nativeFolder, entries)) return names;
  for (const std::string& entry : entries) {
    std::u16string name = Utf8ToUtf16(entry);
    if (!MatchesWildcard(name, pattern)) continue;
    if (files.KindOf(nativeFolder + "/" + entry) != FileSystem::Kind::File) continue;
    names.push_back(std::move(name));
  }
  return names;
}

bool FolderExists(FileSystem& files, std::u16string_view path) {
  return files.KindOf(ResolvePath(files, path)) == FileSystem::Kind::Folder;
}

}  // namespace poirec
