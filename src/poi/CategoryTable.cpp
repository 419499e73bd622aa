#include "poi/CategoryTable.h"

namespace poirec {
namespace {

std::u16string WithLastThreeReplaced(const std::u16string& path, std::u16string_view ending) {
  std::u16string result = path.substr(0, path.size() >= 3 ? path.size() - 3 : 0);
  result += ending;
  return result;
}

}  // namespace

const CategoryEntry* RowAt(const CategoryTable& table, std::int32_t index) {
  if (index < 0 || index >= table.count || index >= CategoryTable::kCapacity) return nullptr;
  return &table.rows[static_cast<std::size_t>(index)];
}

std::u16string PoiFilePath(const CategoryEntry& entry) {
  return WithLastThreeReplaced(entry.bitmapPath, u"asc");
}

std::array<std::u16string, 3> PictureFiles(const CategoryEntry& entry) {
  return {WithLastThreeReplaced(entry.bitmapPath, u"svg"),
          WithLastThreeReplaced(entry.bitmapPath, u"png"), entry.bitmapPath};
}

}  // namespace poirec
