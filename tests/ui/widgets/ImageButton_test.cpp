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

// On a page of scale s the pressed offset, the focus frame and the border are s pixels.
TEST_F(ButtonOnPage, PressedOffsetFocusFrameAndBorderGrowWithThePage) {
  Activate(page);
  for (const int scale : {1, 2}) {
    button->SetScale(scale);
    button->setFocus();
    const QImage idle = Shot();
    EXPECT_EQ(idle.pixelColor(scale - 1, scale - 1), kBlack) << scale;
    EXPECT_EQ(idle.pixelColor(scale, 20), kFace) << scale;
    QTest::mousePress(button, Qt::LeftButton);
    const QImage pressed = Shot();  // the pushed look shows at the press, before any release
    QTest::mouseRelease(button, Qt::LeftButton);
    const QPoint offset(scale, scale);
    EXPECT_EQ(BoundsOf(pressed, kRed), BoundsOf(idle, kRed).translated(offset)) << scale;
    const QRect caption = BoundsOf(idle, kBlack, QRect(9, 9, 82, 32));  // inside the frame
    ASSERT_FALSE(caption.isEmpty());
    EXPECT_EQ(BoundsOf(pressed, kBlack, QRect(9, 9, 82, 32)), caption.translated(offset));
    // Sunken inside the focus frame: shadow along the top, highlight along the bottom.
    EXPECT_EQ(pressed.pixelColor(50, 2 * scale - 1), kShadow) << scale;
    EXPECT_EQ(pressed.pixelColor(50, 49 - 2 * scale + 1), kHighlight) << scale;
  }
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
