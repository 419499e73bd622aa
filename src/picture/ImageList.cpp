#include "picture/ImageList.h"

#include <algorithm>
#include <new>

#include "picture/DeviceIndependentBitmap.h"

namespace poirec {
namespace {

constexpr std::size_t kImagePixels =
    static_cast<std::size_t>(ImageList::kImageWidth) * ImageList::kImageHeight;

// The size a picture takes in a 22 x 22 image: its own when it fits, otherwise shrunk
// until it fits with its proportions kept (at least one pixel either way).
int FittedLength(int length, int otherLength, int limit, int otherLimit) {
  if (length <= limit && otherLength <= otherLimit) return length;
  // The scale is the smaller of limit / length and otherLimit / otherLength.
  const std::int64_t byOwn = std::int64_t{limit} * otherLength;
  const std::int64_t byOther = std::int64_t{otherLimit} * length;
  const std::int64_t fitted =
      byOwn <= byOther ? limit
                       : (std::int64_t{length} * otherLimit + otherLength / 2) / otherLength;
  return static_cast<int>(std::clamp<std::int64_t>(fitted, 1, limit));
}

}  // namespace

ImageList::ImageList(int initialCapacity, int growBy) : growBy_(std::max(growBy, 1)) {
  pixels_.reserve(static_cast<std::size_t>(std::max(initialCapacity, 0)) * kImagePixels);
}

int ImageList::AddMasked(const DeviceIndependentBitmap& bitmap, ColorRef transparent) {
  const int width = bitmap.Width();
  const int height = bitmap.Height();
  if (width <= 0 || height <= 0) return -1;

  const int fittedWidth = FittedLength(width, height, kImageWidth, kImageHeight);
  const int fittedHeight = FittedLength(height, width, kImageHeight, kImageWidth);
  const int left = (kImageWidth - fittedWidth) / 2;
  const int top = (kImageHeight - fittedHeight) / 2;

  const std::size_t first = pixels_.size();
  try {
    if (pixels_.capacity() < first + kImagePixels) {
      pixels_.reserve(pixels_.capacity() + static_cast<std::size_t>(growBy_) * kImagePixels);
    }
    pixels_.resize(first + kImagePixels, 0);  // transparent around a picture that is smaller
  } catch (const std::bad_alloc&) {
    return -1;
  }
  for (int y = 0; y < fittedHeight; ++y) {
    // Each image pixel shows the picture pixel under its centre.
    const auto sourceY = static_cast<int>((std::int64_t{2} * y + 1) * height / (2 * fittedHeight));
    for (int x = 0; x < fittedWidth; ++x) {
      const auto sourceX = static_cast<int>((std::int64_t{2} * x + 1) * width / (2 * fittedWidth));
      const ColorRef color = bitmap.PixelColor(sourceX, sourceY);
      pixels_[first + static_cast<std::size_t>((top + y) * kImageWidth + left + x)] =
          color == transparent ? 0 : OpaqueArgb(color);
    }
  }
  return Count() - 1;
}

int ImageList::Count() const { return static_cast<int>(pixels_.size() / kImagePixels); }

void ImageList::Clear() { pixels_.clear(); }

std::vector<std::uint32_t> ImageList::Argb(int index) const {
  if (index < 0 || index >= Count()) return {};
  const auto begin = pixels_.begin() + static_cast<std::ptrdiff_t>(index * kImagePixels);
  return {begin, begin + static_cast<std::ptrdiff_t>(kImagePixels)};
}

}  // namespace poirec
