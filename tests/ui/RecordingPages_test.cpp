// The insert and delete pages, alone and run from the category page.
#include "ui/RecordingPages.h"

#include <QApplication>
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
    run.state.positionFix = PositionFix{{8123456, 47123456}, 0, 1};  // heading north
    run.state.recordingTime = LocalDateTime{2026, 12, 6, 5, 14, 3, 59, 0};
    CreateButtonFont(run.state.buttonFont);
  }
  test::Run run;
  test::NotingShell shell;
};

// Each way is a key pressed while "Exakt recorded" has the focus (the end-to-end runs press
// the buttons). A placement that cannot be written is reported while the page is still shown,
// and then the page ends all the same; what standard error says, the session's tests show.
TEST_F(RecordingPage, EachPlacementAppendsItsRecordAndEndsWithDoneBackAndCancelWriteNothing) {
  run.AddCategory(kLongName, kOld, kRed);
  const std::string file = "pois/" + kLongName + ".asc";
  // 20 m to the left (west) of a course due north, and the fix itself.
  const std::string left = "\n8.1231910, 47.1234500, " + kName;
  const std::string exact = "\n8.1234560, 47.1234600, " + kName;
  const std::tuple<int, std::string, int> ways[] = {
      {Qt::Key_Left, left, kResultDone},    {Qt::Key_Down, exact, kResultDone},
      {Qt::Key_Return, exact, kResultDone},  // the default button
      {Qt::Key_Backspace, "", kResultBack}, {Qt::Key_Escape, "", kResultDone},
      {Qt::Key_Right, "", kResultDone},  // into a folder: reported
  };
  for (const auto& [key, record, result] : ways) {
    const bool unwritable = key == Qt::Key_Right;  // a folder where the file should be
    std::filesystem::remove_all(run.folder.Path() / file);
    if (unwritable) run.folder.MakeFolder(file);
    if (!unwritable) run.folder.Write(file, kOld);
    InsertDialog page(run.state, shell);
    shell.page = &page;
    test::Activate(page);
    EXPECT_EQ(test::AccessibleName(page), "Insert POI");
    EXPECT_TRUE(page.ExactButton().hasFocus() && page.ExactButton().isDefault());
    QTest::keyClick(QApplication::focusWidget(), Qt::Key(key));
    if (!unwritable) {
      EXPECT_EQ(run.Bytes(kLongName), kOld + record) << key;
    }
    EXPECT_EQ(page.result(), result) << key;
    EXPECT_FALSE(page.isVisible()) << key;
  }
  EXPECT_EQ(shell.messages, std::vector<std::u16string>{std::u16string(kFileCouldNotBeCreated)});
  EXPECT_TRUE(shell.pageShown);
}

// Categories are added between the pages: none, so row 0 is empty and the line reads ": " with
// no picture; two without a POI line, so the match is as at the start of the run, row 0 without
// a name; then the nearest POI in the third of four, whose "°" show as blanks and whose name
// (in UTF-8) keeps its quotes. Which lines a deletion keeps, the end-to-end run checks.
TEST_F(RecordingPage, DeleteShowsTheMatchWithThePictureAndNameOfItsOwnRowAndDeletesOnlyAPoi) {
  const QString shown[] = {": ", "Alpha: ", "Aussicht Turm: \"Turm   Nord\""};
  const QColor pictures[] = {QColor(), kBlue, kRed};
  const std::string tower = "Aussicht\xC2\xB0Turm";
  for (int step = 0; step < 3; ++step) {
    if (step == 1) run.AddCategory("Alpha", "\n; nothing here yet\n\n", kBlue);
    if (step == 1) run.AddCategory("Beta", "", QColor(0, 255, 0));
    if (step == 2) run.AddCategory(tower, "\n8.1234, 47.1234, \"Turm \xC2\xB0 Nord\"", kRed);
    if (step == 2) run.AddCategory("Gamma", kOld, kBlue);
    DeleteDialog page(run.state, shell);
    EXPECT_EQ(page.MatchLine().text(), shown[step]) << step;
    const QImage picture = page.Picture().pixmap().toImage();  // none: no colour
    EXPECT_EQ(picture.isNull() ? QColor() : picture.pixelColor(11, 11), pictures[step]) << step;
    EXPECT_EQ(test::AccessibleName(page), "Delete POI");
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);  // the wait cursor is gone again
    test::Activate(page);
    EXPECT_TRUE(page.ConfirmButton().hasFocus() && page.ConfirmButton().isDefault()) << step;
    test::Press(page, "Back");
    EXPECT_EQ(page.result(), kResultBack) << step;
    test::Activate(page);
    test::Press(page, "Confirm Deletion");  // its key, the end-to-end run presses
    EXPECT_EQ(page.result(), kResultDone) << step;
  }
  EXPECT_EQ(run.Bytes("Alpha") + run.Bytes("Beta"), "\n; nothing here yet\n\n");
  EXPECT_EQ(run.Bytes(tower) + run.Bytes("Gamma"), kOld);
  EXPECT_EQ(run.Bytes("deleted/" + tower), "\n8.1234, 47.1234, \"Turm \xC2\xB0 Nord\"");
}

}  // namespace
}  // namespace poirec
