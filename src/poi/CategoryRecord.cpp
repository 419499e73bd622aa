#include "poi/CategoryRecord.h"

namespace poirec {

AppendResult AppendCategoryRecord(std::u16string_view path, GeoPoint position,
                                  std::u16string_view name, AppendError* error) {
  return AppendPoiText(path, FormatRecordText(position, name), error);
}

}  // namespace poirec
