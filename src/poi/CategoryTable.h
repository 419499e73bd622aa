#pragma once
// The categories found in the "pois" folder: one row per ".asc" file, with its picture.
#include <array>
#include <cstdint>
#include <string>

namespace poirec {

struct CategoryEntry {
  std::u16string name;        // the file's name without ".asc", letter case as found
  std::u16string bitmapPath;  // <program folder>pois/<name>.bmp, whether or not it exists
};

struct CategoryTable {
  static constexpr std::int32_t kCapacity = 400;
  std::array<CategoryEntry, kCapacity> rows{};
  std::int32_t count = 0;  // rows 0 to count - 1 are in use
};

// The row at index, or nullptr when index is not a row in use.
const CategoryEntry* RowAt(const CategoryTable& table, std::int32_t index);

// The category's POI file: its picture path with "asc" in place of the last three
// characters, so both always name the same category.
std::u16string PoiFilePath(const CategoryEntry& entry);

// The files the category's picture may be in, beside its POI file and in the order they
// are tried: drawn (".svg"), then ".png", then ".bmp". Opening one ignores the letter case.
std::array<std::u16string, 3> PictureFiles(const CategoryEntry& entry);

}  // namespace poirec
