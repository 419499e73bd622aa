#include "poi/CategoryRecord.h"

namespace poirec {

AppendResult AppendCategoryRecord(std::u16string_view path, std::int32_t longitude,
                                  std::int32_t latitude, std::u16string_view name,
                                  AppendError* error) {
  return AppendPoiText(path, FormatRecordText(longitude, latitude, name), error);
}

}  // namespace poirec
