// A category picture of any bytes, loaded as a BMP. Whatever loads must be a whole picture:
// every pixel readable; whatever fails says why.
#include <cstdint>
#include <cstdlib>

#include "InputFile.h"
#include "picture/DibImage.h"
#include "platform/PosixFileSystem.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace poirec;
  static const fuzz::InputFile file("picture.bmp");
  file.Write(data, size);

  DibImage image;
  if (!image.LoadFromFile(file.Path(), RealFileSystem())) {
    if (image.bitmap || image.failure.empty()) std::abort();
    return 0;
  }
  const std::size_t pixels = static_cast<std::size_t>(image.bitmap->Width()) *
                             static_cast<std::size_t>(image.bitmap->Height());
  if (!image.failure.empty() || image.bitmap->Argb().size() != pixels) std::abort();
  return 0;
}
