#include "ui/WaitCursor.h"

#include <QApplication>
#include <QCursor>

namespace poirec {

WaitCursor::WaitCursor() { QApplication::setOverrideCursor(QCursor(Qt::WaitCursor)); }

WaitCursor::~WaitCursor() { End(); }

void WaitCursor::Restore() {
  if (shown_) QApplication::changeOverrideCursor(QCursor(Qt::WaitCursor));
}

void WaitCursor::End() {
  if (!shown_) return;
  shown_ = false;
  QApplication::restoreOverrideCursor();
}

}  // namespace poirec
