// The insert and delete pages, alone and run from the category page.
#include "ui/RecordingPages.h"

#include <QApplication>
#include <QGroupBox>
#include <QLabel>

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
  // The files in the "pois" folder: a rewrite leaves no temporary file behind.
  long Files() const {
    return std::distance(std::filesystem::directory_iterator(run.folder.Path() / "pois"), {});
  }
  // Notes what an insert page shows.
  InsertDialog& Note(QDialog& page) {
    auto& insert = dynamic_cast<InsertDialog&>(page);
    name = insert.CategoryName().text();
    colour = test::PictureColour(insert.Picture());
    return insert;
  }
  test::Run run;
  test::NotingShell shell;
  QString name;
  QColor colour;
};

TEST_F(RecordingPage, EachPlacementAppendsItsRecordAndEndsWithDoneBackAndCancelWriteNothing) {
  run.AddCategory("Alpha", kOld, kBlue);
  run.AddCategory(kLongName, kOld, kRed);
  // 20 m to the left (west) of a course due north, the fix itself, 20 m to the right.
  const std::tuple<const char*, std::string, int> buttons[] = {
      {"Left from Street", "\n8.1231910, 47.1234500, " + kName, kResultDone},
      {"Exakt recorded", "\n8.1234560, 47.1234600, " + kName, kResultDone},
      {"Right from Street", "\n8.1237200, 47.1234600, " + kName, kResultDone},
      {"Back", "", kResultBack},
      {"Cancel", "", kResultDone}};
  for (const auto& [caption, record, result] : buttons) {
    run.folder.Write("pois/" + kLongName + ".asc", kOld);
    run.state.selectedCategoryIndex = 1;
    InsertDialog page(run.state, shell);
    test::Activate(page);
    EXPECT_EQ(page.Frame().title(), "Insert recorded POI into");
    EXPECT_TRUE(page.ExactButton().hasFocus() && page.ExactButton().isDefault());
    test::Press(page, caption);
    EXPECT_EQ(run.Bytes(kLongName), kOld + record) << caption;
    EXPECT_EQ(page.result(), result) << caption;
    EXPECT_FALSE(page.isVisible()) << caption;
  }
  EXPECT_EQ(run.Bytes("Alpha"), kOld);
  EXPECT_TRUE(shell.messages.empty());
}

// A record that cannot be written is reported while the page is still shown; the page
// then ends all the same.
TEST_F(RecordingPage, APlacementThatCannotBeWrittenIsReportedBeforeThePageEnds) {
  struct WatchingShell final : Shell {
    void Beep() override {}
    void ShowMessage(std::u16string_view text) override {
      shown.emplace_back(text);
      pageVisible = page != nullptr && page->isVisible();
    }
    QWidget* page = nullptr;
    bool pageVisible = false;
    std::vector<std::u16string> shown;
  } watching;
  run.AddCategory("Alpha", kOld, kBlue);
  std::filesystem::remove(run.folder.Path() / "pois/Alpha.asc");
  run.folder.MakeFolder("pois/Alpha.asc");  // a folder where the file should be
  InsertDialog page(run.state, watching);
  watching.page = &page;
  test::Activate(page);
  test::Press(page, "Right from Street");
  EXPECT_EQ(watching.shown, std::vector<std::u16string>{std::u16string(kFileCouldNotBeCreated)});
  EXPECT_TRUE(watching.pageVisible);
  EXPECT_EQ(page.result(), kResultDone);
}

// Back returns to the category page, the next category shows its own picture and name, and
// a placement ends the category page too.
TEST_F(RecordingPage, BackFromInsertingReturnsToTheCategoryPageAndAnotherCategoryShowsItsOwn) {
  run.AddCategory("Alpha", kOld, kBlue);
  run.AddCategory(kLongName, kOld, kRed);
  CategoryDialog categories(run.state, RecordingPages(run.state, shell));
  categories.show();
  test::OnNextModalPage([this](QDialog& insert) { test::Press(Note(insert), "Back"); });
  test::Press(categories, "Alpha");
  EXPECT_EQ(name, "Alpha");
  EXPECT_EQ(colour, kBlue);
  EXPECT_TRUE(categories.isVisible());

  test::OnNextModalPage([this](QDialog& insert) { test::Press(Note(insert), "Exakt recorded"); });
  QTest::mouseClick(&categories.Slot(2), Qt::LeftButton);
  EXPECT_EQ(name, "Aussicht 360  ueber die Stadt und den See");
  EXPECT_EQ(colour, kRed);
  EXPECT_EQ(categories.result(), kResultDone);
}

TEST_F(RecordingPage, DeleteShowsTheNearestPoiWithThePictureAndNameOfItsOwnRowAndDeletesIt) {
  // Two lines at the POI nearest to the fix, written differently, with a comment, a blank
  // line and another POI between them. The name holds the byte of "°".
  run.AddCategory("Alpha", kOld, kBlue);
  run.AddCategory("Aussicht\xC2\xB0Turm",
                  "\n8.1234000, 47.1234000, \"Turm \xB0 Nord\"\n; Aussichten\n\n11.6, 48.2, "
                  "\"Berg\"\n8.1234000, 47.12340, \"Turm again\"",
                  kRed);
  run.AddCategory("Gamma", kOld, QColor(0, 255, 0));
  DeleteDialog page(run.state);
  // Both "°" show as blanks; the POI's name keeps its quotes.
  EXPECT_EQ(page.MatchLine().text(), "Aussicht Turm: \"Turm   Nord\"");
  EXPECT_EQ(test::PictureColour(page.Picture()), kRed);
  EXPECT_EQ(page.Frame().title(), "Delete this POI");
  EXPECT_EQ(QApplication::overrideCursor(), nullptr);  // the wait cursor is gone again
  test::Activate(page);
  EXPECT_TRUE(page.ConfirmButton().hasFocus() && page.ConfirmButton().isDefault());
  test::Press(page, "Back");
  EXPECT_EQ(page.result(), kResultBack);

  // Both lines at the match go, whatever their names and however their numbers are
  // written; every other line but the blank one stays as it was.
  page.show();
  test::Press(page, "Confirm Deletion");
  EXPECT_EQ(page.result(), kResultDone);
  EXPECT_EQ(run.Bytes("Aussicht\xC2\xB0Turm"), "\n; Aussichten\n11.6, 48.2, \"Berg\"");
  EXPECT_EQ(run.Bytes("Alpha"), kOld);
  EXPECT_EQ(Files(), 6);
}

TEST_F(RecordingPage, DeleteWithoutAnyPoiChangesNoFile) {
  // Without categories there is no row at all: no name, no colon, no picture.
  DeleteDialog nothing(run.state);
  EXPECT_EQ(nothing.MatchLine().text(), "");
  EXPECT_TRUE(nothing.Picture().pixmap().isNull());
  test::Press(nothing, "Confirm Deletion");
  EXPECT_EQ(Files(), 0);

  // Without a POI line the match is as at the start of the run: row 0 and no name.
  run.AddCategory("Alpha", "\n; nothing here yet\n\n", kBlue);
  run.AddCategory("Beta", "", kRed);
  DeleteDialog page(run.state);
  EXPECT_EQ(page.MatchLine().text(), "Alpha: ");
  EXPECT_EQ(test::PictureColour(page.Picture()), kBlue);
  test::Press(page, "Confirm Deletion");
  EXPECT_EQ(page.result(), kResultDone);
  EXPECT_EQ(run.Bytes("Alpha") + run.Bytes("Beta"), "\n; nothing here yet\n\n");
  EXPECT_EQ(Files(), 4);
}

}  // namespace
}  // namespace poirec
