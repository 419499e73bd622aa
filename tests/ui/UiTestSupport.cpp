#include "ui/UiTestSupport.h"

#include <QApplication>
#include <QLabel>
#include <QPushButton>
#include <QTimer>

namespace poirec::test {

QImage Grab(QWidget& widget) {
  return widget.grab().toImage().convertToFormat(QImage::Format_RGB32);
}

QRect BoundsOf(const QImage& image, const QColor& colour, QRect area) {
  area = area.isNull() ? image.rect() : area & image.rect();
  QRect found;
  for (int y = area.top(); y <= area.bottom(); ++y) {
    for (int x = area.left(); x <= area.right(); ++x) {
      if (image.pixel(x, y) == colour.rgb()) found |= QRect(x, y, 1, 1);
    }
  }
  return found;
}

void Activate(QWidget& window) {
  window.show();
  QApplication::setActiveWindow(&window);
  QApplication::processEvents();
}

void Press(QWidget& page, const QString& caption) {
  for (QPushButton* button : page.findChildren<QPushButton*>()) {
    if (button->text() == caption) return QTest::mouseClick(button, Qt::LeftButton);
  }
  ADD_FAILURE() << "no button " << caption.toStdString();
}

void Run::AddCategory(const std::string& name, std::string_view bytes, const QColor& colour) {
  folder.Write("pois/" + name + ".asc", bytes);
  const QString picture = QString::fromStdString((folder.Path() / "pois" / name).string());
  if (colour.isValid()) {
    QImage image(22, 22, QImage::Format_RGB32);
    image.fill(colour);
    ASSERT_TRUE(image.save(picture + ".bmp", "BMP"));
  }
  auto& table = state.categoryTable;
  CategoryEntry& row = table.rows[static_cast<std::size_t>(table.count++)];
  row.name = QString::fromStdString(name).toStdU16String();
  row.bitmapPath = (picture + ".bmp").toStdU16String();
}

QColor PictureColour(const QLabel& picture) {
  const QImage image = picture.pixmap().toImage().convertToFormat(QImage::Format_RGB32);
  if (image.isNull()) return {};
  QImage solid(image.size(), image.format());
  solid.fill(image.pixel(0, 0));
  return image == solid ? QColor(image.pixel(0, 0)) : QColor();
}

void OnNextModalPage(std::function<void(QDialog&)> action) {
  QTimer::singleShot(0, [action = std::move(action)] {
    auto* page = qobject_cast<QDialog*>(QApplication::activeModalWidget());
    ASSERT_NE(page, nullptr) << "no page runs modally";
    action(*page);
    EXPECT_FALSE(page->isVisible()) << "the page is still open";
    if (page->isVisible()) page->done(0);
  });
}

}  // namespace poirec::test

// The screens' tests run in one QApplication on the offscreen platform.
int main(int argc, char* argv[]) {
  qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication application(argc, argv);
  Q_INIT_RESOURCE(resources);  // the pictures and templates of the screens' static library
  QPalette palette(poirec::test::kFace);  // the button's face, and the other colours from it
  palette.setColor(QPalette::Light, poirec::test::kHighlight);
  palette.setColor(QPalette::Dark, poirec::test::kShadow);
  QApplication::setPalette(palette);
  testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
