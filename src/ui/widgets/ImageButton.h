#pragma once
// A push button that paints itself: an icon to the left of, above or to the right of a
// caption of one or more lines, in a flat look (a border only while the pointer is over
// it or it is pressed) or a 3-D look (always raised, framed in black when default). In
// both looks a focused button is framed in black with a dotted rectangle inside. The
// caption is the button's text(), so tools that find buttons by name see it.
#include <QColor>
#include <QPixmap>
#include <QPushButton>
#include <cstdint>

class QTimer;

namespace poirec {

enum ImagePlacement : std::uint8_t { ImageLeft = 0, ImageAbove = 1, ImageRight = 2 };

class ImageButton : public QPushButton {
  Q_OBJECT
 public:
  explicit ImageButton(QWidget* parent = nullptr);

  // Loads the icons ":/icons/<id>.svg" drawn at the size given (in logical pixels, sharp
  // at the screen's pixel ratio); an id of 0 leaves its slot empty, and so does an icon
  // that cannot be loaded.
  void LoadStateIcons(int activeId, int activeWidth, int activeHeight, int idleId = 0,
                      int idleWidth = 0, int idleHeight = 0, int disabledId = 0,
                      int disabledWidth = 0, int disabledHeight = 0);
  // Replaces all three icons. Without an active icon the button has no icon at all, even
  // when an idle or disabled one is given.
  void SetStateIcons(const QPixmap& active, int activeWidth, int activeHeight,
                     const QPixmap& idle = {}, int idleWidth = 0, int idleHeight = 0,
                     const QPixmap& disabled = {}, int disabledWidth = 0, int disabledHeight = 0);
  void SetFlatLook(bool flat, bool repaint);
  void SetImagePlacement(ImagePlacement placement, bool repaint);
  // The page's scale (PageScale): frames, margins, the focus mark and the pressed offset
  // grow by it. Icons and font are given at their size by the page.
  void SetScale(double scale);

  bool IsHovered() const { return hovered_; }

 protected:
  void paintEvent(QPaintEvent* event) override;
  bool event(QEvent* event) override;
  void changeEvent(QEvent* event) override;
  void focusOutEvent(QFocusEvent* event) override;
  void hideEvent(QHideEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseDoubleClickEvent(QMouseEvent* event) override;

 private:
  // An icon slot: the picture, drawn at its own size, and the size the layout reserves.
  struct StateIcon {
    QPixmap picture;
    int width = 0;
    int height = 0;
    bool IsEmpty() const { return picture.isNull(); }
  };

  // Back to the palette's button colours for every state.
  void ResetColors(bool repaint);
  // Where an icon of w x h goes inside item for the current placement; may shrink the
  // caption area. The corner moves by one pixel right and down while pressed.
  QPoint PlaceImage(bool hasCaption, const QRect& item, QRect& captionArea, bool pressed, int w,
                    int h) const;
  void PaintBorder(QPainter& painter, const QRect& rect);
  void PaintBackground(QPainter& painter, const QRect& rect);
  void PaintImage(QPainter& painter, bool hasCaption, const QRect& item, QRect& captionArea);
  void PaintCaption(QPainter& painter, const QString& caption, QRect area);
  void PaintFocusRect(QPainter& painter, const QRect& rect);
  void CheckPointerLeft();
  void CancelHover();
  void Repaint(bool repaint);
  // A length of the handheld's button at this button's scale.
  int Px(int pixels) const;

  bool flat_ = true;
  bool hovered_ = false;
  // Taken from the button's state at each paint.
  bool pressed_ = false;
  bool focused_ = false;
  bool disabled_ = false;
  ImagePlacement placement_ = ImageLeft;
  double scale_ = 1;
  QColor activeBack_, activeText_, idleBack_, idleText_, focusBack_;
  StateIcon activeIcon_, idleIcon_, disabledIcon_;
  QTimer* hoverTimer_;
};

}  // namespace poirec
