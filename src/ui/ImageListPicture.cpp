#include "ui/ImageListPicture.h"

#include "ui/BitmapPicture.h"

namespace poirec {

QPixmap ImageListPicture(const ImageList& images, int index) {
  return ArgbPicture(images.Argb(index), ImageList::kImageWidth, ImageList::kImageHeight);
}

}  // namespace poirec
