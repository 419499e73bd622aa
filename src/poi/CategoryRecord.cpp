#include "poi/CategoryRecord.h"

namespace poirec {

AppendResult AppendCategoryRecord(FileSystem& files, std::u16string_view path, GeoPoint position,
                                  std::u16string_view name, AppendError* error) {
  return AppendPoiText(files, path, FormatRecordText(position, name), error);
}

}  // namespace poirec
