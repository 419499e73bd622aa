#pragma once
// A folder of category files and the table whose rows name them, as the pages scan it.
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

#include "poi/CategoryTable.h"
#include "support/TempFolder.h"

namespace poirec::test {

class CategoryFolder {
 public:
  // Adds the next table row, whose file is "pois/<name>.asc", and writes that file unless
  // bytes is empty; returns the row.
  std::size_t Add(const std::string& name, std::optional<std::string_view> bytes) {
    const auto row = static_cast<std::size_t>(table.count++);
    table.rows[row].bitmapPath = folder.File("pois/" + name + ".bmp");
    if (bytes) Write(name + ".asc", *bytes);
    return row;
  }
  // A file in the pois folder: written, and its path.
  std::filesystem::path Write(const std::string& file, std::string_view bytes) const {
    return folder.Write("pois/" + file, bytes);
  }
  std::filesystem::path Pois(const std::string& file) const {
    return folder.Path() / "pois" / file;
  }
  std::string Read(const std::string& file) const { return ReadBytes(Pois(file)); }
  // Whether anything, even a broken symlink, stands at the name.
  bool Exists(const std::string& file) const {
    return std::filesystem::exists(std::filesystem::symlink_status(Pois(file)));
  }

  TempFolder folder;
  CategoryTable table;
};

}  // namespace poirec::test
