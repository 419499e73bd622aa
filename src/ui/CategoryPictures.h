#pragma once
// The categories' pictures as every page shows them. A category's picture is the first of
// its picture files (PictureFiles: SVG, then PNG, then BMP) that can be read; one that
// cannot is named on standard error with the reason and gives way to the next. A BMP's key
// colour, magenta, is transparent, a PNG keeps its alpha channel and an SVG is drawn at the
// size asked for. Each file is read once, and each picture made once per size.
#include <QPixmap>
#include <QSvgRenderer>
#include <map>
#include <memory>
#include <string>
#include <utility>

#include "platform/FileSystem.h"
#include "poi/CategoryTable.h"

namespace poirec {

class CategoryPictures {
 public:
  explicit CategoryPictures(FileSystem& files) : files_(files) {}

  // The category's picture centred in a square of side x side logical pixels on a screen
  // of that device pixel ratio, transparent around it: a picture drawn as pixels at its
  // own size times scale, shrunk to fit where it is larger, scaled smoothly; a drawing
  // filling the square. A null pixmap for a category without a picture.
  QPixmap Picture(const CategoryEntry& category, int side, double scale, double pixelRatio);

 private:
  // A picture as read: pixels, or a drawing; neither for none.
  struct Source {
    QImage pixels;
    std::shared_ptr<QSvgRenderer> drawing;
  };

  const Source& SourceOf(const CategoryEntry& category);
  // Reads one picture file; false when it is missing or cannot be read (then why says why).
  bool Read(const std::u16string& path, Source& source, std::string& why);

  FileSystem& files_;
  std::map<std::u16string, Source> sources_;                // by the category's picture path
  std::map<std::pair<std::u16string, int>, QPixmap> made_;  // by path and side in pixels
};

}  // namespace poirec
