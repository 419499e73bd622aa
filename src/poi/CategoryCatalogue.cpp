#include "poi/CategoryCatalogue.h"

#include <algorithm>
#include <string>
#include <unordered_set>
#include <vector>

#include "platform/DirectorySearch.h"
#include "platform/Path.h"
#include "poi/CategoryDisplayName.h"

namespace poirec {
namespace {

constexpr std::u16string_view kCategoryExtension = u".asc";

bool IsReservedName(std::u16string_view name) {
  const std::u16string lower = ToLowerCase(name);
  return lower == u"quillon" || lower == u"recorded";
}

}  // namespace

bool CategoryNameBefore(std::u16string_view a, std::u16string_view b) { return a < b; }

std::vector<std::u16string> FindCategoryNames(FileSystem& files, std::u16string_view folder) {
  std::vector<std::u16string> names;
  std::unordered_set<std::u16string> seen;
  const std::u16string pattern = std::u16string(folder) + u"*" + std::u16string(kCategoryExtension);
  for (const std::u16string& file : FindFiles(files, pattern)) {
    std::u16string name = file.substr(0, file.size() - kCategoryExtension.size());
    if (IsReservedName(name)) continue;
    // Names that differ only in the extension's letter case are one category on disk
    // that ignores case; it gets one row.
    if (seen.insert(name).second) names.push_back(std::move(name));
  }
  return names;
}

std::optional<std::u16string> FindCategoryShownAs(FileSystem& files, std::u16string_view folder,
                                                  std::u16string_view shownName) {
  std::optional<std::u16string> found;
  for (std::u16string& name : FindCategoryNames(files, folder)) {
    if (!EqualsIgnoringCase(CategoryDisplayName(name), shownName)) continue;
    if (!found || CategoryNameBefore(name, *found)) found = std::move(name);
  }
  return found;
}

CategoryEntry CategoryRow(std::u16string_view folder, std::u16string name) {
  CategoryEntry row;
  row.bitmapPath = std::u16string(folder) + name + u".bmp";
  row.name = std::move(name);
  return row;
}

namespace {

// The rows the table has, filled with the first category names by name when the folder
// holds more.
std::vector<std::u16string> CategoryRowNames(FileSystem& files, const std::u16string& folder) {
  std::vector<std::u16string> names = FindCategoryNames(files, folder);
  constexpr auto kRows = static_cast<std::size_t>(CategoryTable::kCapacity);
  if (names.size() > kRows) {
    std::nth_element(names.begin(), names.begin() + kRows, names.end(), CategoryNameBefore);
    names.resize(kRows);
  }
  return names;
}

}  // namespace

void ScanCategories(FileSystem& files, CategoryTable& table, std::u16string_view programFolder) {
  table.count = 0;

  const std::u16string folder = std::u16string(programFolder) + u"pois/";
  for (std::u16string& name : CategoryRowNames(files, folder)) {
    CategoryEntry& row = table.rows[static_cast<std::size_t>(table.count)];
    row = CategoryRow(folder, std::move(name));
    ++table.count;
  }
}

void SortCategories(CategoryTable& table) {
  const auto end = table.rows.begin() + std::clamp(table.count, 0, CategoryTable::kCapacity);
  std::sort(table.rows.begin(), end, [](const CategoryEntry& a, const CategoryEntry& b) {
    return CategoryNameBefore(a.name, b.name);
  });
}

}  // namespace poirec
