#pragma once
#include <string>
#include <string_view>
#include <vector>

#include "platform/FileSystem.h"

namespace poirec {

// True when name matches the wildcard pattern ("*" any run, "?" one character),
// ignoring letter case, as every file name lookup of the program does.
bool MatchesWildcard(std::u16string_view name, std::u16string_view pattern);

// The names (without their folder) of the files in a folder that match a wildcard, in
// the order the file system lists them. The argument is the folder and the pattern in
// one path, as "<folder>/*.asc". Folders are not files and are never returned; a folder
// that does not exist gives no names.
std::vector<std::u16string> FindFiles(FileSystem& files, std::u16string_view folderAndPattern);

// Whether the path (resolved as ResolvePath does) names a folder.
bool FolderExists(FileSystem& files, std::u16string_view path);

}  // namespace poirec
