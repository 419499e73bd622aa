#include "poi/CategoryRecord.h"

namespace poirec {

AppendResult AppendCategoryRecord(std::u16string_view path, GeoPoint position,
                                  std::u16string_view name) {
  return AppendPoiText(path, FormatRecordText(position, name));
}

}  // namespace poirec
