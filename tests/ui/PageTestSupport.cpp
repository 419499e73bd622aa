#include "ui/PageTestSupport.h"

#include <QApplication>
#include <QImage>
#include <QLabel>
#include <QTimer>
#include <gtest/gtest.h>

namespace poirec::test {

Run::Run() {
  folder.MakeFolder("pois");
  state.folders.program = folder.Folder();
}

void Run::AddCategory(const std::string& name, std::string_view bytes, const QColor& colour,
                      bool inTable) {
  folder.Write("pois/" + name + ".asc", bytes);
  const QString picture = QString::fromStdString((folder.Path() / "pois" / name).string());
  if (colour.isValid()) {
    QImage image(22, 22, QImage::Format_RGB32);
    image.fill(colour);
    ASSERT_TRUE(image.save(picture + ".bmp", "BMP"));
  }
  if (!inTable) return;
  CategoryEntry& row = state.categoryTable.rows[static_cast<std::size_t>(state.categoryTable.count++)];
  row.name = QString::fromStdString(name).toStdU16String();
  row.bitmapPath = (picture + ".bmp").toStdU16String();
}

std::string Run::Bytes(const std::string& name) const {
  return ReadBytes(folder.Path() / "pois" / (name + ".asc"));
}

QColor PictureColour(const QLabel& picture) {
  const QImage image = picture.pixmap().toImage().convertToFormat(QImage::Format_RGB32);
  if (image.isNull()) return {};
  for (int y = 0; y < image.height(); ++y) {
    for (int x = 0; x < image.width(); ++x) {
      if (image.pixel(x, y) != image.pixel(0, 0)) return {};
    }
  }
  return QColor(image.pixel(0, 0));
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
