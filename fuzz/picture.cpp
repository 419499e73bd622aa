// A category picture of any bytes, loaded twice into one image (the second load replaces
// the first) and added to an image list as the catalogue does. Whatever loads must be a
// whole picture: every pixel readable, the palette built, no more pixel bytes than memory.
#include <cstdint>
#include <cstdlib>

#include "InputFile.h"
#include "picture/DibImage.h"
#include "picture/ImageList.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace poirec;
  static const fuzz::InputFile file("picture.bmp");
  file.Write(data, size);

  DibImage image;
  for (int load = 0; load < 2; ++load) {
    if (!image.LoadFromFile(file.Path())) return 0;
    if (!image.bitmap || !image.palette || image.info.header.sizeImage > image.pixels.size()) {
      std::abort();
    }
  }
  const std::size_t pixels = static_cast<std::size_t>(image.bitmap->Width()) *
                             static_cast<std::size_t>(image.bitmap->Height());
  if (image.bitmap->Argb().size() != pixels) std::abort();
  ImageList images;
  if (images.AddMasked(*image.bitmap, kMagenta) != 0 || images.Argb(0).size() != 22 * 22)
    std::abort();
  return 0;
}
