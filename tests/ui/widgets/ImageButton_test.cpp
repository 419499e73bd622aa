#include "ui/widgets/ImageButton.h"

#include <QCoreApplication>
#include <QCursor>
#include <QDialog>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>
#include <QTimerEvent>
#include <gtest/gtest.h>

#include "ui/UiTestSupport.h"

namespace poirec {
namespace {

using test::Bounds;
using test::BoundsOf;
using test::Grab;
using test::kFace;
using test::kHighlight;
using test::kShadow;
using test::kText;

const QColor kRed(255, 0, 0);
const QColor kBlack(0, 0, 0);

QPixmap Solid(int w, int h, const QColor& colour) {
  QPixmap pixmap(w, h);
  pixmap.fill(colour);
  return pixmap;
}

// A caption font without smoothing, so the caption's pixels have the caption's colour.
void UseCrispFont(QWidget& widget) {
  QFont font(QStringLiteral("Liberation Sans"));
  font.setPixelSize(12);
  font.setStyleStrategy(QFont::NoAntialias);
  widget.setFont(font);
}

// A button inside a dialog window, as the pages hold them.
class ButtonOnPage : public testing::Test {
 protected:
  ButtonOnPage() : button(new ImageButton(&page)) {
    page.resize(200, 100);
    button->setGeometry(10, 10, 100, 50);
    UseCrispFont(*button);
  }
  QImage Shot() { return Grab(*button); }

  QDialog page;
  ImageButton* button;
};

TEST_F(ButtonOnPage, FlatIdleButtonShowsNoBorderFrameOrFocusEvenWhenFocusedAndDefault) {
  test::Activate(page);
  button->setDefault(true);
  button->setFocus();
  ASSERT_TRUE(button->hasFocus());
  const QImage shot = Shot();
  EXPECT_EQ(BoundsOf(shot, kFace), shot.rect());
  EXPECT_EQ(Bounds(shot, [](QRgb p) { return p != kFace.rgb(); }), QRect());
}

TEST_F(ButtonOnPage, PressedFlatButtonIsSunkenAndMovesIconAndCaptionByOnePixel) {
  button->SetStateIcons(Solid(20, 10, kRed), 20, 10);
  button->SetImagePlacement(ImageAbove, true);
  button->setText(QStringLiteral("Ab"));
  page.show();
  const QImage idle = Shot();
  const QRect idleIcon = BoundsOf(idle, kRed);
  const QRect idleCaption = BoundsOf(idle, kText);

  QTest::mousePress(button, Qt::LeftButton);
  // The pushed look shows at the press, before any release.
  const QImage pressed = Shot();
  QTest::mouseRelease(button, Qt::LeftButton);

  EXPECT_EQ(idleIcon, QRect(40, 3, 20, 10));
  EXPECT_EQ(BoundsOf(pressed, kRed), idleIcon.translated(1, 1));
  ASSERT_FALSE(idleCaption.isEmpty());
  EXPECT_EQ(BoundsOf(pressed, kText), idleCaption.translated(1, 1));
  // Sunken: shadow along the top and left, highlight along the bottom and right.
  EXPECT_EQ(pressed.pixelColor(0, 0), kShadow);
  EXPECT_EQ(pressed.pixelColor(50, 0), kShadow);
  EXPECT_EQ(pressed.pixelColor(0, 25), kShadow);
  EXPECT_EQ(pressed.pixelColor(99, 25), kHighlight);
  EXPECT_EQ(pressed.pixelColor(50, 49), kHighlight);
  EXPECT_EQ(idle.pixelColor(0, 0), kFace);
}

TEST_F(ButtonOnPage, ThreeDButtonIsRaisedAndFramedInBlackWithDottedFocusWhenFocused) {
  button->SetFlatLook(false, true);
  button->setAutoDefault(false);  // so that showing the page does not make it the default
  page.show();
  const QImage unfocused = Shot();
  EXPECT_EQ(unfocused.pixelColor(0, 0), kHighlight);
  EXPECT_EQ(unfocused.pixelColor(99, 49), kShadow);
  EXPECT_EQ(BoundsOf(unfocused, kBlack), QRect());

  test::Activate(page);
  button->setFocus();
  ASSERT_TRUE(button->hasFocus());
  const QImage focused = Shot();
  // The frame is the outermost ring; the raised border lies inside it.
  for (QPoint p : {QPoint(0, 0), QPoint(99, 0), QPoint(0, 49), QPoint(99, 49), QPoint(50, 0)}) {
    EXPECT_EQ(focused.pixelColor(p), kBlack) << p.x() << "," << p.y();
  }
  EXPECT_EQ(focused.pixelColor(1, 1), kHighlight);
  EXPECT_EQ(focused.pixelColor(98, 48), kShadow);
  // The dotted focus rectangle: every other pixel of the ring 4 pixels in is inverted.
  const QColor inverted(255 - kFace.red(), 255 - kFace.green(), 255 - kFace.blue());
  EXPECT_EQ(focused.pixelColor(4, 4), inverted);
  EXPECT_EQ(focused.pixelColor(5, 4), kFace);
  EXPECT_EQ(focused.pixelColor(6, 4), inverted);
  EXPECT_EQ(focused.pixelColor(95, 45), inverted);
  EXPECT_EQ(focused.pixelColor(4, 45), kFace);
}

TEST_F(ButtonOnPage, ThreeDDefaultButtonIsFramedWithoutFocusRectangle) {
  button->SetFlatLook(false, true);
  button->setDefault(true);
  page.show();
  const QImage shot = Shot();
  EXPECT_EQ(shot.pixelColor(0, 0), kBlack);
  EXPECT_EQ(shot.pixelColor(1, 1), kHighlight);
  EXPECT_EQ(shot.pixelColor(4, 4), kFace);
}

TEST_F(ButtonOnPage, IconGoesLeftAboveOrRightOfTheCaption) {
  button->SetStateIcons(Solid(20, 10, kRed), 20, 10);
  button->setText(QStringLiteral("Ab"));
  page.show();
  struct Case {
    ImagePlacement placement;
    QRect icon;
    int captionCentreX;  // the middle of the area left to the caption
  };
  for (const Case& c : {Case{ImageLeft, QRect(3, 20, 20, 10), (23 + 100) / 2},
                        Case{ImageAbove, QRect(40, 3, 20, 10), 50},
                        Case{ImageRight, QRect(77, 20, 20, 10), (3 + 77) / 2}}) {
    ASSERT_EQ(button->SetImagePlacement(c.placement, true), 0);
    const QImage shot = Shot();
    EXPECT_EQ(BoundsOf(shot, kRed), c.icon) << int(c.placement);
    const QRect caption = BoundsOf(shot, kText);
    EXPECT_NEAR(caption.center().x(), c.captionCentreX, 2) << int(c.placement);
  }
  // Without a caption the icon is centred.
  button->setText(QString());
  for (ImagePlacement placement : {ImageLeft, ImageAbove, ImageRight}) {
    button->SetImagePlacement(placement, true);
    EXPECT_EQ(BoundsOf(Shot(), kRed), QRect(40, 20, 20, 10)) << int(placement);
  }
}

TEST_F(ButtonOnPage, PlaceImageGivesTheCornerAndShrinksTheCaptionArea) {
  // The caption area begins at the icon height under an icon above, not below its margin.
  QRect area(0, 0, 100, 50);
  button->SetImagePlacement(ImageAbove, false);
  EXPECT_EQ(button->PlaceImage(true, area, area, false, 22, 22), QPoint(39, 3));
  EXPECT_EQ(area, QRect(0, 22, 100, 28));

  area = QRect(0, 0, 100, 50);
  button->SetImagePlacement(ImageRight, false);
  EXPECT_EQ(button->PlaceImage(true, area, area, true, 32, 32), QPoint(66, 10));
  EXPECT_EQ(area, QRect(3, 0, 62, 50));  // from 3 to the icon's left edge at 65

  area = QRect(0, 0, 100, 50);
  button->SetImagePlacement(ImageLeft, false);
  EXPECT_EQ(button->PlaceImage(true, area, area, false, 32, 32), QPoint(3, 9));
  EXPECT_EQ(area, QRect(35, 0, 65, 50));
}

TEST_F(ButtonOnPage, TwoLineCaptionIsCentredLineByLine) {
  button->setText(QStringLiteral("Next\nPage"));
  page.show();
  const QImage shot = Shot();
  const QRect caption = BoundsOf(shot, kText);
  const int lineHeight = QFontMetrics(button->font()).height();
  EXPECT_GT(caption.height(), lineHeight);
  EXPECT_NEAR(caption.center().y(), 25, 2);
  // Each line is centred on its own.
  const QRect first = BoundsOf(shot, kText, QRect(0, 0, 100, caption.top() + lineHeight - 2));
  const QRect second = BoundsOf(shot, kText, QRect(0, caption.top() + lineHeight, 100, 50));
  EXPECT_NEAR(first.center().x(), 50, 2);
  EXPECT_NEAR(second.center().x(), 50, 2);
}

TEST_F(ButtonOnPage, DisabledCaptionIsEngravedAndTheActiveIconStillShows) {
  button->SetStateIcons(Solid(20, 10, kRed), 20, 10);
  button->setText(QStringLiteral("Ab"));
  button->setEnabled(false);
  page.show();
  const QImage shot = Shot();
  EXPECT_FALSE(BoundsOf(shot, kRed).isEmpty());
  EXPECT_EQ(BoundsOf(shot, kText), QRect());
  const QRect shadow = BoundsOf(shot, kShadow, shot.rect().adjusted(1, 1, -1, -1));
  ASSERT_FALSE(shadow.isEmpty());
  // The highlight copy lies one pixel right and down: wherever the shadow ink ends on the
  // lower right, the highlight shows.
  int highlightBelowShadow = 0;
  for (int y = shadow.top(); y <= shadow.bottom(); ++y) {
    for (int x = shadow.left(); x <= shadow.right(); ++x) {
      if (shot.pixelColor(x, y) != kShadow) continue;
      const QColor below = shot.pixelColor(x + 1, y + 1);
      EXPECT_TRUE(below == kShadow || below == kHighlight) << x << "," << y;
      highlightBelowShadow += below == kHighlight;
    }
  }
  EXPECT_GT(highlightBelowShadow, 0);
}

TEST_F(ButtonOnPage, IconSlotsFollowTheActiveIcon) {
  page.show();
  // An idle icon without an active one gives no icon at all.
  button->SetStateIcons(Solid(20, 10, kRed), 20, 10);
  button->SetStateIcons(QPixmap(), 0, 0, Solid(20, 10, kRed), 20, 10);
  EXPECT_TRUE(button->ActiveIcon().IsEmpty());
  EXPECT_EQ(BoundsOf(Shot(), kRed), QRect());

  // The idle icon shows while idle, the active one while pressed.
  const QColor blue(0, 0, 255);
  button->SetStateIcons(Solid(20, 10, kRed), 20, 10, Solid(20, 10, blue), 20, 10);
  EXPECT_FALSE(BoundsOf(Shot(), blue).isEmpty());
  EXPECT_EQ(BoundsOf(Shot(), kRed), QRect());
  QTest::mousePress(button, Qt::LeftButton);
  EXPECT_FALSE(BoundsOf(Shot(), kRed).isEmpty());
  QTest::mouseRelease(button, Qt::LeftButton);

  // Icons come from the program's resources at their own size; an unknown one is none.
  EXPECT_EQ(button->LoadStateIcons(135, 32, 32), 0);
  EXPECT_EQ(button->ActiveIcon().picture.size(), QSize(32, 32));
  button->LoadStateIcons(999, 32, 32);
  EXPECT_TRUE(button->ActiveIcon().IsEmpty());
}

TEST_F(ButtonOnPage, UnknownPlacementIsRefusedAndChangesNothing) {
  ASSERT_EQ(button->SetImagePlacement(ImageRight, false), 0);
  EXPECT_EQ(button->SetImagePlacement(3, true), kInvalidPlacement);
  EXPECT_EQ(button->SetImagePlacement(-1, true), kInvalidPlacement);
  EXPECT_EQ(button->Placement(), ImageRight);
}

TEST_F(ButtonOnPage, DoubleTapCountsAsTwoPresses) {
  page.show();
  QSignalSpy clicks(button, &QPushButton::clicked);
  QTest::mousePress(button, Qt::LeftButton);
  QTest::mouseRelease(button, Qt::LeftButton);
  QTest::mouseDClick(button, Qt::LeftButton);
  EXPECT_TRUE(button->isDown());  // the second tap pushes the button at once
  QTest::mouseRelease(button, Qt::LeftButton);
  EXPECT_EQ(clicks.count(), 2);
}

class Hover : public ButtonOnPage {
 protected:
  Hover() {
    page.move(0, 0);
    test::Activate(page);
    PointAtScreen(QPoint(1000, 1000));  // away from where an earlier test left it
  }
  QTimer& Timer() { return *button->findChild<QTimer*>(QStringLiteral("hoverTimer")); }
  // One tick of the hover poll, then whatever it posted.
  void Tick() {
    QTimerEvent tick(Timer().timerId());
    QCoreApplication::sendEvent(&Timer(), &tick);
    QCoreApplication::sendPostedEvents(button);
  }
  void PointAt(QPoint local) { QTest::mouseMove(button, local); }
  void PointAtScreen(QPoint global) {
    QCursor::setPos(global);
    QCoreApplication::processEvents();
  }
};

TEST_F(Hover, StartsWhenThePointerMovesOnAndEndsAtTheFirstTickAfterItLeft) {
  PointAt(QPoint(50, 25));
  ASSERT_TRUE(button->IsHovered());
  EXPECT_TRUE(Timer().isActive());
  EXPECT_EQ(Timer().interval(), 50);
  // Hovered: the raised border of the flat look.
  EXPECT_EQ(Shot().pixelColor(0, 0), kHighlight);
  EXPECT_EQ(Shot().pixelColor(99, 49), kShadow);

  Tick();  // still over the button
  EXPECT_TRUE(button->IsHovered());

  PointAtScreen(button->mapToGlobal(QPoint(150, 25)));
  EXPECT_TRUE(button->IsHovered());  // only the poll notices
  Tick();
  EXPECT_FALSE(button->IsHovered());
  EXPECT_FALSE(Timer().isActive());
  EXPECT_EQ(Shot().pixelColor(0, 0), kFace);
}

TEST_F(Hover, DoesNotStartWithTheButtonHeldOrInTheThreeDLook) {
  QTest::mousePress(&page, Qt::LeftButton, {}, QPoint(150, 80));
  QTest::mouseMove(button, QPoint(50, 25));
  EXPECT_FALSE(button->IsHovered());
  QTest::mouseRelease(&page, Qt::LeftButton, {}, QPoint(150, 80));

  PointAtScreen(page.mapToGlobal(QPoint(150, 80)));
  button->SetFlatLook(false, true);
  PointAt(QPoint(50, 25));
  EXPECT_FALSE(button->IsHovered());
  EXPECT_FALSE(Timer().isActive());
}

TEST_F(Hover, EndsWhenTheButtonLosesTheFocusOrIsDisabled) {
  PointAt(QPoint(50, 25));
  ASSERT_TRUE(button->IsHovered());
  button->setEnabled(false);
  EXPECT_FALSE(button->IsHovered());
  EXPECT_FALSE(Timer().isActive());
}

}  // namespace
}  // namespace poirec
