#include "poi/CategoryCatalogue.h"

#include <algorithm>
#include <string>
#include <unordered_set>
#include <vector>

#include "picture/DibImage.h"
#include "platform/DirectorySearch.h"
#include "platform/Path.h"

namespace poirec {
namespace {

constexpr std::u16string_view kCategoryExtension = u".asc";

bool NameBefore(std::u16string_view a, std::u16string_view b) { return a < b; }

bool IsReservedName(std::u16string_view name) {
  const std::u16string lower = ToLowerCase(name);
  return lower == u"quillon" || lower == u"recorded";
}

// The category names in the folder, in the order the folder lists them; at most as many
// as the table has rows, the first ones by name when there are more.
std::vector<std::u16string> CategoryNames(const std::u16string& folder) {
  std::vector<std::u16string> names;
  std::unordered_set<std::u16string> seen;
  for (const std::u16string& file : FindFiles(folder + u"*" + std::u16string(kCategoryExtension))) {
    std::u16string name = file.substr(0, file.size() - kCategoryExtension.size());
    if (IsReservedName(name)) continue;
    // Names that differ only in the extension's letter case are one category on disk
    // that ignores case; it gets one row.
    if (seen.insert(name).second) names.push_back(std::move(name));
  }
  constexpr auto kRows = static_cast<std::size_t>(CategoryTable::kCapacity);
  if (names.size() > kRows) {
    std::nth_element(names.begin(), names.begin() + kRows, names.end(), NameBefore);
    names.resize(kRows);
  }
  return names;
}

}  // namespace

void ScanCategories(CategoryTable& table, ImageList& images, std::u16string_view programFolder) {
  DibImage picture;
  images.Clear();
  table.count = 0;

  const std::u16string folder = std::u16string(programFolder) + u"pois/";
  for (std::u16string& name : CategoryNames(folder)) {
    CategoryEntry& row = table.rows[static_cast<std::size_t>(table.count)];
    row.bitmapPath = folder + name + u".bmp";
    row.name = std::move(name);
    // A failed load may leave the previous category's picture in the image, so only
    // the result says whether this category has one.
    row.imageIndex = picture.LoadFromFile(row.bitmapPath) && picture.bitmap
                         ? images.AddMasked(*picture.bitmap, kMagenta)
                         : -1;
    ++table.count;
  }
}

void SortCategories(CategoryTable& table) {
  const auto end = table.rows.begin() + std::clamp(table.count, 0, CategoryTable::kCapacity);
  std::sort(table.rows.begin(), end, [](const CategoryEntry& a, const CategoryEntry& b) {
    return NameBefore(a.name, b.name);
  });
}

}  // namespace poirec
