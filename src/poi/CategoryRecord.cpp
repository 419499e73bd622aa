#include "poi/CategoryRecord.h"

namespace poirec {

AppendResult AppendCategoryRecord(FileSystem& files, std::u16string_view path, GeoPoint position,
                                  std::u16string_view name) {
  return AppendPoiText(files, path, FormatRecordText(position, name));
}

}  // namespace poirec
