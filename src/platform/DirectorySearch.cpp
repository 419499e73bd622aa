#include "platform/DirectorySearch.h"

#include <dirent.h>
#include <sys/stat.h>

#include <memory>

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

std::vector<std::u16string> FindFiles(std::u16string_view folderAndPattern) {
  const std::u16string_view folder = FolderOf(folderAndPattern);
  const std::u16string_view pattern = folderAndPattern.substr(folder.size());

  std::vector<std::u16string> names;
  const std::string nativeFolder = folder.empty() ? std::string(".") : ResolvePath(folder);
  const std::unique_ptr<DIR, int (*)(DIR*)> dir(::opendir(nativeFolder.c_str()), &::closedir);
  if (!dir) return names;
  while (const dirent* entry = ::readdir(dir.get())) {
    const std::u16string name = Utf8ToUtf16(entry->d_name);
    if (!MatchesWildcard(name, pattern)) continue;
    struct stat info {};
    const std::string full = nativeFolder + "/" + entry->d_name;
    if (::stat(full.c_str(), &info) != 0 || !S_ISREG(info.st_mode)) continue;
    names.push_back(name);
  }
  return names;
}

bool FolderExists(std::u16string_view path) {
  struct stat info {};
  return ::stat(ResolvePath(path).c_str(), &info) == 0 && S_ISDIR(info.st_mode);
}

}  // namespace poirec
