#include "ui/widgets/ImageButton.h"

#include <QCoreApplication>
#include <QCursor>
#include <QTimer>

#include "ui/UiTestSupport.h"

namespace poirec {
namespace {

using namespace test;  // the colours and pixel helpers

// A 100 x 50 button inside a dialog window, as the pages hold them, with a 20 x 10 red icon
// and a caption in a font without smoothing, so the caption's pixels are all black.
class ButtonOnPage : public testing::Test {
 protected:
  ButtonOnPage() : button(new ImageButton(&page)) {
    button->setGeometry(10, 10, 100, 50);
    QFont font(QStringLiteral("Liberation Sans"));
    font.setPixelSize(12);
    font.setStyleStrategy(QFont::NoAntialias);
    button->setFont(font);
    QPixmap icon(20, 10);
    icon.fill(kRed);
    button->SetStateIcons(icon, 20, 10);
    button->setText(QStringLiteral("Ab"));
  }
  QImage Shot() { return Grab(*button); }

  QDialog page;
  ImageButton* button;
};

// Both looks mark the focus alike: a black frame, and a dotted rectangle (every other pixel
// inverted) 4 pixels in. Idle, the flat look draws no border, the 3-D one is raised; being
// the default alone shows nothing on a flat one.
TEST_F(ButtonOnPage, IdleButtonsShowTheirLookAndMarkTheFocusWithAFrameAndDots) {
  button->SetStateIcons(QPixmap(), 0, 0);
  button->setText(QString());
  auto* other = new QPushButton(&page);
  const QColor inverted(255 - kFace.red(), 255 - kFace.green(), 255 - kFace.blue());
  for (const bool flat : {true, false}) {
    button->SetFlatLook(flat, true);
    Activate(page);
    other->setFocus();
    button->setAutoDefault(false);
    button->setDefault(flat);  // a default 3-D button is framed
    QImage face(Shot().size(), QImage::Format_RGB32);
    face.fill(kFace);
    EXPECT_EQ(Shot() == face, flat);
    EXPECT_EQ(Shot().pixelColor(0, 0), flat ? kFace : kHighlight);
    button->setFocus();
    ASSERT_TRUE(button->hasFocus());
    const QImage focused = Shot();
    for (auto [x, y, colour] : {std::tuple{0, 0, kBlack},
                                {50, 0, kBlack},
                                {99, 49, kBlack},
                                {1, 1, flat ? kFace : kHighlight},
                                {98, 48, flat ? kFace : kShadow},
                                {4, 4, inverted},
                                {5, 4, kFace},
                                {95, 45, inverted}}) {
      EXPECT_EQ(focused.pixelColor(x, y), colour) << flat << ": " << x << "," << y;
    }
    // The dotted line runs down the sides: one of two neighbours is inverted.
    EXPECT_NE(focused.pixelColor(4, 25), focused.pixelColor(4, 26)) << flat;
  }
}

TEST_F(ButtonOnPage, PressedFlatButtonIsSunkenAndMovesIconAndCaptionByOnePixel) {
  page.show();
  const QImage idle = Shot();
  QTest::mousePress(button, Qt::LeftButton);
  const QImage pressed = Shot();  // the pushed look shows at the press, before any release
  QTest::mouseRelease(button, Qt::LeftButton);
  EXPECT_EQ(BoundsOf(pressed, kRed), BoundsOf(idle, kRed).translated(1, 1));
  ASSERT_FALSE(BoundsOf(idle, kBlack).isEmpty());
  EXPECT_EQ(BoundsOf(pressed, kBlack), BoundsOf(idle, kBlack).translated(1, 1));
  // Sunken: shadow along the top and left, highlight along the bottom and right.
  for (auto [x, y, colour] :
       {std::tuple{50, 0, kShadow}, {0, 25, kShadow}, {99, 25, kHighlight}, {50, 49, kHighlight}}) {
    EXPECT_EQ(pressed.pixelColor(x, y), colour) << x << "," << y;
  }
}

TEST_F(ButtonOnPage, IconGoesLeftAboveOrRightOfTheCaption) {
  page.show();
  // The icon, and the middle of the area left to the caption.
  for (auto [placement, icon, captionCentreX] :
       {std::tuple{ImageLeft, QRect(3, 20, 20, 10), (23 + 100) / 2},
        {ImageAbove, QRect(40, 3, 20, 10), 50},
        {ImageRight, QRect(77, 20, 20, 10), 40}}) {
    button->SetImagePlacement(placement, true);
    EXPECT_EQ(BoundsOf(Shot(), kRed), icon) << int(placement);
    EXPECT_NEAR(BoundsOf(Shot(), kBlack).center().x(), captionCentreX, 2) << int(placement);
  }
  button->setText(QString());  // without a caption the icon is centred
  EXPECT_EQ(BoundsOf(Shot(), kRed), QRect(40, 20, 20, 10));
}

TEST_F(ButtonOnPage, DisabledCaptionIsEngravedAndTheActiveIconStillShows) {
  button->setEnabled(false);
  page.show();
  const QImage shot = Shot();
  EXPECT_FALSE(BoundsOf(shot, kRed).isEmpty());
  EXPECT_EQ(BoundsOf(shot, kBlack), QRect());
  // The caption in shadow, over a copy in highlight one pixel right and down.
  const QRect inside = shot.rect().adjusted(1, 1, -1, -1);
  const QRect shadow = BoundsOf(shot, kShadow, inside);
  ASSERT_FALSE(shadow.isEmpty());
  EXPECT_EQ(BoundsOf(shot, kHighlight, inside).bottomRight(), shadow.bottomRight() + QPoint(1, 1));
}

TEST_F(ButtonOnPage, HoverStartsWhenThePointerMovesOnAndEndsAtTheFirstTickAfterItLeft) {
  button->setFocusPolicy(Qt::NoFocus);  // so that the focus mark does not cover the border
  page.move(0, 0);
  Activate(page);
  auto& timer = *button->findChild<QTimer*>(QStringLiteral("hoverTimer"));
  const auto tick = [&] {  // one tick of the hover poll, then whatever it posted
    ASSERT_TRUE(QMetaObject::invokeMethod(&timer, "timeout"));
    QCoreApplication::sendPostedEvents(button);
  };
  QTest::mouseMove(button, QPoint(50, 25));
  ASSERT_TRUE(button->IsHovered());
  EXPECT_EQ(Shot().pixelColor(0, 0), kHighlight);  // the raised border of the flat look
  tick();                                          // still over the button
  EXPECT_TRUE(button->IsHovered());
  QCursor::setPos(button->mapToGlobal(QPoint(150, 25)));
  QCoreApplication::processEvents();
  EXPECT_TRUE(button->IsHovered());  // only the poll notices
  tick();
  EXPECT_FALSE(button->IsHovered());
  EXPECT_FALSE(timer.isActive());
  EXPECT_EQ(Shot().pixelColor(0, 0), kFace);
}

}  // namespace
}  // namespace poirec
