#include "ui/CategoryDialog.h"

#include <QScreen>
#include <memory>

#include "ui/ButtonFont.h"
#include "ui/UiTestSupport.h"
#include "ui/widgets/ImageButton.h"

namespace poirec {
namespace {

constexpr std::int32_t kDeletePage = -2;  // what the page chose when it ran the delete page

class CategoryPage : public testing::Test {
 protected:
  // Categories "a", "b", "c", ...; the nested pages only note what was chosen.
  CategoryDialog& Open(int categories = 0) {
    for (int i = 0; i < categories; ++i) {
      run.folder.Write(std::string("pois/") + char('a' + i) + ".asc", "");
    }
    CategoryDialog::NestedPages pages;
    pages.insert = [this] { return selected = run.state.selectedCategoryIndex, insertResult; };
    pages.remove = [this] { return selected = kDeletePage, deleteResult; };
    page = std::make_unique<CategoryDialog>(run.state, pages);
    return *page;
  }
  // The first letter of each slot's caption, "-" for a cleared slot.
  QString Captions() const {
    QString shown;
    for (int i = 0; i < CategoryDialog::kSlotCount; ++i) shown += (page->Slot(i).text() + "-")[0];
    return shown;
  }
  void Press(int slot) { QTest::mouseClick(&page->Slot(slot), Qt::LeftButton); }

  test::Run run;
  std::unique_ptr<CategoryDialog> page;
  std::int32_t selected = -1;
  int insertResult = kResultBack, deleteResult = kResultBack;
};

// Each row presses a slot, or opens the page anew, and gives the page shown then and the
// category the press chose (-1: none; slot 0 of the first page runs the delete page).
TEST_F(CategoryPage, PagesThroughTheCategoriesAndSelectsTheCategoryOfTheSlotPressed) {
  struct Step {
    int categories, press;  // the slot pressed; -1 opens a page on that many categories
    int start, end;
    const char* captions;  // D: delete, P: previous, N: next, -: cleared
    int selects = -1;
  };
  // With 8 categories, 8 is past the end, so Next on the last page shows the first;
  // Previous on the first page asks for -6, which is the last six, and then -4, the same.
  // With 13, Next goes 0, 5, 11, 0, and Previous from the first page 7, 1, 7, 1, ...
  const Step steps[] = {
      {0, -1, 0, 0, "D-------"}, {5, -1, 0, 5, "Dabcde--"}, {7, -1, 0, 7, "Dabcdefg"},
      {7, 7, 0, 7, "Dabcdefg", 6}, {8, -1, 0, 5, "DabcdePN"},
      {8, 0, 0, 5, "DabcdePN", kDeletePage}, {8, 7, 5, 8, "fgh---PN"},
      {8, 3, 5, 8, "fgh---PN"}, {8, 0, 5, 8, "fgh---PN", 5}, {8, 7, 0, 5, "DabcdePN"},
      {8, 7, 5, 8, "fgh---PN"}, {8, 6, 0, 5, "DabcdePN"}, {8, 6, 2, 8, "cdefghPN"},
      {8, 6, 2, 8, "cdefghPN"}, {8, 7, 0, 5, "DabcdePN"}, {13, -1, 0, 5, "DabcdePN"},
      {13, 1, 0, 5, "DabcdePN", 0}, {13, 5, 0, 5, "DabcdePN", 4}, {13, 7, 5, 11, "fghijkPN"},
      {13, 0, 5, 11, "fghijkPN", 5}, {13, 5, 5, 11, "fghijkPN", 10},
      {13, 7, 11, 13, "lm----PN"}, {13, 1, 11, 13, "lm----PN", 12},
      {13, 2, 11, 13, "lm----PN"}, {13, 5, 11, 13, "lm----PN"}, {13, 6, 5, 11, "fghijkPN"},
      {13, 7, 11, 13, "lm----PN"}, {13, 7, 0, 5, "DabcdePN"}, {13, 6, 7, 13, "hijklmPN"},
      {13, 6, 1, 7, "bcdefgPN"}, {13, 0, 1, 7, "bcdefgPN", 1}, {13, 6, 7, 13, "hijklmPN"},
      {13, 6, 1, 7, "bcdefgPN"}, {13, 7, 7, 13, "hijklmPN"}, {13, 7, 0, 5, "DabcdePN"}};
  for (std::size_t row = 0; row < std::size(steps); ++row) {
    const Step& step = steps[row];
    selected = -1;
    if (step.press < 0) Open(step.categories);
    if (step.press >= 0) Press(step.press);
    EXPECT_EQ(run.state.pageStart, step.start) << "row " << row;
    EXPECT_EQ(run.state.pageEnd, step.end) << "row " << row;
    EXPECT_EQ(Captions(), step.captions) << "row " << row;
    EXPECT_EQ(selected, step.selects) << "row " << row;
  }
  EXPECT_EQ(page->Slot(0).text(), "Delete nearest POI");
  EXPECT_EQ(page->Slot(6).text(), "Previous\nPage");
  EXPECT_EQ(page->Slot(7).text(), "Next\nPage");
}

TEST_F(CategoryPage, EndsOnlyWithDoneFromANestedPageOrCancelEscapeAndTheCloseBox) {
  for (int slot : {0, 3}) {  // the delete page, the insert page for the third category
    insertResult = deleteResult = kResultBack;
    Open(3).show();
    Press(slot);
    EXPECT_TRUE(page->isVisible()) << slot;
    insertResult = deleteResult = kResultDone;
    Press(slot);
    EXPECT_FALSE(page->isVisible()) << slot;
    EXPECT_EQ(page->result(), kResultDone) << slot;
    EXPECT_EQ(selected, slot == 0 ? kDeletePage : 2) << slot;
  }

  for (int way = 0; way < 3; ++way) {  // Cancel, Escape, the close box
    Open().show();
    if (way == 0) test::Press(*page, "Cancel");
    if (way == 1) QTest::keyClick(page.get(), Qt::Key_Escape);
    if (way == 2) page->close();
    EXPECT_FALSE(page->isVisible()) << way;
    EXPECT_EQ(page->result(), kResultDone) << way;
    // Only the close box lets go of the button font.
    EXPECT_EQ(run.state.buttonFont.IsEmpty(), way == 2) << way;
  }
}

TEST_F(CategoryPage, FillsTheScreenWithPicturesAboveNamesInTheButtonFont) {
  const std::string name34 = "abcdefghijklmnopqrstuvwxyz01234567";
  const std::string name35 = "Z" + name34;
  run.AddCategory("a\xC2\xB0" "b", "", test::kRed);  // "a°b"
  run.AddCategory(name34, "", QColor());
  run.AddCategory(name35, "", QColor());
  CategoryDialog& shown = Open();
  // Sorted by character codes: "Z..." before "abc..." before "a°b".
  EXPECT_EQ(shown.Slot(1).text(), ".." + QString::fromStdString(name35).right(32));
  EXPECT_EQ(shown.Slot(2).text(), QString::fromStdString(name34));
  EXPECT_EQ(shown.Slot(3).text(), "a b");
  EXPECT_EQ(shown.Slot(1).font(), ButtonFont({u"Arial", 12, 400}));

  test::Activate(shown);
  const QSize screen = shown.screen()->geometry().size();
  EXPECT_EQ(shown.geometry(), QRect(0, 0, screen.width(), screen.height() - 11));
  EXPECT_EQ(test::BoundsOf(test::Grab(shown.Slot(3)), test::kRed),
            QRect((shown.Slot(3).width() - 22) / 2, 3, 22, 22));
}

}  // namespace
}  // namespace poirec
