#include "ui/CategoryDialog.h"

#include <QApplication>
#include <QFontMetrics>
#include <QScreen>
#include <algorithm>
#include <cctype>
#include <filesystem>
#include <memory>
#include <tuple>

#include "ui/ButtonFont.h"
#include "ui/UiTestSupport.h"
#include "ui/widgets/ImageButton.h"

namespace poirec {
namespace {

constexpr std::int32_t kDeletePage = -2;  // what the page chose when it ran the delete page

class CategoryPage : public testing::Test {
 protected:
  // Shows the page on categories "a", "b", "c", ...; the nested pages only note what was
  // chosen and give nestedResult.
  CategoryDialog& Open(int categories = 0) {
    for (int i = 0; i < categories; ++i) {
      run.folder.Write(std::string("pois/") + char('a' + i) + ".asc", "");
    }
    CategoryDialog::NestedPages pages;
    pages.insert = [this] { return selected = run.state.selectedCategoryIndex, nestedResult; };
    pages.remove = [this] { return selected = kDeletePage, nestedResult; };
    page = std::make_unique<CategoryDialog>(run.state, pages);
    test::Activate(*page);  // active, so that its keys reach it
    return *page;
  }
  void Press(int slot) { QTest::mouseClick(&page->Slot(slot), Qt::LeftButton); }

  test::Run run;
  std::unique_ptr<CategoryDialog> page;
  std::int32_t selected = -1;
  int nestedResult = kResultBack;
};

// Each row opens a page on that many categories at its start, presses a slot (0 to 7) or a
// key, and gives the captions shown then and the category chosen (-1: none), after which the
// nested page's Back leaves the page open. The captions give the page's first and end
// category: "fgh---PN" shows 5 up to 8. Previous from start s asks for s - 6: -1 is the first
// page, other negative starts the last six; starts at or past the end the first page.
TEST_F(CategoryPage, EachPressOrKeyShowsItsPageOrSelectsTheCategoryOfItsSlot) {
  constexpr int kKeypad = Qt::KeypadModifier;
  const struct {
    int categories, start, press;  // press: a slot, a key, or -1 for none
    const char* captions;          // D: delete, P: previous, N: next, -: cleared
    int selects = -1;
  } rows[] = {
      {0, 0, -1, "D-------"},
      {5, 0, -1, "Dabcde--"},
      {5, 0, Qt::Key_1, "Dabcde--", kDeletePage},
      {5, 0, Qt::Key_2, "Dabcde--", 0},
      {5, 0, Qt::Key_6 | kKeypad, "Dabcde--", 4},
      {5, 0, Qt::Key_7, "Dabcde--"},  // a cleared slot
      {5, 0, Qt::Key_9, "Dabcde--"},  // 9 and 0 are no slot
      {5, 0, Qt::Key_0, "Dabcde--"},
      {5, 0, Qt::Key_PageDown, "Dabcde--"},  // no page to turn
      {5, 0, Qt::Key_PageUp, "Dabcde--"},
      {7, 0, 7, "Dabcdefg", 6},
      {8, 0, 0, "DabcdePN", kDeletePage},
      {8, 0, 7, "fgh---PN"},
      {8, 5, 3, "fgh---PN"},
      {8, 5, 0, "fgh---PN", 5},
      {8, 5, 7, "DabcdePN"},
      {8, 5, 6, "DabcdePN"},
      {8, 0, 6, "cdefghPN"},
      {8, 2, 6, "cdefghPN"},
      {8, 2, 7, "DabcdePN"},
      {13, 0, 1, "DabcdePN", 0},
      {13, 0, 5, "DabcdePN", 4},
      {13, 0, 7, "fghijkPN"},
      {13, 0, Qt::Key_PageDown, "fghijkPN"},
      {13, 0, 6, "hijklmPN"},
      {13, 0, Qt::Key_PageUp, "hijklmPN"},
      {13, 5, 0, "fghijkPN", 5},
      {13, 5, Qt::Key_1, "fghijkPN", 5},
      {13, 5, 5, "fghijkPN", 10},
      {13, 5, Qt::Key_6, "fghijkPN", 10},
      {13, 5, 7, "lm----PN"},
      {13, 5, Qt::Key_8, "lm----PN"},
      {13, 5, Qt::Key_PageDown, "lm----PN"},
      {13, 5, Qt::Key_PageUp, "DabcdePN"},
      {13, 11, 1, "lm----PN", 12},
      {13, 11, Qt::Key_2 | kKeypad, "lm----PN", 12},
      {13, 11, 2, "lm----PN"},
      {13, 11, Qt::Key_3, "lm----PN"},
      {13, 11, 6, "fghijkPN"},
      {13, 11, Qt::Key_7, "fghijkPN"},
      {13, 11, Qt::Key_PageUp, "fghijkPN"},
      {13, 11, 7, "DabcdePN"},
      {13, 7, 6, "bcdefgPN"},
      {13, 7, 7, "DabcdePN"},
      {13, 1, 0, "bcdefgPN", 1},
      {13, 1, 6, "hijklmPN"},
      {13, 1, 7, "hijklmPN"},
  };
  for (const auto& row : rows) {
    const std::string where = std::to_string(row.categories) + " from " +
                              std::to_string(row.start) + ", " + std::to_string(row.press);
    for (const auto& entry : std::filesystem::directory_iterator(run.folder.Path() / "pois")) {
      std::filesystem::remove(entry.path());  // this row's categories only
    }
    selected = -1;
    Open(row.categories).ShowPage(row.start);
    if (row.press >= 0 && row.press < CategoryDialog::kSlotCount) Press(row.press);
    if (row.press >= CategoryDialog::kSlotCount) {
      QTest::keyClick(page.get(), Qt::Key(row.press & ~Qt::KeyboardModifierMask),
                      Qt::KeyboardModifiers(row.press & Qt::KeyboardModifierMask));
    }
    const std::string captions = row.captions;
    const int first = captions[0] == 'D' ? 0 : captions[0] - 'a';
    const auto shownCategories = std::count_if(captions.begin(), captions.end(), islower);
    EXPECT_EQ(std::tuple(run.state.pageStart, run.state.pageEnd),
              std::tuple(first, first + shownCategories))
        << where;
    QString shown;  // the first letter of each slot's caption, "-" for a cleared slot
    for (int i = 0; i < CategoryDialog::kSlotCount; ++i) shown += (page->Slot(i).text() + "-")[0];
    EXPECT_EQ(shown, QString::fromStdString(captions)) << where;
    EXPECT_EQ(selected, row.selects) << where;
    EXPECT_TRUE(page->isVisible()) << where;
  }
  Open(8);
  EXPECT_EQ(page->Slot(0).text(), "Delete nearest POI");
  EXPECT_EQ(page->Slot(6).text(), "Previous\nPage");
  EXPECT_EQ(page->Slot(7).text(), "Next\nPage");
}

TEST_F(CategoryPage, EndsWithDoneFromANestedPageOrCancelEscapeAndTheCloseBox) {
  nestedResult = kResultDone;
  for (int way = 0; way < 5; ++way) {  // delete, insert, Cancel, Escape, the close box
    Open(3);
    if (way < 2) Press(way == 0 ? 0 : 3);
    if (way == 2) test::Press(*page, "Cancel");
    if (way == 3) QTest::keyClick(page.get(), Qt::Key_Escape);
    if (way == 4) page->close();
    EXPECT_FALSE(page->isVisible()) << way;
    EXPECT_EQ(page->result(), kResultDone) << way;
    // Only the close box lets go of the button font.
    EXPECT_EQ(run.state.buttonFont.IsEmpty(), way == 4) << way;
  }
}

// Return is the page's OK: while no button has been chosen it ends the page with "back"
// (and so the run, without a record); a button that has the focus takes it as a press.
TEST_F(CategoryPage, ReturnEndsAnUntouchedPageWithBackAndPressesAFocusedButton) {
  const std::tuple<Qt::Key, Qt::KeyboardModifiers, int> keys[] = {
      {Qt::Key_Return, Qt::NoModifier, -1},
      {Qt::Key_Enter, Qt::KeypadModifier, -1},
      {Qt::Key_Return, Qt::NoModifier, 2}};
  for (const auto& [key, modifiers, focusedSlot] : keys) {
    selected = -1;
    Open(3);
    test::Activate(*page);
    for (int slot = 0; slot < CategoryDialog::kSlotCount; ++slot) {
      EXPECT_FALSE(page->Slot(slot).isDefault()) << "slot " << slot << " is framed";
    }
    if (focusedSlot >= 0) page->Slot(focusedSlot).setFocus();
    ASSERT_NE(QApplication::focusWidget(), nullptr);
    QTest::keyClick(QApplication::focusWidget(), key, modifiers);
    EXPECT_EQ(page->isVisible(), focusedSlot >= 0) << focusedSlot;
    EXPECT_EQ(page->result(), focusedSlot < 0 ? kResultBack : 0) << focusedSlot;
    EXPECT_EQ(selected, focusedSlot < 0 ? -1 : focusedSlot - 1);  // category "b" in slot 2
  }
}

TEST_F(CategoryPage, FillsTheScreenWithPicturesAboveNamesInTheButtonFont) {
  const std::string name34 = "abcdefghijklmnopqrstuvwxyz01234567";
  const std::string name35 = "Z" + name34;
  run.AddCategory(
      "a\xC2\xB0"
      "b",
      "", test::kRed);  // "a°b"
  run.AddCategory(name34, "", test::kBlue);
  run.AddCategory(name35, "", test::kBlue);
  run.AddCategory("b\xE9t", "", test::kBlue);  // Windows-1252 on disk
  CategoryDialog& shown = Open();
  EXPECT_EQ(shown.windowTitle(), "Categories");
  EXPECT_EQ(test::AccessibleName(shown), "Categories");
  // Sorted by character codes: "Z..." before "abc..." before "a°b" before "b\xE9t".
  EXPECT_EQ(shown.Slot(1).text(), ".." + QString::fromStdString(name35).right(32));
  EXPECT_EQ(shown.Slot(2).text(), QString::fromStdString(name34));
  EXPECT_EQ(shown.Slot(3).text(), "a b");
  EXPECT_EQ(shown.Slot(4).text(), u"b\u00E9t");
  EXPECT_EQ(shown.Slot(1).font(), ButtonFont({u"Arial", 12, 400}));

  const QSize screen = shown.screen()->geometry().size();
  EXPECT_EQ(shown.geometry(), QRect(0, 0, screen.width(), screen.height() - 11));
  EXPECT_EQ(test::BoundsOf(test::Grab(shown.Slot(3)), test::kRed),
            QRect((shown.Slot(3).width() - 22) / 2, 3, 22, 22));
}

// A font's height of 12 is its cell, ascent plus descent, not its em: the captions' lines
// are 12 pixels high, and the next pixel size up would make them taller.
TEST(ButtonFont, IsTheLargestArialWhoseLinesAreTwelvePixelsHigh) {
  FontDescription description;
  CreateButtonFont(description);
  QFont font = ButtonFont(description);
  EXPECT_EQ(std::tuple(font.family(), font.weight()), std::tuple("Arial", QFont::Normal));
  EXPECT_EQ(QFontMetrics(font).height(), 12);
  font.setPixelSize(font.pixelSize() + 1);
  EXPECT_GT(QFontMetrics(font).height(), 12);
  EXPECT_EQ(ButtonFont(FontDescription{}), QFont());  // no font held: the page's own
}

}  // namespace
}  // namespace poirec
