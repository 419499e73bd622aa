#include "ui/PageTestSupport.h"

#include <QApplication>
#include <QImage>
#include <QLabel>
#include <QTimer>
#include <gtest/gtest.h>

namespace poirec::test {

RunFolder::RunFolder() {
  folder.MakeFolder("pois");
  state.folders.program = folder.Folder();
}

void RunFolder::AddCategory(const std::string& name, std::string_view bytes,
                            const QColor& colour) {
  folder.Write("pois/" + name + ".asc", bytes);
  if (colour.isValid()) SavePicture(folder.Path() / "pois" / (name + ".bmp"), colour);
  CategoryTable& table = state.categoryTable;
  CategoryEntry& row = table.rows[static_cast<std::size_t>(table.count++)];
  row.name = QString::fromStdString(name).toStdU16String();
  row.bitmapPath = QString::fromStdString((folder.Path() / "pois" / (name + ".bmp")).string())
                       .toStdU16String();
}

std::string RunFolder::Bytes(const std::string& name) const {
  return ReadBytes(folder.Path() / "pois" / (name + ".asc"));
}

void SavePicture(const std::filesystem::path& path, const QColor& colour) {
  QImage picture(22, 22, QImage::Format_RGB32);
  picture.fill(colour);
  ASSERT_TRUE(picture.save(QString::fromStdString(path.string()), "BMP"));
}

QColor PictureColour(const QLabel& picture) {
  const QImage image = picture.pixmap().toImage().convertToFormat(QImage::Format_RGB32);
  if (image.isNull()) return {};
  const QRgb first = image.pixel(0, 0);
  for (int y = 0; y < image.height(); ++y) {
    for (int x = 0; x < image.width(); ++x) {
      if (image.pixel(x, y) != first) return {};
    }
  }
  return QColor(first);
}

void OnNextModalPage(std::function<void(QDialog&)> action) {
  QTimer::singleShot(0, [action = std::move(action)] {
    auto* page = qobject_cast<QDialog*>(QApplication::activeModalWidget());
    ASSERT_NE(page, nullptr) << "no page runs modally";
    action(*page);
    if (page->isVisible()) {
      ADD_FAILURE() << "the page is still open";
      page->done(0);
    }
  });
}

}  // namespace poirec::test
