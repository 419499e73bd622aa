#pragma once
// Pictures held by the bitmap layer, as pixmaps the screens can show.
#include <QPixmap>
#include <cstdint>
#include <span>

namespace poirec {

class DibImage;

// A picture of width x height pixels given as 0xAARRGGBB, rows top to bottom; a null
// pixmap when the pixels do not make up such a picture.
QPixmap ArgbPicture(std::span<const std::uint32_t> argb, int width, int height);

// The image's bitmap, opaque; a null pixmap when the image holds none.
QPixmap BitmapPicture(const DibImage& image);

}  // namespace poirec
