#include "ui/TemplateLayout.h"

#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QWidget>
#include <gtest/gtest.h>

#include "ui/widgets/ImageButton.h"

namespace poirec {
namespace {

// The full-screen client area of a 240 x 320 screen.
const QSize kPage(240, 309);

TEST(TemplateLayout, ScalesDialogUnitsSoTheTemplateFillsThePage) {
  QWidget page;
  page.resize(kPage);
  TemplateLayout layout(LoadDialogTemplate(131), page, {});
  // Cancel spans 3..133 of 136 units across and 2..23 of 170 down.
  EXPECT_EQ(layout.Control(2)->geometry(), QRect(5, 4, 230, 38));
  const QRect topLeft = layout.Control(5)->geometry();
  const QRect topRight = layout.Control(7)->geometry();
  const QRect bottomRight = layout.Control(1000)->geometry();
  EXPECT_EQ(topLeft, QRect(5, 44, 115, 63));
  // Neighbours in the template touch on the page: no gap, no overlap.
  EXPECT_EQ(topRight.left(), topLeft.right() + 1);
  EXPECT_EQ(topRight.right(), layout.Control(2)->geometry().right());
  // The last row ends 3 units above the page's bottom edge, as in the template.
  EXPECT_EQ(bottomRight.bottom() + 1, 304);

  // A bigger page scales everything with it.
  page.resize(480, 629);
  layout.LayOut(page.size());
  EXPECT_EQ(layout.Control(2)->geometry(), QRect(11, 7, 458, 78));
  EXPECT_EQ(layout.Control(1000)->geometry().right() + 1, 469);
}

TEST(TemplateLayout, BuildsEachKindOfControlAndKeepsTheTabOrderOfTheTemplate) {
  QWidget page;
  page.resize(kPage);
  TemplateLayout layout(LoadDialogTemplate(138), page, {5, 1004, 1005});
  auto* exact = qobject_cast<ImageButton*>(layout.Control(5));
  ASSERT_NE(exact, nullptr);
  EXPECT_EQ(exact->text(), QStringLiteral("Exakt an Aufnahme"));
  EXPECT_TRUE(exact->isDefault());
  EXPECT_FALSE(qobject_cast<ImageButton*>(layout.Control(1004))->isDefault());
  // Buttons not named as image buttons are plain push buttons.
  EXPECT_EQ(qobject_cast<ImageButton*>(layout.Control(4)), nullptr);
  EXPECT_NE(qobject_cast<QPushButton*>(layout.Control(4)), nullptr);
  EXPECT_NE(qobject_cast<QGroupBox*>(layout.Control(1006)), nullptr);
  auto* name = qobject_cast<QLabel*>(layout.Control(1003));
  ASSERT_NE(name, nullptr);
  EXPECT_EQ(name->text(), QStringLiteral("..."));
  EXPECT_TRUE(name->wordWrap());
  EXPECT_NE(qobject_cast<QLabel*>(layout.Control(1007)), nullptr);
  EXPECT_EQ(layout.Control(1234), nullptr);

  // Tab moves through the tab stops in template order.
  std::vector<QWidget*> stops;
  for (int id : {5, 1005, 1004, 2, 4}) stops.push_back(layout.Control(id));
  for (std::size_t i = 0; i + 1 < stops.size(); ++i) {
    QWidget* next = stops[i]->nextInFocusChain();
    while (next->focusPolicy() != Qt::StrongFocus) next = next->nextInFocusChain();
    EXPECT_EQ(next, stops[i + 1]) << i;
  }
}

}  // namespace
}  // namespace poirec
