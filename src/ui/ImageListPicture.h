#pragma once
// A picture of the category image list as a pixmap for a button or a label.
#include <QPixmap>

#include "picture/ImageList.h"

namespace poirec {

// The 22 x 22 picture at index, transparent where the list's is; a null pixmap for an
// index that holds no picture, -1 included.
QPixmap ImageListPicture(const ImageList& images, int index);

}  // namespace poirec
