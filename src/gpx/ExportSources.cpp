#include "gpx/ExportSources.h"

#include <algorithm>

#include "gpx/WaypointText.h"
#include "platform/DirectorySearch.h"
#include "platform/Path.h"
#include "poi/CategoryCatalogue.h"

namespace poirec {
namespace {

constexpr std::u16string_view kExtension = u".asc";
constexpr std::u16string_view kRecordedFile = u"recorded.asc";

bool HasExtension(std::u16string_view path) {
  return path.size() >= kExtension.size() &&
         EqualsIgnoringCase(path.substr(path.size() - kExtension.size()), kExtension);
}

}  // namespace

std::vector<SourceFile> FolderSources(FileSystem& files, std::u16string_view folder,
                                      bool includeRecorded) {
  std::vector<std::u16string> names = FindCategoryNames(files, folder);
  std::sort(names.begin(), names.end(), CategoryNameBefore);
  std::vector<SourceFile> sources;
  sources.reserve(names.size() + 1);
  for (const std::u16string& name : names) {
    sources.push_back(
        {std::u16string(folder) + name + std::u16string(kExtension), CategoryType(name)});
  }
  // The directory search ignores letter case, as opening the file does.
  const std::u16string recorded = std::u16string(folder) + std::u16string(kRecordedFile);
  if (includeRecorded && !FindFiles(files, recorded).empty()) {
    sources.push_back({recorded, std::u16string(kRecordedType)});
  }
  return sources;
}

std::optional<std::vector<SourceFile>> NamedSources(FileSystem& files, std::u16string_view path,
                                                    bool includeRecorded) {
  if (FolderExists(files, path)) {
    std::u16string folder(path);
    if (folder.back() != u'/') folder += u'/';
    return FolderSources(files, folder, includeRecorded);
  }
  if (!HasExtension(path)) return std::nullopt;
  const std::u16string_view fileName = FileNameOf(path);
  const std::u16string_view name = fileName.substr(0, fileName.size() - kExtension.size());
  const bool isRecorded = EqualsIgnoringCase(fileName, kRecordedFile);
  return std::vector<SourceFile>{
      {std::u16string(path), isRecorded ? std::u16string(kRecordedType) : CategoryType(name)}};
}

}  // namespace poirec
