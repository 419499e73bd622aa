#include "ui/ImageListPicture.h"

#include <QImage>
#include <cstring>

namespace poirec {

QPixmap ImageListPicture(const ImageList& images, int index) {
  const std::vector<std::uint32_t> argb = images.Argb(index);
  constexpr int kWidth = ImageList::kImageWidth;
  constexpr int kHeight = ImageList::kImageHeight;
  if (argb.size() != static_cast<std::size_t>(kWidth) * kHeight) return {};
  QImage image(kWidth, kHeight, QImage::Format_ARGB32);
  for (int y = 0; y < kHeight; ++y) {
    std::memcpy(image.scanLine(y), argb.data() + static_cast<std::size_t>(y) * kWidth,
                kWidth * sizeof(std::uint32_t));
  }
  return QPixmap::fromImage(image);
}

}  // namespace poirec
