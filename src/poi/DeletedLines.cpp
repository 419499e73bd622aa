#include "poi/DeletedLines.h"

#include <string>

#include "platform/File.h"
#include "platform/Path.h"
#include "platform/TextEncoding.h"

namespace poirec {

AppendResult KeepDeletedLines(FileSystem& files, std::u16string_view categoryPath,
                              std::string_view lines, AppendError* error) {
  // The file's name as it is on disk, whatever letter case the catalogue gave it.
  const std::u16string onDisk = Utf8ToUtf16(ResolvePath(files, categoryPath));
  const std::u16string folder = std::u16string(FolderOf(categoryPath)) + u"deleted/";
  // A folder that cannot be made shows in the append's own failure to open the file.
  MakeFolder(files, folder);
  return AppendPoiBytes(files, folder + std::u16string(FileNameOf(onDisk)), lines, error);
}

}  // namespace poirec
