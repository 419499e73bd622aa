#pragma once
// File paths. In memory a path is 16-bit text with "/" between its parts; on disk it
// is UTF-8. Category files and their pictures come from people and other programs that
// do not keep to one letter case, and Linux tells cases apart, so a path that does not
// exist as written is looked up part by part ignoring case: "Shop.BMP" found beside
// "Shop.asc" opens as "Shop.bmp" when that is the file on disk.
#include <string>
#include <string_view>

#include "platform/FileSystem.h"

namespace poirec {

// The native (UTF-8) path for a 16-bit path. Each part that does not exist as written
// is replaced by the one entry of its folder that equals it ignoring case (the first in
// name order if several do); parts that match nothing are kept as written, so a file
// that is about to be created gets the name it was given.
std::string ResolvePath(FileSystem& files, std::u16string_view path);
// The same for the folder part only; the file's own name is taken as written, for a file
// that programs which tell letter cases apart will read ("Places.gpx" is not "places.gpx").
std::string ResolveFolderOf(FileSystem& files, std::u16string_view path);

// The folder part of a path: everything up to and including its last "/", empty when
// it has none.
std::u16string_view FolderOf(std::u16string_view path);
// The file's own name: everything after the last "/", or the whole path when it has none.
std::u16string_view FileNameOf(std::u16string_view path);
// The path as a message names it: UTF-8 in double quotes.
std::string QuotedPath(std::u16string_view path);

// Letter case folding for file names: ASCII and the Latin-1 letters.
char16_t FoldCase(char16_t c);
std::u16string ToLowerCase(std::u16string_view text);
bool EqualsIgnoringCase(std::u16string_view a, std::u16string_view b);

}  // namespace poirec
