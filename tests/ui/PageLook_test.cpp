// How the three pages look: at 240 x 320 pixel for pixel as recorded, and on larger pages
// with captions and pictures grown with the page.
#include <QCryptographicHash>
#include <QLabel>
#include <cmath>

#include "ui/ButtonFont.h"
#include "ui/CategoryDialog.h"
#include "ui/DeleteDialog.h"
#include "ui/InsertDialog.h"
#include "ui/UiTestSupport.h"
#include "ui/widgets/ImageButton.h"

namespace poirec {
namespace {

// The page grabbed at the given size, after it has laid itself out again.
QImage GrabAt(QDialog& page, QSize size) {
  test::Activate(page);
  page.resize(size);
  return test::Grab(page);
}

std::string Fingerprint(const QImage& image) {
  return QCryptographicHash::hash(QByteArrayView(image.constBits(), image.sizeInBytes()),
                                  QCryptographicHash::Sha1)
      .toHex()
      .left(16)
      .toStdString();
}

class PageLook : public testing::Test {
 protected:
  PageLook() {
    CreateButtonFont(run.state.buttonFont);
    run.AddCategory("Alpha", "\n8.1234, 47.1234, \"Tower\"", test::kRed, true);
    run.AddCategory("Beta", "", test::kBlue);
    for (const char* name : {"Gamma", "Delta", "Epsilon", "Zeta", "Eta", "Theta"}) {
      run.AddCategory(name, "", QColor(0, 128, 0));  // so that the page turns
    }
  }
  test::Run run;
  test::NotingShell shell;
};

// Captions and pictures grow with the page by s = min(width / 240, height / 320), and a page
// that is resized lays itself out again.
TEST_F(PageLook, CaptionsAndPicturesGrowWithThePage) {
  CategoryDialog categories(run.state);
  InsertDialog insert(run.state, shell);
  const double scales[] = {1, 1.5, 3.375};
  const QSize sizes[] = {{240, 320}, {800, 480}, {1920, 1080}};
  for (int i = 0; i < 3; ++i) {
    GrabAt(categories, sizes[i]);
    const QRect picture = test::BoundsOf(test::Grab(categories.Slot(2)), test::kBlue);
    const int side = static_cast<int>(std::lround(22 * scales[i]));
    EXPECT_EQ(picture.size(), QSize(side, side)) << scales[i];
    EXPECT_EQ(categories.Slot(2).font(), ButtonFont(run.state.buttonFont, scales[i]));
    GrabAt(insert, sizes[i]);
    EXPECT_EQ(insert.Picture().pixmap().size(), QSize(side, side)) << scales[i];
    EXPECT_EQ(insert.ExactButton().font(), ButtonFont(run.state.buttonFont, scales[i]));
  }
}

// Any pixel that changes on a page of handheld size changes its fingerprint. Every button of
// every page shows when it has the focus, so that a keypad's user sees what Return presses:
// each looks different with the focus than while another button has it.
TEST_F(PageLook, HandheldPagesStayAsRecordedAndEveryButtonShowsWhenItHasTheFocus) {
  CategoryDialog categories(run.state);
  InsertDialog insert(run.state, shell);
  DeleteDialog remove(run.state, shell);
  const std::pair<QDialog*, const char*> pages[] = {{&categories, "8168549b42364656"},
                                                    {&insert, "82c4b76d6b5c3863"},
                                                    {&remove, "d41cf85c3b3be563"}};
  for (const auto& [page, fingerprint] : pages) {
    EXPECT_EQ(Fingerprint(GrabAt(*page, {240, 320})), fingerprint);
    const QList<QPushButton*> buttons = page->findChildren<QPushButton*>();
    for (QPushButton* button : buttons) {
      QPushButton* other = button == buttons.front() ? buttons.back() : buttons.front();
      other->setFocus();
      const QImage without = test::Grab(*button);
      button->setFocus();
      const QImage with = test::Grab(*button);
      EXPECT_NE(with, without) << page->metaObject()->className() << " "
                               << button->text().toStdString();
    }
    page->hide();
  }
}

}  // namespace
}  // namespace poirec
