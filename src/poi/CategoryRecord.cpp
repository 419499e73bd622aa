#include "poi/CategoryRecord.h"

namespace poirec {

AppendResult AppendCategoryRecord(std::u16string_view path, std::int32_t longitude,
                                  std::int32_t latitude, std::u16string_view name) {
  return AppendPoiText(path, FormatRecordText(longitude, latitude, name));
}

}  // namespace poirec
