#include "ui/BitmapPicture.h"

#include <QImage>
#include <cstring>
#include <vector>

#include "picture/DibImage.h"

namespace poirec {

QPixmap ArgbPicture(std::span<const std::uint32_t> argb, int width, int height) {
  if (width <= 0 || height <= 0 ||
      argb.size() != static_cast<std::size_t>(width) * static_cast<std::size_t>(height)) {
    return {};
  }
  QImage image(width, height, QImage::Format_ARGB32);
  if (image.isNull()) return {};
  const auto rowBytes = static_cast<std::size_t>(width) * sizeof(std::uint32_t);
  for (int y = 0; y < height; ++y) {
    std::memcpy(image.scanLine(y), argb.data() + static_cast<std::size_t>(y) * width, rowBytes);
  }
  return QPixmap::fromImage(image);
}

QPixmap BitmapPicture(const DibImage& image) {
  if (!image.bitmap) return {};
  const DeviceIndependentBitmap& bitmap = *image.bitmap;
  return ArgbPicture(bitmap.Argb(), bitmap.Width(), bitmap.Height());
}

}  // namespace poirec
