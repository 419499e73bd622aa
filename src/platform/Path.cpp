#include "platform/Path.h"

#include <algorithm>
#include <vector>

#include "platform/TextEncoding.h"

namespace poirec {
namespace {

bool Exists(FileSystem& files, const std::string& path) {
  return files.KindOf(path) != FileSystem::Kind::Missing;
}

// The entry of folder whose name equals part ignoring case, or part itself.
std::string MatchInFolder(FileSystem& files, const std::string& folder, const std::string& part) {
  std::vector<std::string> names;
  if (!files.List(folder.empty() ? "." : folder, names)) return part;
  const std::u16string wanted = Utf8ToUtf16(part);
  std::erase_if(names, [&](const std::string& name) {
    return !EqualsIgnoringCase(Utf8ToUtf16(name), wanted);
  });
  if (names.empty()) return part;
  return *std::min_element(names.begin(), names.end());
}

}  // namespace

char16_t FoldCase(char16_t c) {
  if (c >= u'A' && c <= u'Z') return static_cast<char16_t>(c + 0x20);
  if (c >= 0xC0 && c <= 0xDE && c != 0xD7) return static_cast<char16_t>(c + 0x20);
  return c;
}

std::u16string ToLowerCase(std::u16string_view text) {
  std::u16string lower(text);
  std::transform(lower.begin(), lower.end(), lower.begin(), FoldCase);
  return lower;
}

bool EqualsIgnoringCase(std::u16string_view a, std::u16string_view b) {
  return a.size() == b.size() &&
         std::equal(a.begin(), a.end(), b.begin(),
                    [](char16_t x, char16_t y) { return FoldCase(x) == FoldCase(y); });
}

std::u16string_view FolderOf(std::u16string_view path) {
  const std::size_t slash = path.rfind(u'/');
  return slash == std::u16string_view::npos ? std::u16string_view() : path.substr(0, slash + 1);
}

std::u16string_view FileNameOf(std::u16string_view path) {
  return path.substr(FolderOf(path).size());
}

std::string QuotedPath(std::u16string_view path) { return '"' + Utf16ToUtf8(path) + '"'; }

std::string ResolvePath(FileSystem& files, std::u16string_view path) {
  const std::string asWritten = Utf16ToUtf8(path);
  if (asWritten.empty() || Exists(files, asWritten)) return asWritten;

  std::string resolved;
  std::size_t begin = 0;
  if (asWritten.front() == '/') {
    resolved = "/";
    begin = 1;
  }
  bool folderExists = true;
  while (begin <= asWritten.size()) {
    std::size_t end = asWritten.find('/', begin);
    if (end == std::string::npos) end = asWritten.size();
    const std::string part = asWritten.substr(begin, end - begin);
    if (!part.empty()) {
      std::string next = resolved + part;
      if (folderExists && !Exists(files, next) && part != "." && part != "..") {
        next = resolved + MatchInFolder(files, resolved, part);
      }
      folderExists = folderExists && Exists(files, next);
      resolved = next;
    }
    if (end < asWritten.size()) resolved += '/';
    begin = end + 1;
  }
  return resolved;
}

std::string ResolveFolderOf(FileSystem& files, std::u16string_view path) {
  const std::u16string_view folder = FolderOf(path);
  return (folder.empty() ? std::string() : ResolvePath(files, folder)) +
         Utf16ToUtf8(FileNameOf(path));
}

}  // namespace poirec
