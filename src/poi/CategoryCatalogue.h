#pragma once
// The categories are whatever ".asc" files lie in the "pois" folder beside the program;
// each one's picture lies beside it under the same name (PictureFiles).
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/FileSystem.h"
#include "poi/CategoryTable.h"

namespace poirec {

// The names of the category files in folder (ending with "/"), in the order the folder
// lists them: every ".asc" file but the fallback file "recorded.asc" and "quillon.asc",
// in any letter case, and one name for files that differ only in the extension's case.
std::vector<std::u16string> FindCategoryNames(FileSystem& files, std::u16string_view folder);

// The name of the category in folder (ending with "/") that the pages show as shownName,
// letter case aside; the first in the pages' order when several look alike. Nothing when no
// category does.
std::optional<std::u16string> FindCategoryShownAs(FileSystem& files, std::u16string_view folder,
                                                  std::u16string_view shownName);

// The row of the category named name in folder (ending with "/"), its picture not yet loaded.
CategoryEntry CategoryRow(std::u16string_view folder, std::u16string name);

// The order of the category page: plain 16-bit character codes (digits, then upper case,
// then lower case, then letters with diacritics).
bool CategoryNameBefore(std::u16string_view a, std::u16string_view b);

// Rebuilds the table from the category files in programFolder + "pois/" (the program
// folder ends with "/"). The fallback file "recorded.asc" and "quillon.asc" are never
// categories, in any letter case. When there are more category files than rows, the rows
// hold the first ones in the order SortCategories gives, so the result never depends on
// the order in which the folder lists its files. No picture is read here: the screens
// read the few they show.
void ScanCategories(FileSystem& files, CategoryTable& table, std::u16string_view programFolder);

// Sorts the rows in use by name, by plain 16-bit character codes (digits, then upper case,
// then lower case, then letters with diacritics). Rows move whole.
void SortCategories(CategoryTable& table);

}  // namespace poirec
