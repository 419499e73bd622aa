#include "ui/widgets/ImageButton.h"

#include <QApplication>
#include <QCursor>
#include <QFile>
#include <QMouseEvent>
#include <QPainter>
#include <QSvgRenderer>
#include <QTimer>
#include <climits>

#include "ui/PageScale.h"

namespace poirec {
namespace {

constexpr int kHoverPollMilliseconds = 50;
constexpr int kMaxCaptionLength = 255;
// Space kept between an icon and the button's edge.
constexpr int kIconMargin = 3;
constexpr int kFocusInset = 3;
constexpr int kCaptionFlags = Qt::TextWordWrap | Qt::AlignHCenter;

// Posted by the hover poll when the pointer is no longer over the button.
const QEvent::Type kPointerLeftEvent = static_cast<QEvent::Type>(QEvent::registerEventType());

QPixmap LoadIcon(int id, int width, int height, double pixelRatio) {
  const QString path = QStringLiteral(":/icons/%1.svg").arg(id);
  if (id == 0 || !QFile::exists(path)) return {};
  QSvgRenderer renderer(path);
  if (!renderer.isValid()) return {};
  QImage image(QSizeF(QSizeF(width, height) * pixelRatio).toSize(),
               QImage::Format_ARGB32_Premultiplied);
  image.fill(Qt::transparent);
  QPainter painter(&image);
  renderer.render(&painter);
  painter.end();
  QPixmap icon = QPixmap::fromImage(image);
  icon.setDevicePixelRatio(pixelRatio);
  return icon;
}

// A rectangle edge in two colours, t pixels wide: top and left in topLeft, bottom and
// right in bottomRight, the corners where they meet going to bottomRight.
void Draw3dRect(QPainter& painter, const QRect& r, const QColor& topLeft, const QColor& bottomRight,
                int t) {
  const int x = r.x(), y = r.y(), w = r.width(), h = r.height();
  painter.fillRect(x, y, w - t, t, topLeft);
  painter.fillRect(x, y, t, h - t, topLeft);
  painter.fillRect(x + w - t, y, t, h, bottomRight);
  painter.fillRect(x, y + h - t, w, t, bottomRight);
}

}  // namespace

ImageButton::ImageButton(QWidget* parent) : QPushButton(parent), hoverTimer_(new QTimer(this)) {
  hoverTimer_->setObjectName(QStringLiteral("hoverTimer"));
  hoverTimer_->setInterval(kHoverPollMilliseconds);
  connect(hoverTimer_, &QTimer::timeout, this, &ImageButton::CheckPointerLeft);
  setMouseTracking(flat_);
  ResetColors(false);
}

void ImageButton::LoadStateIcons(int activeId, int activeWidth, int activeHeight, int idleId,
                                 int idleWidth, int idleHeight, int disabledId, int disabledWidth,
                                 int disabledHeight) {
  const double ratio = devicePixelRatioF();
  SetStateIcons(LoadIcon(activeId, activeWidth, activeHeight, ratio), activeWidth, activeHeight,
                LoadIcon(idleId, idleWidth, idleHeight, ratio), idleWidth, idleHeight,
                LoadIcon(disabledId, disabledWidth, disabledHeight, ratio), disabledWidth,
                disabledHeight);
}

void ImageButton::SetStateIcons(const QPixmap& active, int activeWidth, int activeHeight,
                                const QPixmap& idle, int idleWidth, int idleHeight,
                                const QPixmap& disabled, int disabledWidth, int disabledHeight) {
  activeIcon_ = idleIcon_ = disabledIcon_ = StateIcon{};
  if (!active.isNull()) {
    activeIcon_ = {active, activeWidth, activeHeight};
    if (!idle.isNull()) idleIcon_ = {idle, idleWidth, idleHeight};
    if (!disabled.isNull()) disabledIcon_ = {disabled, disabledWidth, disabledHeight};
  }
  Repaint(true);
}

void ImageButton::SetFlatLook(bool flat, bool repaint) {
  flat_ = flat;
  setMouseTracking(flat);
  Repaint(repaint);
}

void ImageButton::SetImagePlacement(ImagePlacement placement, bool repaint) {
  placement_ = placement;
  Repaint(repaint);
}

void ImageButton::SetScale(double scale) {
  scale_ = scale;
  update();
}

int ImageButton::Px(int pixels) const { return Scaled(pixels, scale_); }

void ImageButton::ResetColors(bool repaint) {
  const QPalette& colours = palette();
  activeBack_ = idleBack_ = focusBack_ = colours.color(QPalette::Button);
  activeText_ = idleText_ = colours.color(QPalette::ButtonText);
  Repaint(repaint);
}

void ImageButton::Repaint(bool repaint) {
  if (repaint) update();
}

void ImageButton::paintEvent(QPaintEvent*) {
  pressed_ = isDown();
  focused_ = hasFocus();
  disabled_ = !isEnabled();

  QPainter painter(this);
  const QRect item = rect();
  QRect work = item;
  // The focus is marked in both looks, so that a keypad's user sees which button Return
  // presses; the 3-D look also frames the default button.
  if (focused_ || (!flat_ && isDefault())) {
    Draw3dRect(painter, work, Qt::black, Qt::black, Px(1));
    work.adjust(Px(1), Px(1), -Px(1), -Px(1));
  }
  PaintBackground(painter, work);
  PaintBorder(painter, work);

  const QString caption = text().left(kMaxCaptionLength);
  // The icon and the caption are laid out in the whole button, inside the frame or not.
  QRect captionArea = item;
  if (!activeIcon_.IsEmpty()) PaintImage(painter, !caption.isEmpty(), item, captionArea);
  if (!caption.isEmpty()) PaintCaption(painter, caption, captionArea);
  const int inset = Px(kFocusInset);
  if (focused_) PaintFocusRect(painter, work.adjusted(inset, inset, -inset, -inset));
}

void ImageButton::PaintBackground(QPainter& painter, const QRect& rect) {
  const QColor& colour = hovered_ || pressed_ ? activeBack_ : focused_ ? focusBack_ : idleBack_;
  painter.fillRect(rect, colour);
}

void ImageButton::PaintBorder(QPainter& painter, const QRect& rect) {
  const QColor highlight = palette().color(QPalette::Light);
  const QColor shadow = palette().color(QPalette::Dark);
  if (pressed_) {
    Draw3dRect(painter, rect, shadow, highlight, Px(1));
  } else if (!flat_ || hovered_) {
    Draw3dRect(painter, rect, highlight, shadow, Px(1));
  }
}

void ImageButton::PaintImage(QPainter& painter, bool hasCaption, const QRect& item,
                             QRect& captionArea) {
  const StateIcon* icon = &activeIcon_;
  if (disabled_) {
    if (!disabledIcon_.IsEmpty()) icon = &disabledIcon_;
  } else if (!pressed_ && !hovered_ && !idleIcon_.IsEmpty()) {
    icon = &idleIcon_;
  }
  const QPoint corner =
      PlaceImage(hasCaption, item, captionArea, pressed_, icon->width, icon->height);
  painter.drawPixmap(corner, icon->picture);
}

QPoint ImageButton::PlaceImage(bool hasCaption, const QRect& item, QRect& captionArea, bool pressed,
                               int w, int h) const {
  const int margin = Px(kIconMargin);
  QPoint corner(item.left() + (item.width() - w) / 2, item.top() + (item.height() - h) / 2);
  if (hasCaption) {
    switch (placement_) {
      case ImageLeft:
        corner.setX(item.left() + margin);
        captionArea.setLeft(captionArea.left() + w + margin);
        break;
      case ImageAbove:
        corner.setY(margin);
        // The caption starts right under the icon's height, not under its margin.
        captionArea.setTop(captionArea.top() + h);
        break;
      case ImageRight: {
        corner.setX(rect().width() - w - margin);
        // The caption sits between the left margin and the icon: its right edge
        // (exclusive) becomes right - left - w - margin, its left edge the margin.
        const int rightEdge = captionArea.left() + captionArea.width();
        const int newRightEdge = rightEdge - captionArea.left() - w - margin;
        captionArea = QRect(QPoint(margin, captionArea.top()),
                            QPoint(newRightEdge - 1, captionArea.bottom()));
        break;
      }
    }
  }
  if (pressed) corner += QPoint(Px(1), Px(1));
  return corner;
}

void ImageButton::PaintCaption(QPainter& painter, const QString& caption, QRect area) {
  if (pressed_) area.translate(Px(1), Px(1));
  // Measured as Windows does: the box keeps the area's top-left corner and is then
  // moved by half the room left over, truncated, into the middle of the area.
  const QRect measured = QFontMetrics(font()).boundingRect(QRect(0, 0, area.width(), INT_MAX / 2),
                                                           kCaptionFlags, caption);
  QRect box(area.topLeft(), measured.size());
  box.translate((area.width() - box.width()) / 2, (area.height() - box.height()) / 2);

  painter.setFont(font());
  if (disabled_) {
    // Engraved: a highlight copy one pixel down and right, the shadow copy on top.
    painter.setPen(palette().color(QPalette::Light));
    painter.drawText(box.translated(Px(1), Px(1)), kCaptionFlags, caption);
    painter.setPen(palette().color(QPalette::Dark));
    painter.drawText(box, kCaptionFlags, caption);
  } else {
    painter.setPen(hovered_ || pressed_ ? activeText_ : idleText_);
    painter.drawText(box, kCaptionFlags, caption);
  }
}

void ImageButton::PaintFocusRect(QPainter& painter, const QRect& rect) {
  if (rect.width() <= 0 || rect.height() <= 0) return;
  // A dotted rectangle of every other dot, inverted against what lies under it; a dot is
  // a pixel on the handheld and grows with the page.
  const int dot = Px(1);
  const QRect r(rect.topLeft(), QSize(rect.width() / dot * dot, rect.height() / dot * dot));
  const auto inverted = [&](int x, int y) {
    if (((x - r.left()) / dot + (y - r.top()) / dot + r.left() + r.top()) % 2 == 0) {
      painter.fillRect(x, y, dot, dot, Qt::white);
    }
  };
  painter.save();
  painter.setCompositionMode(QPainter::RasterOp_SourceXorDestination);
  const int right = r.right() + 1 - dot, bottom = r.bottom() + 1 - dot;
  for (int x = r.left(); x <= right; x += dot) {
    inverted(x, r.top());
    inverted(x, bottom);
  }
  for (int y = r.top() + dot; y < bottom; y += dot) {
    inverted(r.left(), y);
    inverted(right, y);
  }
  painter.restore();
}

bool ImageButton::event(QEvent* event) {
  if (event->type() == kPointerLeftEvent) {
    CancelHover();
    return true;
  }
  return QPushButton::event(event);
}

void ImageButton::changeEvent(QEvent* event) {
  QPushButton::changeEvent(event);
  // Qt moves the focus on by itself when a focused button is disabled.
  if ((event->type() == QEvent::EnabledChange && !isEnabled()) ||
      (event->type() == QEvent::ActivationChange && !isActiveWindow())) {
    CancelHover();
  }
}

void ImageButton::focusOutEvent(QFocusEvent* event) {
  QPushButton::focusOutEvent(event);
  CancelHover();
}

void ImageButton::hideEvent(QHideEvent* event) {
  QPushButton::hideEvent(event);
  CancelHover();
}

void ImageButton::mouseMoveEvent(QMouseEvent* event) {
  QPushButton::mouseMoveEvent(event);
  const QPoint global = event->globalPosition().toPoint();
  if ((event->buttons() & Qt::LeftButton) && !hovered_) return;
  if (!flat_) return;
  if (QApplication::widgetAt(global) != this || hovered_) return;
  hovered_ = true;
  update();
  hoverTimer_->start();
}

void ImageButton::CheckPointerLeft() {
  if (!rect().contains(mapFromGlobal(QCursor::pos()))) {
    QCoreApplication::postEvent(this, new QEvent(kPointerLeftEvent));
  }
}

void ImageButton::CancelHover() {
  if (!flat_) return;
  hoverTimer_->stop();
  if (hovered_) {
    hovered_ = false;
    update();
  }
}

void ImageButton::mousePressEvent(QMouseEvent* event) {
  if (event->button() == Qt::LeftButton) {
    // Show the pushed look at once, before the press is handled.
    setDown(true);
    repaint();
  }
  QPushButton::mousePressEvent(event);
}

void ImageButton::mouseDoubleClickEvent(QMouseEvent* event) {
  // The second tap of a double tap is a press of its own.
  mousePressEvent(event);
}

}  // namespace poirec
