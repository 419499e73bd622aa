#include "ui/CategoryPictures.h"

#include <QBuffer>
#include <QImageReader>
#include <QPainter>
#include <cerrno>
#include <cmath>
#include <cstring>
#include <string_view>
#include <vector>

#include "picture/DibImage.h"
#include "platform/File.h"
#include "platform/TextEncoding.h"
#include "ui/QtShell.h"

namespace poirec {
namespace {

// A BMP shows this colour as transparent, 0xRRGGBB.
constexpr QRgb kKeyColour = 0xFF00FF;

bool EndsWith(std::u16string_view path, std::u16string_view ending) {
  return path.size() >= ending.size() && path.substr(path.size() - ending.size()) == ending;
}

// The whole file, within the bound of a picture file; false when it is missing or cannot be
// read (then why says why).
bool ReadBytes(FileSystem& files, const std::u16string& path, QByteArray& bytes, std::string& why) {
  File file(files);
  if (!file.Open(path, File::Mode::Read)) {
    if (errno != ENOENT) why = LastErrorText();
    return false;
  }
  const std::int64_t length = file.Length();
  if (length > DibImage::kMaxFileBytes) return why = "larger than 1 MiB", false;
  if (length < 0) return why = LastErrorText(), false;
  bytes.resize(static_cast<qsizetype>(length));
  if (file.Read(bytes.data(), bytes.size()) != static_cast<std::size_t>(length)) {
    return why = "it could not be read whole (" + LastErrorText() + ")", false;
  }
  return true;
}

QImage ReadPng(const QByteArray& bytes, std::string& why) {
  QBuffer buffer;
  buffer.setData(bytes);
  QImageReader reader(&buffer, "png");
  const QSize size = reader.size();  // from the header, before any pixel is decoded
  if (!size.isValid()) return why = "not a PNG picture", QImage();
  if (std::int64_t{size.width()} * size.height() > DibImage::kMaxPixels) {
    return why = "more than 1024 x 1024 pixels", QImage();
  }
  QImage image = reader.read();
  if (image.isNull()) why = reader.errorString().toStdString();
  return image;
}

// The bitmap's pixels, given as 0xAARRGGBB rows top to bottom.
QImage ArgbImage(const std::vector<std::uint32_t>& argb, int width, int height) {
  QImage image(width, height, QImage::Format_ARGB32);
  if (image.isNull()) return image;
  const auto rowBytes = static_cast<std::size_t>(width) * sizeof(std::uint32_t);
  for (int y = 0; y < height; ++y) {
    std::memcpy(image.scanLine(y), argb.data() + static_cast<std::size_t>(y) * width, rowBytes);
  }
  return image;
}

QImage ReadBmp(FileSystem& files, const std::u16string& path, std::string& why) {
  DibImage bmp;
  if (!bmp.LoadFromFile(path, files)) return why = bmp.failure, QImage();
  const DeviceIndependentBitmap& bitmap = *bmp.bitmap;
  QImage image = ArgbImage(bitmap.Argb(), bitmap.Width(), bitmap.Height());
  // The key colour goes before any scaling, so that no scaled pixel mixes it in.
  for (int y = 0; y < image.height(); ++y) {
    auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
    for (int x = 0; x < image.width(); ++x) {
      if ((line[x] & 0xFFFFFFu) == kKeyColour) line[x] = 0;
    }
  }
  return image;
}

}  // namespace

bool CategoryPictures::Read(const std::u16string& path, Source& source, std::string& why) {
  if (EndsWith(path, u"bmp")) {
    source.pixels = ReadBmp(files_, path, why);
  } else {
    QByteArray bytes;
    if (!ReadBytes(files_, path, bytes, why)) return false;
    if (EndsWith(path, u"png")) {
      source.pixels = ReadPng(bytes, why);
    } else {
      auto drawing = std::make_shared<QSvgRenderer>(bytes);
      if (drawing->isValid()) source.drawing = std::move(drawing);
      if (!source.drawing) why = "not an SVG drawing";
    }
  }
  if (!source.pixels.isNull()) {
    source.pixels = source.pixels.convertToFormat(QImage::Format_ARGB32_Premultiplied);
  }
  return !source.pixels.isNull() || source.drawing != nullptr;
}

const CategoryPictures::Source& CategoryPictures::SourceOf(const CategoryEntry& category) {
  const auto known = sources_.find(category.bitmapPath);
  if (known != sources_.end()) return known->second;
  Source source;
  for (const std::u16string& path : PictureFiles(category)) {
    std::string why;
    if (Read(path, source, why)) break;
    if (!why.empty()) {
      ExplainOnStandardError("the picture \"" + Utf16ToUtf8(path) + "\" cannot be shown: " + why);
    }
  }
  return sources_.emplace(category.bitmapPath, std::move(source)).first->second;
}

QPixmap CategoryPictures::Picture(const CategoryEntry& category, int side, double scale,
                                  double pixelRatio) {
  const Source& source = SourceOf(category);
  if (source.pixels.isNull() && !source.drawing) return {};
  const int pixelSide = std::max(1, static_cast<int>(std::lround(side * pixelRatio)));
  const auto key = std::pair(category.bitmapPath, pixelSide);
  const auto made = made_.find(key);
  if (made != made_.end()) return made->second;

  QImage square(pixelSide, pixelSide, QImage::Format_ARGB32_Premultiplied);
  square.fill(Qt::transparent);
  QPainter painter(&square);
  if (source.drawing) {
    // A drawing that gives no size of its own fills the square.
    QSizeF size = source.drawing->viewBoxF().size();
    if (size.isEmpty()) size = QSizeF(1, 1);
    size.scale(pixelSide, pixelSide, Qt::KeepAspectRatio);
    source.drawing->render(
        &painter,
        QRectF(QPointF((pixelSide - size.width()) / 2, (pixelSide - size.height()) / 2), size));
  } else {
    QSize size = (QSizeF(source.pixels.size()) * scale * pixelRatio).toSize();
    if (size.width() > pixelSide || size.height() > pixelSide) {
      size.scale(pixelSide, pixelSide, Qt::KeepAspectRatio);
    }
    size = size.expandedTo({1, 1});
    const QImage shown =
        size == source.pixels.size()
            ? source.pixels
            : source.pixels.scaled(size, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    painter.drawImage(QPoint((pixelSide - size.width()) / 2, (pixelSide - size.height()) / 2),
                      shown);
  }
  painter.end();
  QPixmap pixmap = QPixmap::fromImage(square);
  pixmap.setDevicePixelRatio(pixelRatio);
  return made_.emplace(key, pixmap).first->second;
}

}  // namespace poirec
