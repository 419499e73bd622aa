#include "ui/CategoryDialog.h"

#include <filesystem>
#include <memory>

#include "ui/CategoryPaging.h"
#include "ui/UiTestSupport.h"
#include "ui/widgets/ImageButton.h"

namespace poirec {
namespace {

class CategoryPage : public testing::Test {
 protected:
  // Shows the page on categories "a", "b", "c", ... only (none: on those of the run); the
  // nested pages only note what was chosen and give nestedResult.
  CategoryDialog& Open(int categories = 0) {
    if (categories > 0) std::filesystem::remove_all(run.folder.Path() / "pois");
    for (int i = 0; i < categories; ++i) {
      run.folder.Write(std::string("pois/") + char('a' + i) + ".asc", "");
    }
    selected = -1;
    CategoryDialog::NestedPages pages;
    pages.insert = [this] { return selected = run.state.selectedCategoryIndex, nestedResult; };
    pages.remove = [this] { return selected = kDeleteSlot, nestedResult; };
    page = std::make_unique<CategoryDialog>(run.state, pages);
    test::Activate(*page);  // active, so that its keys reach it
    return *page;
  }

  test::Run run;
  std::unique_ptr<CategoryDialog> page;
  std::int32_t selected = -1;
  int nestedResult = kResultBack;
};

// Each row starts a page at start of that many categories and presses a slot, which shows
// a page or chooses a category (-1: none; the delete page counts as kDeleteSlot). Previous
// from start s asks for s - 6: -1 is the first page, other negative starts the last six;
// starts at or past the end the first page. Where a row gives a key, the category page does
// the same on it: the digits 1 to 8 (also on the keypad), Page Up and Page Down.
TEST_F(CategoryPage, EachPressShowsItsPageOrChoosesTheCategoryOfItsSlot) {
  constexpr int kKeypad = Qt::KeypadModifier;
  const struct {
    int categories, start, slot;
    const char* shown;
    int chooses = -1, key = 0;
  } rows[] = {
      // clang-format off
      {0, 0, 1, "D-------"}, {5, 0, 0, "Dabcde--", kDeleteSlot, Qt::Key_1},
      {5, 0, 1, "Dabcde--", 0}, {5, 0, 5, "Dabcde--", 4, Qt::Key_6 | kKeypad},
      {5, 0, 6, "Dabcde--", -1, Qt::Key_7}, {7, 0, 7, "Dabcdefg", 6},
      {8, 0, 0, "DabcdePN", kDeleteSlot}, {8, 0, 7, "fgh---PN", -1, Qt::Key_PageDown},
      {8, 5, 3, "fgh---PN"}, {8, 5, 0, "fgh---PN", 5}, {8, 5, 7, "DabcdePN"}, {8, 5, 6, "DabcdePN"},
      {8, 0, 6, "cdefghPN"}, {8, 2, 7, "DabcdePN"}, {13, 0, 7, "fghijkPN", -1, Qt::Key_8},
      {13, 0, 6, "hijklmPN", -1, Qt::Key_PageUp}, {13, 5, 5, "fghijkPN", 10}, {13, 5, 7, "lm----PN"},
      {13, 11, 1, "lm----PN", 12}, {13, 11, 2, "lm----PN"}, {13, 11, 6, "fghijkPN"},
      {13, 11, 7, "DabcdePN"}, {13, 7, 6, "bcdefgPN"}, {13, 1, 0, "bcdefgPN", 1},
      {13, 1, 6, "hijklmPN"}, {13, 1, 7, "hijklmPN"},
      // clang-format on
  };
  for (const auto& row : rows) {
    CategoryPageSlots model = CategoryPageAt(row.categories, row.start);
    const SlotPress press = PressCategorySlot(model, row.categories, row.slot);
    if (model.shows[static_cast<std::size_t>(row.slot)] < kDeleteSlot) {
      model = CategoryPageAt(row.categories, press.next);
    }
    std::string shown;  // D delete, P previous, N next, - empty, a, b, ... the categories
    for (const std::int32_t slot : model.shows)
      shown += slot >= 0 ? char('a' + slot) : "-DPN"[-1 - slot];
    const std::string where = std::to_string(row.categories) + " from " +
                              std::to_string(row.start) + ", " + std::to_string(row.slot);
    EXPECT_EQ(shown, row.shown) << where;  // a wrong start or end shows in the next row
    EXPECT_EQ(press.chosen, row.chooses) << where;
    if (row.key == 0) continue;
    Open(row.categories);
    QTest::keyClick(page.get(), Qt::Key(row.key & ~Qt::KeyboardModifierMask),
                    Qt::KeyboardModifiers(row.key & Qt::KeyboardModifierMask));
    QString captions;  // the first letter of each slot's caption, "-" for a cleared slot
    for (int i = 0; i < CategoryDialog::kSlotCount; ++i)
      captions += (page->Slot(i).text() + "-")[0];
    EXPECT_EQ(captions, QString::fromStdString(row.shown)) << where;
    EXPECT_EQ(selected, row.chooses) << where;
    EXPECT_TRUE(page->isVisible()) << where;  // the nested page's Back leaves it open
  }
}

TEST_F(CategoryPage, EndsWithDoneFromANestedPageOrCancelEscapeAndTheCloseBox) {
  nestedResult = kResultDone;
  for (int way = 0; way < 5; ++way) {  // delete, insert, Cancel, Escape, the close box
    Open(3);
    if (way < 2) QTest::mouseClick(&page->Slot(way == 0 ? 0 : 3), Qt::LeftButton);
    if (way == 2) test::Press(*page, "Cancel");
    if (way == 3) QTest::keyClick(page.get(), Qt::Key_Escape);
    if (way == 4) page->close();
    EXPECT_FALSE(page->isVisible()) << way;
    EXPECT_EQ(page->result(), kResultDone) << way;
    // Only the close box lets go of the button font.
    EXPECT_EQ(run.state.buttonFont.IsEmpty(), way == 4) << way;
  }
}

TEST_F(CategoryPage, ShowsTheNamesSortedAndShortened) {
  const std::string name34 = "abcdefghijklmnopqrstuvwxyz01234567";
  const std::string name35 = "Z" + name34;
  run.AddCategory(name34, "", test::kBlue);
  run.AddCategory(name35, "", test::kBlue);
  run.AddCategory("b\xE9t", "", test::kBlue);  // Windows-1252 on disk
  CategoryDialog& shown = Open();
  EXPECT_EQ(test::AccessibleName(shown), "Categories");
  // Sorted by character codes: "Z..." before "abc..." before "b\xE9t".
  EXPECT_EQ(shown.Slot(1).text(), ".." + QString::fromStdString(name35).right(32));
  EXPECT_EQ(shown.Slot(2).text(), QString::fromStdString(name34));
  EXPECT_EQ(shown.Slot(3).text(), u"b\u00E9t");
}

}  // namespace
}  // namespace poirec
