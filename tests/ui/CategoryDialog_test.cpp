#include "ui/CategoryDialog.h"

#include <QGuiApplication>
#include <QImage>
#include <QScreen>
#include <QTest>
#include <gtest/gtest.h>
#include <memory>
#include <string>
#include <vector>

#include "session/DialogResult.h"
#include "support/TempFolder.h"
#include "ui/UiTestSupport.h"
#include "ui/widgets/ImageButton.h"

namespace poirec {
namespace {

const QString kDelete = QStringLiteral("Delete nearest POI");
const QString kPrevious = QStringLiteral("Previous\nPage");
const QString kNext = QStringLiteral("Next\nPage");
const QString kCleared;

// "c00", "c01", ...: names that sort in the order of their numbers.
std::string CategoryName(int index) {
  return (index < 10 ? "c0" : "c") + std::to_string(index);
}

QString C(int index) { return QString::fromStdString(CategoryName(index)); }

class CategoryPage : public testing::Test {
 protected:
  CategoryPage() {
    folder.MakeFolder("pois");
    state.folders.program = folder.Folder();
    state.selectedCategoryIndex = -99;  // nothing chosen yet
  }

  void AddCategories(int count) {
    for (int i = 0; i < count; ++i) AddCategory(CategoryName(i));
  }
  void AddCategory(const std::string& name) { folder.Write("pois/" + name + ".asc", ""); }
  // A 22 x 22 picture of one colour beside the category's file.
  void AddPicture(const std::string& name, const QColor& colour) {
    QImage picture(22, 22, QImage::Format_RGB32);
    picture.fill(colour);
    const std::filesystem::path path = folder.Path() / "pois" / (name + ".bmp");
    ASSERT_TRUE(picture.save(QString::fromStdString(path.string()), "BMP"));
  }

  CategoryDialog& Open() {
    CategoryDialog::NestedPages pages;
    pages.insert = [this] {
      insertedFor.push_back(state.selectedCategoryIndex);
      return insertResult;
    };
    pages.remove = [this] {
      ++deletePagesRun;
      return deleteResult;
    };
    dialog = std::make_unique<CategoryDialog>(state, pages);
    return *dialog;
  }

  std::vector<QString> Captions() const {
    std::vector<QString> captions;
    for (int slot = 0; slot < CategoryDialog::kSlotCount; ++slot) {
      captions.push_back(dialog->Slot(slot).text());
    }
    return captions;
  }
  void Press(int slot) { QTest::mouseClick(&dialog->Slot(slot), Qt::LeftButton); }
  // The start of the page shown after pressing a slot.
  int StartAfterPressing(int slot) {
    Press(slot);
    return state.pageStart;
  }

  test::TempFolder folder;
  ProcessState state;
  std::unique_ptr<CategoryDialog> dialog;
  std::vector<std::int32_t> insertedFor;
  int insertResult = kResultBack;
  int deleteResult = kResultBack;
  int deletePagesRun = 0;
};

using Slots = std::vector<QString>;

TEST_F(CategoryPage, WithoutCategoriesShowsOnlyTheDeleteAction) {
  Open();
  EXPECT_EQ(Captions(), (Slots{kDelete, kCleared, kCleared, kCleared, kCleared, kCleared,
                                  kCleared, kCleared}));
  EXPECT_EQ(state.pageStart, 0);
  EXPECT_EQ(state.pageEnd, 0);
}

TEST_F(CategoryPage, UpToSevenCategoriesFitOnOnePageWithoutPaging) {
  AddCategories(5);
  Open();
  EXPECT_EQ(Captions(), (Slots{kDelete, C(0), C(1), C(2), C(3), C(4), kCleared, kCleared}));
  EXPECT_EQ(state.pageEnd, 5);

  AddCategories(7);
  dialog.reset();
  Open();
  EXPECT_EQ(Captions(), (Slots{kDelete, C(0), C(1), C(2), C(3), C(4), C(5), C(6)}));
  EXPECT_EQ(state.pageEnd, 7);
  // Slot 7 is a category here: it selects the seventh category, it does not page.
  Press(7);
  Press(6);
  EXPECT_EQ(insertedFor, (std::vector<std::int32_t>{6, 5}));
  EXPECT_EQ(state.pageStart, 0);
}

TEST_F(CategoryPage, EightCategoriesPageForwardsAndBackwards) {
  AddCategories(8);
  Open();
  EXPECT_EQ(Captions(), (Slots{kDelete, C(0), C(1), C(2), C(3), C(4), kPrevious, kNext}));
  EXPECT_EQ(state.pageEnd, 5);

  EXPECT_EQ(StartAfterPressing(7), 5);
  EXPECT_EQ(Captions(), (Slots{C(5), C(6), C(7), kCleared, kCleared, kCleared, kPrevious,
                                  kNext}));
  EXPECT_EQ(state.pageEnd, 8);
  // Clearing stops short of the paging buttons, which keep the page's font.
  EXPECT_EQ(dialog->Slot(6).font(), dialog->font());
  EXPECT_EQ(dialog->Slot(7).font(), dialog->font());
  EXPECT_EQ(StartAfterPressing(7), 0);  // 8 is past the end: the first page
  EXPECT_EQ(StartAfterPressing(7), 5);
  EXPECT_EQ(StartAfterPressing(6), 0);  // -1 is the first page

  // Previous from the first page asks for -6, which is the last six.
  EXPECT_EQ(StartAfterPressing(6), 2);
  EXPECT_EQ(Captions(), (Slots{C(2), C(3), C(4), C(5), C(6), C(7), kPrevious, kNext}));
  EXPECT_EQ(state.pageEnd, 8);
  EXPECT_EQ(StartAfterPressing(6), 2);  // -4 gives the same page again
  EXPECT_EQ(StartAfterPressing(7), 0);
}

TEST_F(CategoryPage, ThirteenCategoriesCycleAsThePagingButtonsSay) {
  AddCategories(13);
  Open();
  EXPECT_EQ(Captions(), (Slots{kDelete, C(0), C(1), C(2), C(3), C(4), kPrevious, kNext}));

  // Next: 0, 5, 11, 0.
  EXPECT_EQ(StartAfterPressing(7), 5);
  EXPECT_EQ(Captions(), (Slots{C(5), C(6), C(7), C(8), C(9), C(10), kPrevious, kNext}));
  EXPECT_EQ(state.pageEnd, 11);
  EXPECT_EQ(StartAfterPressing(7), 11);
  EXPECT_EQ(Captions(), (Slots{C(11), C(12), kCleared, kCleared, kCleared, kCleared,
                                  kPrevious, kNext}));
  EXPECT_EQ(state.pageEnd, 13);
  EXPECT_EQ(StartAfterPressing(6), 5);
  EXPECT_EQ(StartAfterPressing(7), 11);
  EXPECT_EQ(StartAfterPressing(7), 0);

  // Previous from the first page: 7, 1, 7, 1, ... and never the first page again.
  EXPECT_EQ(StartAfterPressing(6), 7);
  EXPECT_EQ(Captions(), (Slots{C(7), C(8), C(9), C(10), C(11), C(12), kPrevious, kNext}));
  EXPECT_EQ(state.pageEnd, 13);
  EXPECT_EQ(StartAfterPressing(6), 1);
  EXPECT_EQ(Captions(), (Slots{C(1), C(2), C(3), C(4), C(5), C(6), kPrevious, kNext}));
  EXPECT_EQ(state.pageEnd, 7);
  EXPECT_EQ(StartAfterPressing(6), 7);
  EXPECT_EQ(StartAfterPressing(6), 1);
  EXPECT_EQ(StartAfterPressing(7), 7);
  EXPECT_EQ(StartAfterPressing(7), 0);
}

TEST_F(CategoryPage, EachSlotSelectsItsCategoryAndBackKeepsThePage) {
  AddCategories(13);
  Open();
  for (int slot = 1; slot <= 5; ++slot) Press(slot);
  EXPECT_EQ(insertedFor, (std::vector<std::int32_t>{0, 1, 2, 3, 4}));
  EXPECT_EQ(deletePagesRun, 0);

  insertedFor.clear();
  Press(7);  // the page that starts at 5
  for (int slot = 0; slot <= 5; ++slot) Press(slot);
  EXPECT_EQ(insertedFor, (std::vector<std::int32_t>{5, 6, 7, 8, 9, 10}));
  EXPECT_EQ(deletePagesRun, 0);  // slot 0 of a later page is a category
  // Back from the insert page leaves this page as it was.
  EXPECT_EQ(state.pageStart, 5);
  EXPECT_EQ(Captions()[0], C(5));
  EXPECT_EQ(dialog->result(), 0);
}

TEST_F(CategoryPage, PressingAClearedSlotSelectsNothing) {
  AddCategories(8);
  Open();
  Press(7);  // c5 c6 c7, then three cleared slots
  state.selectedCategoryIndex = 2;
  for (int slot = 3; slot <= 5; ++slot) Press(slot);
  EXPECT_TRUE(insertedFor.empty());
  EXPECT_EQ(state.selectedCategoryIndex, 2);
  EXPECT_EQ(state.pageStart, 5);
}

TEST_F(CategoryPage, PressingAClearedSlotOfTheFirstPageSelectsNothing) {
  AddCategories(1);
  Open();
  for (int slot = 2; slot <= 7; ++slot) Press(slot);
  EXPECT_TRUE(insertedFor.empty());
  EXPECT_EQ(state.selectedCategoryIndex, -99);
  Press(1);
  EXPECT_EQ(insertedFor, (std::vector<std::int32_t>{0}));
}

TEST_F(CategoryPage, TheDeleteActionAndTheInsertPageEndThisPageOnlyWithDone) {
  AddCategories(3);
  Open().show();
  Press(0);
  EXPECT_EQ(deletePagesRun, 1);
  EXPECT_TRUE(dialog->isVisible());  // back from the delete page

  deleteResult = kResultDone;
  Press(0);
  EXPECT_EQ(deletePagesRun, 2);
  EXPECT_FALSE(dialog->isVisible());
  EXPECT_EQ(dialog->result(), kResultDone);

  insertResult = kResultDone;
  Open().show();
  Press(3);
  EXPECT_EQ(insertedFor, (std::vector<std::int32_t>{2}));
  EXPECT_EQ(dialog->result(), kResultDone);
}

TEST_F(CategoryPage, CancelEscapeAndTheCloseBoxEndThePageWithDone) {
  Open().show();
  QTest::mouseClick(&dialog->CancelButton(), Qt::LeftButton);
  EXPECT_EQ(dialog->result(), kResultDone);
  EXPECT_FALSE(state.buttonFont.IsEmpty());  // only the close box lets go of the font

  Open().show();
  QTest::keyClick(dialog.get(), Qt::Key_Escape);
  EXPECT_FALSE(dialog->isVisible());
  EXPECT_EQ(dialog->result(), kResultDone);

  Open().show();
  dialog->close();
  EXPECT_FALSE(dialog->isVisible());
  EXPECT_EQ(dialog->result(), kResultDone);
  EXPECT_TRUE(state.buttonFont.IsEmpty());
}

TEST_F(CategoryPage, InitialisationSetsUpTheButtonsAndFillsTheScreen) {
  AddCategories(9);
  CategoryDialog& page = Open();
  EXPECT_EQ(page.CancelButton().text(), QStringLiteral("Cancel"));
  EXPECT_EQ(state.buttonFont.face, u"Arial");
  EXPECT_EQ(state.buttonFont.pixelHeight, 12);
  EXPECT_EQ(state.buttonFont.weight, 400);
  EXPECT_FALSE(page.CancelButton().IsFlat());
  for (int slot = 0; slot < CategoryDialog::kSlotCount; ++slot) {
    EXPECT_FALSE(page.Slot(slot).IsFlat()) << slot;
  }
  // Category slots use the button font; Cancel and the paging buttons the page's own.
  for (int slot = 0; slot < 6; ++slot) {
    EXPECT_EQ(page.Slot(slot).font().family(), QStringLiteral("Arial")) << slot;
    EXPECT_EQ(page.Slot(slot).font().pixelSize(), 12) << slot;
  }
  for (QWidget* button : {static_cast<QWidget*>(&page.CancelButton()),
                          static_cast<QWidget*>(&page.Slot(6)),
                          static_cast<QWidget*>(&page.Slot(7))}) {
    EXPECT_EQ(button->font(), page.font());
  }
  EXPECT_EQ(page.Slot(1).Placement(), ImageAbove);
  EXPECT_EQ(page.Slot(6).Placement(), ImageLeft);
  EXPECT_EQ(page.Slot(7).Placement(), ImageRight);
  EXPECT_EQ(page.Slot(6).ActiveIcon().picture.size(), QSize(32, 32));
  EXPECT_EQ(page.Slot(7).ActiveIcon().picture.size(), QSize(32, 32));

  test::Activate(page);
  const QSize screen = QGuiApplication::primaryScreen()->geometry().size();
  EXPECT_EQ(page.geometry(), QRect(0, 0, screen.width(), screen.height() - 11));
  EXPECT_EQ(page.windowTitle(), QStringLiteral("Dialog"));
  // No button has the focus, and so none shows the black frame of the focused one.
  for (int slot = 0; slot < CategoryDialog::kSlotCount; ++slot) {
    EXPECT_FALSE(page.Slot(slot).hasFocus()) << slot;
    EXPECT_FALSE(page.Slot(slot).isDefault()) << slot;
  }
  EXPECT_FALSE(page.CancelButton().hasFocus());
  EXPECT_FALSE(page.CancelButton().isDefault());
  EXPECT_NE(test::Grab(page.CancelButton()).pixelColor(0, 0), QColor(Qt::black));
}

TEST_F(CategoryPage, CaptionsShowDegreesAsBlanksAndShortenLongNames) {
  const std::string name34 = "abcdefghijklmnopqrstuvwxyz01234567";
  const std::string name35 = "Zabcdefghijklmnopqrstuvwxyz01234567";
  AddCategory("a\xC2\xB0" "b");  // "a°b"
  AddCategory(name34);
  AddCategory(name35);
  Open();
  // Sorted by character codes: "Z..." before "abc..." before "a°b".
  EXPECT_EQ(Captions()[1], QStringLiteral("..") + QString::fromStdString(name35).right(32));
  EXPECT_EQ(Captions()[1].size(), 34);
  EXPECT_EQ(Captions()[2], QString::fromStdString(name34));
  EXPECT_EQ(Captions()[3], QStringLiteral("a b"));
}

TEST_F(CategoryPage, CategorySlotsShowTheirPictureAboveTheName) {
  AddCategories(2);
  AddPicture(CategoryName(1), QColor(255, 0, 0));
  CategoryDialog& page = Open();
  page.show();
  EXPECT_TRUE(page.Slot(1).ActiveIcon().IsEmpty());  // c00 has no picture
  EXPECT_TRUE(page.Slot(0).ActiveIcon().IsEmpty());  // the delete action has none
  ImageButton& withPicture = page.Slot(2);
  ASSERT_FALSE(withPicture.ActiveIcon().IsEmpty());
  const QImage shot = test::Grab(withPicture);
  EXPECT_EQ(test::BoundsOf(shot, QColor(255, 0, 0)),
            QRect((withPicture.width() - 22) / 2, 3, 22, 22));
}

}  // namespace
}  // namespace poirec
