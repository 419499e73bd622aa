#pragma once
// The category pictures as the category page shows them: 22 x 22 pictures with a
// transparent colour. Pictures are copied in, so the bitmap they came from may change or go.
#include <cstdint>
#include <vector>

#include "picture/BitmapInfo.h"

namespace poirec {

class DeviceIndependentBitmap;

inline constexpr ColorRef kMagenta = 0x00FF00FF;

class ImageList {
 public:
  static constexpr int kImageWidth = 22;
  static constexpr int kImageHeight = 22;

  explicit ImageList(int initialCapacity = 64, int growBy = 64);

  // Adds the bitmap with every pixel of the key colour transparent. Returns the index of
  // the first image added, or -1 when nothing could be added. Every bitmap becomes one
  // image: a picture that fits is centred as it is; a larger one is shrunk to fit with
  // its proportions kept (each image pixel takes the picture pixel under its centre, so
  // the key colour stays exact); the rest of the image is transparent.
  int AddMasked(const DeviceIndependentBitmap& bitmap, ColorRef transparent);
  int Count() const;
  // Empties the list, as discarding it and creating it anew does.
  void Clear();

  // The picture at index as 22 x 22 pixels of 0xAARRGGBB, rows top to bottom, alpha 0
  // where the picture is transparent; empty for an index that holds no picture.
  std::vector<std::uint32_t> Argb(int index) const;

 private:
  int growBy_;
  std::vector<std::uint32_t> pixels_;  // the images one after another, in Argb's form
};

}  // namespace poirec
