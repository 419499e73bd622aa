#pragma once
// A category picture from a ".bmp" file, as a device-independent bitmap the screens can
// show. The image owns it.
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

#include "picture/DeviceIndependentBitmap.h"
#include "platform/FileSystem.h"

namespace poirec {

class DibImage {
 public:
  // The largest picture file and pixel area a load accepts. A category picture is an
  // icon; a file far beyond that is not one, and making its bitmap would hold up the page
  // that shows it.
  static constexpr std::int64_t kMaxFileBytes = 1024 * 1024;
  static constexpr std::int64_t kMaxPixels = 1024 * 1024;

  // Loads a ".bmp" file with a 40-, 108- or 124-byte info header. True when bitmap holds
  // its picture; otherwise the image is empty and failure says why (empty when there is no
  // such file). Every size is checked against the bounds above and the file's length
  // before memory is set aside for pixels. Only a regular file is read.
  bool LoadFromFile(std::u16string_view path, FileSystem& files);

  std::unique_ptr<DeviceIndependentBitmap> bitmap;
  std::string failure;
};

}  // namespace poirec
