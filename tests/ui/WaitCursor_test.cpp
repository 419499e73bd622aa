#include "ui/WaitCursor.h"

#include <QApplication>
#include <QCursor>
#include <gtest/gtest.h>

namespace poirec {
namespace {

Qt::CursorShape Shown() {
  const QCursor* cursor = QApplication::overrideCursor();
  return cursor ? cursor->shape() : Qt::ArrowCursor;
}

TEST(WaitCursor, ShowsUntilEndedOnceAndLeavesOtherCursorsAlone) {
  QApplication::setOverrideCursor(QCursor(Qt::CrossCursor));  // someone else's
  {
    WaitCursor wait;
    EXPECT_EQ(Shown(), Qt::WaitCursor);
    wait.Restore();
    EXPECT_EQ(Shown(), Qt::WaitCursor);
    wait.End();
    EXPECT_EQ(Shown(), Qt::CrossCursor);
    wait.End();  // a second end, and the one at the end of the scope, remove nothing more
    wait.Restore();
    EXPECT_EQ(Shown(), Qt::CrossCursor);
  }
  EXPECT_EQ(Shown(), Qt::CrossCursor);
  { WaitCursor forgotten; }  // ends when it goes
  EXPECT_EQ(Shown(), Qt::CrossCursor);
  QApplication::restoreOverrideCursor();
  EXPECT_EQ(QApplication::overrideCursor(), nullptr);
}

}  // namespace
}  // namespace poirec
