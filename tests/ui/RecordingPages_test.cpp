// The insert and delete pages, alone and run from the category page.
#include "ui/RecordingPages.h"

#include <QApplication>
#include <QGroupBox>
#include <QLabel>
#include <QTimer>

#include "ui/ButtonFont.h"
#include "ui/DeleteDialog.h"
#include "ui/InsertDialog.h"
#include "ui/UiTestSupport.h"
#include "ui/widgets/ImageButton.h"

namespace poirec {
namespace {

using test::kBlue, test::kRed;

const std::string kOld = "\n11.5000000, 48.1000000, \"old\"";
// The record name of the run's time, 05.12.26 14:03:59.
const std::string kName = "\"Quillon RECORD (05.12.26 14:03:59)\"";
// 40 characters with two "°": shown whole, unlike on the category page.
const std::string kLongName = "Aussicht 360\xC2\xB0 ueber die Stadt und den\xC2\xB0See";

class RecordingPage : public testing::Test {
 protected:
  RecordingPage() {
    run.state.positionFix = PositionFix{8123456, 47123456, 0, 1};  // heading north
    run.state.recordingTime = LocalDateTime{2026, 12, 6, 5, 14, 3, 59, 0};
    CreateButtonFont(run.state.buttonFont);
  }
  test::Run run;
  test::NotingShell shell;
};

// The one colour the label's picture shows; invalid for none or more than one.
QColor PictureColour(const QLabel& picture) {
  QImage image = picture.pixmap().toImage().convertToFormat(QImage::Format_RGB32), solid = image;
  if (!image.isNull()) solid.fill(image.pixel(0, 0));
  return !image.isNull() && image == solid ? image.pixelColor(0, 0) : QColor();
}

// Once the next insert page runs modally: expects the category's name and picture there and
// presses the button, which is to end the page (one it leaves open is ended all the same).
void OnInsertPage(const QString& name, const QColor& colour, const QString& caption) {
  QTimer::singleShot(0, [=] {
    auto* page = qobject_cast<InsertDialog*>(QApplication::activeModalWidget());
    ASSERT_NE(page, nullptr) << "no insert page runs modally";
    EXPECT_EQ(page->CategoryName().text(), name);
    EXPECT_EQ(PictureColour(page->Picture()), colour);
    test::Press(*page, caption);
    EXPECT_FALSE(page->isVisible()) << "the page is still open";
    if (page->isVisible()) page->done(0);
  });
}

TEST_F(RecordingPage, EachPlacementAppendsItsRecordAndEndsWithDoneBackAndCancelWriteNothing) {
  run.AddCategory(kLongName, kOld, kRed);
  // 20 m to the left (west) of a course due north, the fix itself, 20 m to the right.
  const std::tuple<const char*, std::string, int> buttons[] = {
      {"Left from Street", "\n8.1231910, 47.1234500, " + kName, kResultDone},
      {"Exakt recorded", "\n8.1234560, 47.1234600, " + kName, kResultDone},
      {"Right from Street", "\n8.1237200, 47.1234600, " + kName, kResultDone},
      {"Back", "", kResultBack}, {"Cancel", "", kResultDone}};
  for (const auto& [caption, record, result] : buttons) {
    run.folder.Write("pois/" + kLongName + ".asc", kOld);
    InsertDialog page(run.state, shell);
    test::Activate(page);
    EXPECT_EQ(page.Frame().title(), "Insert recorded POI into");
    EXPECT_EQ(page.windowTitle(), "Insert POI");
    EXPECT_EQ(test::AccessibleName(page), "Insert POI");
    EXPECT_TRUE(page.ExactButton().hasFocus() && page.ExactButton().isDefault());
    test::Press(page, caption);
    EXPECT_EQ(run.Bytes(kLongName), kOld + record) << caption;
    EXPECT_EQ(page.result(), result) << caption;
    EXPECT_FALSE(page.isVisible()) << caption;
  }
  EXPECT_TRUE(shell.messages.empty());
}

TEST_F(RecordingPage, APlacementThatCannotBeWrittenIsReportedWhileThePageIsStillShown) {
  run.AddCategory("Alpha", kOld, kBlue);
  std::filesystem::remove(run.folder.Path() / "pois/Alpha.asc");
  run.folder.MakeFolder("pois/Alpha.asc");  // a folder where the file should be
  InsertDialog page(run.state, shell);
  shell.page = &page;
  test::Activate(page);
  test::Press(page, "Right from Street");
  EXPECT_EQ(shell.messages, std::vector<std::u16string>{std::u16string(kFileCouldNotBeCreated)});
  EXPECT_TRUE(shell.pageShown);
  EXPECT_EQ(page.result(), kResultDone);  // and then it ends all the same
}

// Back returns to the category page, the next category shows its own picture and name, and
// a placement ends the category page too.
TEST_F(RecordingPage, BackFromInsertingReturnsToTheCategoryPageAndAnotherCategoryShowsItsOwn) {
  run.AddCategory("Alpha", kOld, kBlue);
  run.AddCategory(kLongName, kOld, kRed);
  CategoryDialog categories(run.state, RecordingPages(run.state, shell));
  categories.show();
  OnInsertPage("Alpha", kBlue, "Back");
  test::Press(categories, "Alpha");
  EXPECT_TRUE(categories.isVisible());
  OnInsertPage("Aussicht 360  ueber die Stadt und den See", kRed, "Exakt recorded");
  QTest::mouseClick(&categories.Slot(2), Qt::LeftButton);
  EXPECT_EQ(categories.result(), kResultDone);
}

// Categories are added between the pages: none, so there is no row, no name, no colon and no
// picture; two without a POI line, so the match is as at the start of the run, row 0 without
// a name; then the nearest POI in the third of four, whose "°" show as blanks and whose name
// keeps its quotes. Which lines a deletion keeps, the end-to-end run checks.
TEST_F(RecordingPage, DeleteShowsTheMatchWithThePictureAndNameOfItsOwnRowAndDeletesOnlyAPoi) {
  const QString shown[] = {"", "Alpha: ", "Aussicht Turm: \"Turm   Nord\""};
  const QColor pictures[] = {QColor(), kBlue, kRed};
  const std::string tower = "Aussicht\xC2\xB0Turm";
  for (int step = 0; step < 3; ++step) {
    if (step == 1) run.AddCategory("Alpha", "\n; nothing here yet\n\n", kBlue);
    if (step == 1) run.AddCategory("Beta", "", QColor(0, 255, 0));
    if (step == 2) run.AddCategory(tower, "\n8.1234, 47.1234, \"Turm \xB0 Nord\"", kRed);
    if (step == 2) run.AddCategory("Gamma", kOld, kBlue);
    DeleteDialog page(run.state);
    EXPECT_EQ(page.MatchLine().text(), shown[step]) << step;
    EXPECT_EQ(page.Picture().pixmap().isNull(), step == 0) << step;
    EXPECT_EQ(PictureColour(page.Picture()), pictures[step]) << step;
    EXPECT_EQ(page.Frame().title(), "Delete this POI");
    EXPECT_EQ(test::AccessibleName(page), "Delete POI");
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);  // the wait cursor is gone again
    test::Activate(page);
    EXPECT_TRUE(page.ConfirmButton().hasFocus() && page.ConfirmButton().isDefault()) << step;
    test::Press(page, "Back");
    EXPECT_EQ(page.result(), kResultBack) << step;
    page.show();
    test::Press(page, "Confirm Deletion");
    EXPECT_EQ(page.result(), kResultDone) << step;
    // Each category's two files, and none that a rewrite would have left behind.
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(run.folder.Path() / "pois"), {}),
              4 * step) << step;
  }
  EXPECT_EQ(run.Bytes("Alpha") + run.Bytes("Beta"), "\n; nothing here yet\n\n");
  EXPECT_EQ(run.Bytes(tower) + run.Bytes("Gamma"), kOld);
}

}  // namespace
}  // namespace poirec
