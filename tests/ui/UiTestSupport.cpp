#include "ui/UiTestSupport.h"

#include <QAccessible>
#include <QApplication>
#include <QBuffer>
#include <QPainter>
#include <QPushButton>

#include "platform/TextEncoding.h"

namespace poirec::test {

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

QString AccessibleName(QWidget& widget) {
  QAccessibleInterface* accessible = QAccessible::queryAccessibleInterface(&widget);
  return accessible ? accessible->text(QAccessible::Name) : QString();
}

std::string Encoded(const QImage& image, const char* format) {
  QByteArray bytes;
  QBuffer buffer(&bytes);
  EXPECT_TRUE(buffer.open(QIODevice::WriteOnly) && image.save(&buffer, format));
  return bytes.toStdString();
}

void Run::AddCategory(const std::string& name, std::string_view bytes, const QColor& colour,
                      bool keyed) {
  folder.Write("pois/" + name + ".asc", bytes);
  // The name's bytes as they are, also where they are not UTF-8.
  QImage image(22, 22, QImage::Format_RGB32);
  image.fill(keyed ? QColor(Qt::magenta) : colour);
  QPainter(&image).fillRect(4, 4, 14, 14, colour);
  folder.Write("pois/" + name + ".bmp", Encoded(image, "BMP"));
  auto& table = state.categoryTable;
  CategoryEntry& row = table.rows[static_cast<std::size_t>(table.count++)];
  row.name = Utf8ToUtf16(name);
  row.bitmapPath = folder.File("pois/" + name + ".bmp");
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
