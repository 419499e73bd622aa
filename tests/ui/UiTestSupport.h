#pragma once
// Pixel helpers for the screens' tests.
#include <QColor>
#include <QImage>
#include <QPalette>
#include <QRect>
#include <functional>

class QWidget;

namespace poirec::test {

inline const QColor kFace(192, 192, 192);
inline const QColor kHighlight(255, 255, 255);
inline const QColor kShadow(128, 128, 128);
inline const QColor kText(0, 0, 0);

QPalette ClassicPalette();

// What the widget shows, one image pixel per widget pixel.
QImage Grab(QWidget& widget);

// The smallest rectangle holding every pixel of the area that matches; empty when none.
QRect Bounds(const QImage& image, const std::function<bool(QRgb)>& matches,
             QRect area = QRect());
QRect BoundsOf(const QImage& image, const QColor& colour, QRect area = QRect());

// Makes the widget's window the active one, so focus can be given inside it.
void Activate(QWidget& window);

}  // namespace poirec::test
