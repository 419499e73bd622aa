// The screens' tests run in one QApplication on the offscreen platform, with the classic
// button colours so that pixel checks read plain values.
#include <QApplication>
#include <QPalette>
#include <gtest/gtest.h>

#include "ui/UiTestSupport.h"

int main(int argc, char* argv[]) {
  qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication application(argc, argv);
  // The pictures and templates are compiled into the screens' static library.
  Q_INIT_RESOURCE(resources);
  QApplication::setPalette(poirec::test::ClassicPalette());
  testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
